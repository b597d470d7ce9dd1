// What the Windows platform tells a run about its input arriving, and the
// screen kept awake, with the system calls behind it played by a fake:
// Wine cannot lock a desktop, run a program elevated or show power states.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/win32_platform.h"

namespace tavorin {
namespace {

constexpr DWORD kMedium = 0x2000, kHigh = 0x3000;

struct FakeSystem : SystemAccess {
  UINT taken = 100;  // events SendInput inserts at most
  std::optional<std::wstring> desktop = L"Default";
  std::optional<DWORD> front = kMedium, own = kMedium;
  std::vector<EXECUTION_STATE> states;

  UINT SendInput(UINT count, INPUT*) override { return std::min(count, taken); }
  std::optional<std::wstring> InputDesktopName() override { return desktop; }
  std::optional<DWORD> ForegroundIntegrity() override { return front; }
  std::optional<DWORD> OwnIntegrity() override { return own; }
  void SetExecutionState(EXECUTION_STATE state) override { states.push_back(state); }
};

TEST(DeliveryCheckTest, InputWaitsForTheUsersDesktopAndAWindowInFrontOfNoHigherLevel) {
  const struct {
    const char* name;
    std::optional<std::wstring> desktop;
    std::optional<DWORD> front, own;
    DeliveryFault fault;
  } cases[] = {
      {"the user's desktop, a window like this program", L"Default", kMedium, kMedium, DeliveryFault::kNone},
      {"no window in front", L"Default", 0, kMedium, DeliveryFault::kNone},
      {"this program elevated, the target not", L"Default", kMedium, kHigh, DeliveryFault::kNone},
      {"a workstation locked", std::nullopt, kMedium, kMedium, DeliveryFault::kInputBlocked},
      {"an elevation prompt over an elevated target", L"Winlogon", kHigh, kMedium, DeliveryFault::kInputBlocked},
      {"an elevated target", L"Default", kHigh, kMedium, DeliveryFault::kTargetElevated},
      {"a target that refuses to be asked", L"Default", std::nullopt, kMedium, DeliveryFault::kTargetElevated},
      {"this program's own level unknown", L"Default", kHigh, std::nullopt, DeliveryFault::kNone},
  };
  for (const auto& c : cases) {
    FakeSystem system;
    system.desktop = c.desktop;
    system.front = c.front;
    system.own = c.own;
    Win32Platform platform(system);
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kBeforeInput), c.fault) << c.name;
    // Once a pass's input is in, a lock that follows does not undo it.
    EXPECT_EQ(platform.CheckDelivery(DeliveryCheck::kPassEnd), DeliveryFault::kNone) << c.name;
  }
}

// The stop then comes before anything more is sent, whichever check is next.
TEST(DeliveryCheckTest, InputTheSystemDidNotTakeIsReportedOnceAtTheNextCheckOfTheRun) {
  const struct {
    const char* name;
    UINT taken;
    void (*send)(Platform&);
  } cases[] = {
      {"a key", 0, [](Platform& p) { p.KeyEvent(VK_RETURN, false); }},
      {"the up of a click", 1, [](Platform& p) { p.MouseEvent(kLeftDown | kLeftUp); }},
      {"a move", 0, [](Platform& p) { p.SetCursorPos(10, 10); }},
  };
  for (const auto& c : cases) {
    for (const DeliveryCheck when : {DeliveryCheck::kBeforeInput, DeliveryCheck::kPassEnd}) {
      FakeSystem system;
      Win32Platform platform(system);
      system.taken = c.taken;
      c.send(platform);
      system.taken = 100;
      platform.MouseEvent(kRightDown | kRightUp);  // taken whole: the earlier fault stays
      EXPECT_EQ(platform.CheckDelivery(when), DeliveryFault::kInputBlocked) << c.name;
      EXPECT_EQ(platform.CheckDelivery(when), DeliveryFault::kNone) << c.name << ", asked again";
      // Refused before a run, it is no fault of the run.
      system.taken = c.taken;
      c.send(platform);
      platform.BeginStopWatch();
      EXPECT_EQ(platform.CheckDelivery(when), DeliveryFault::kNone) << c.name << ", before the run";
      platform.EndStopWatch();
    }
  }
}

TEST(KeepAwakeTest, SystemAndDisplayStayOnUntilTurnedOffOrThePlatformEnds) {
  constexpr EXECUTION_STATE kOn = ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED;
  FakeSystem system;
  {
    Win32Platform platform(system);
    platform.KeepAwake(true);
    EXPECT_EQ(system.states, std::vector<EXECUTION_STATE>{kOn});
    platform.KeepAwake(false);
    EXPECT_EQ(system.states, (std::vector<EXECUTION_STATE>{kOn, ES_CONTINUOUS}));
    platform.KeepAwake(true);
  }
  EXPECT_EQ(system.states, (std::vector<EXECUTION_STATE>{kOn, ES_CONTINUOUS, kOn, ES_CONTINUOUS}));
}

}  // namespace
}  // namespace tavorin
