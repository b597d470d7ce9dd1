// How closely the Windows platform keeps its pauses while messages keep
// arriving, and what a run's passes cost beyond their prescribed pauses.
// Under Wine on a display, from the build folder (build/windows):
//   xvfb-run -a -s "-screen 0 1280x1024x24" ../../cmake/wine_run.sh --own-server
//       "$PWD/wineprefix-desktop" bench/tavorin_win32_pause_fidelity.exe [samples] [passes]
// Keys go to whatever window has the focus.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>
#include <vector>

#include "core/interfaces/memory_list_box.h"
#include "core/interfaces/memory_text_box.h"
#include "core/run/action_pass.h"
#include "platform/win32/win32_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

std::atomic<long> dispatched{0};

LRESULT CALLBACK CountingProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_APP) ++dispatched;
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

// Pauses of `requested` ms, `samples` times, while another thread posts a
// message to this thread's window every millisecond.
void ReportPauses(tavorin::Win32Platform& platform, HWND window, int requested, int samples) {
  std::atomic<bool> posting{true};
  std::thread poster([&] {
    while (posting) {
      PostMessageW(window, WM_APP, 0, 0);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  });
  std::vector<double> taken;
  const long before = dispatched;
  for (int i = 0; i < samples; ++i) {
    const auto start = Clock::now();
    platform.Sleep(requested);
    taken.push_back(MillisecondsSince(start));
  }
  const long served = dispatched - before;
  posting = false;
  poster.join();
  std::sort(taken.begin(), taken.end());
  std::printf("%3d ms pauses, n=%d: median %.3f ms, p95 %.3f ms, worst %.3f ms, shortest %.3f ms; "
              "%ld messages served meanwhile\n",
              requested, samples, taken[taken.size() / 2], taken[taken.size() * 95 / 100], taken.back(),
              taken.front(), served);
}

// Copy, paste and Enter passes through the core, against the 300 ms of
// pauses those lines prescribe.
void ReportPasses(tavorin::Win32Platform& platform, int passes) {
  constexpr double kPrescribedPerPassMs = 300;
  tavorin::SystemClock clock;
  tavorin::MemoryListBox records, pairs, actions, passList;
  tavorin::MemoryTextBox count, cooldown, mirror;
  for (const char16_t* record : {u"第%i条 %d %t", u"李四 😀𠀀 €５", u"丙"}) {
    records.AddItem(record);
    records.SetSelected(records.ListCount() - 1, true);
  }
  pairs.AddItem(u"条->号");
  for (const char16_t* line : {u"复制内容", u"粘贴内容", u"按下按键 13"}) actions.AddItem(line);
  tavorin::RunControls controls{records, pairs, actions, passList, count, cooldown, mirror};
  tavorin::RunState state;
  tavorin::RunContext run{platform, clock, controls, state};

  std::vector<double> perPass;
  const auto start = Clock::now();
  for (int pass = 1; pass <= passes; ++pass) {
    const auto passStart = Clock::now();
    state.passNumber = pass;
    tavorin::RunActionPass(run);
    perPass.push_back(MillisecondsSince(passStart));
  }
  const double total = MillisecondsSince(start);
  std::sort(perPass.begin(), perPass.end());
  std::printf("%d passes: %.1f ms for %.0f ms of prescribed pauses, overhead ratio %.4f\n", passes, total,
              passes * kPrescribedPerPassMs, total / (passes * kPrescribedPerPassMs));
  std::printf("per pass: median %.2f ms, worst %.2f ms (prescribed %.0f ms)\n", perPass[perPass.size() / 2],
              perPass.back(), kPrescribedPerPassMs);
}

}  // namespace

int main(int argc, char** argv) {
  const int samples = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  const int passes = argc > 2 ? std::max(1, std::atoi(argv[2])) : 50;

  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = CountingProcedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"TavorinBenchWindow";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                windowClass.hInstance, nullptr);

  tavorin::Win32Platform platform;
  ReportPauses(platform, window, 10, samples);
  ReportPauses(platform, window, 50, samples);
  ReportPasses(platform, passes);
  DestroyWindow(window);
  return 0;
}
