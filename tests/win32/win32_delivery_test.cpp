// What the Windows platform tells a run about its input arriving, and the
// screen kept awake, with the system calls behind it played by a fake:
// Wine cannot lock a desktop, run a program elevated or show power states.

#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/win32_platform.h"

namespace tavorin {
namespace {

constexpr DWORD kMedium = 0x2000, kHigh = 0x3000;

struct Answers {
  UINT taken = 100;  // events SendInput inserts at most
  std::optional<std::wstring> desktop = L"Default";
  std::optional<DWORD> front = kMedium, own = kMedium;
};

struct FakeSystem : SystemAccess, Answers {
  explicit FakeSystem(const Answers& answers = {}) : Answers(answers) {}
  std::vector<EXECUTION_STATE> states;

  UINT SendInput(UINT count, INPUT*) override { return count < taken ? count : taken; }
  std::optional<std::wstring> InputDesktopName() override { return desktop; }
  std::optional<DWORD> ForegroundIntegrity() override { return front; }
  std::optional<DWORD> OwnIntegrity() override { return own; }
  void SetExecutionState(EXECUTION_STATE state) override { states.push_back(state); }
};

TEST(DeliveryCheckTest, InputWaitsForTheUsersDesktopAndAWindowInFrontOfNoHigherLevel) {
  using enum DeliveryFault;
  const std::pair<Answers, DeliveryFault> cases[] = {
      {{}, kNone},                                                // a window at this program's level
      {{.front = 0}, kNone},                                      // no window in front
      {{.own = kHigh}, kNone},                                    // this program elevated, the target not
      {{.desktop = std::nullopt}, kInputBlocked},                 // a workstation locked
      {{.desktop = L"Winlogon", .front = kHigh}, kInputBlocked},  // an elevation prompt over an elevated target
      {{.front = kHigh}, kTargetElevated},
      {{.front = std::nullopt}, kTargetElevated},      // a target that refuses to be asked
      {{.front = kHigh, .own = std::nullopt}, kNone},  // nothing to compare with
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    FakeSystem system(cases[i].first);
    Win32Platform platform(system);
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), cases[i].second) << "case " << i;
    // Once a pass's input is in, a lock that follows does not undo it.
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kPassEnd), kNone) << "case " << i;
  }
}

// The stop then comes before anything more is sent, whichever check is next.
TEST(DeliveryCheckTest, InputTheSystemDidNotTakeIsToldOnceAtTheNextCheckOfTheRun) {
  const std::pair<UINT, void (*)(Platform&)> sends[] = {
      {0, [](Platform& p) { p.KeyEvent(VK_RETURN, false); }},
      {1, [](Platform& p) { p.MouseEvent(kLeftDown | kLeftUp); }},  // the up is dropped
      {0, [](Platform& p) { p.SetCursorPos(10, 10); }},
  };
  for (const auto& [taken, send] : sends) {
    FakeSystem system({.taken = taken});
    Win32Platform platform(system);
    send(platform);
    system.taken = 100;
    platform.MouseEvent(kRightDown | kRightUp);  // taken whole: the earlier fault stays
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kPassEnd), DeliveryFault::kInputBlocked) << taken;
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kNone) << taken << ", asked again";
    system.taken = taken;
    send(platform);
    platform.BeginStopWatch();  // refused before the run, it is no fault of the run
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), DeliveryFault::kNone) << taken << ", before";
  }
}

TEST(KeepAwakeTest, SystemAndDisplayStayOnUntilTurnedOffOrThePlatformEnds) {
  constexpr EXECUTION_STATE kOn = ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED;
  FakeSystem system;
  {
    Win32Platform platform(system);
    for (const bool on : {true, true, false, true}) platform.KeepAwake(on);
  }
  EXPECT_EQ(system.states, (std::vector<EXECUTION_STATE>{kOn, ES_CONTINUOUS, kOn, ES_CONTINUOUS}));
}

}  // namespace
}  // namespace tavorin
