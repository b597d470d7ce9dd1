#pragma once

// Helpers for tests that run on a Wine desktop: Xvfb with a window manager.

#include <windows.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <string>

namespace tavorin::testing {

inline std::wstring Widen(const std::string& utf8) {
  if (utf8.empty()) return {};
  const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
  return out;
}

// Wine's name for a file of the Linux host (Z: is the host's root).
inline std::wstring HostPath(const std::string& path) {
  std::wstring wide = L"Z:" + Widen(path);
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

// Runs a command line of the Linux host through its shell and waits until it
// ends; returns its exit status, or -1 when it could not be run or did not
// end within 10 s. Wine starts a Unix program named by its path, but its
// process cannot be waited for: the shell leaves its status in a file.
inline int RunHostCommand(const std::string& command) {
  static int runs = 0;
  const std::string status = "/tmp/tavorin-host-" + std::to_string(GetCurrentProcessId()) + "-" +
                             std::to_string(++runs);
  std::wstring line = Widen("/bin/sh -c \"" + command + "; echo $? > " + status + ".new && mv " + status +
                            ".new " + status + "\"");
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return -1;
  }
  const std::wstring statusFile = HostPath(status);
  int result = -1;
  for (int i = 0; i < 2000 && result < 0; ++i) {
    HANDLE file = CreateFileW(statusFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
      Sleep(5);
      continue;
    }
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileW(statusFile.c_str());
    result = std::atoi(text);
  }
  return result;
}

// The X window that shows a top-level Wine window (0 for none).
inline unsigned long long XWindowOf(HWND window) {
  return reinterpret_cast<ULONG_PTR>(GetPropW(GetAncestor(window, GA_ROOT), L"__wine_x11_whole_window"));
}

// A tap of Esc on the X server's keyboard, as a user's key: press and
// release with nothing between them. Wine sees X keys only through its own
// windows, so the X focus is first made sure to be on the window in front,
// as it is on a desktop where the user types.
inline bool TapUsersEscape() {
  std::string command = TAVORIN_XDOTOOL;
  if (const unsigned long long front = XWindowOf(GetForegroundWindow())) {
    command += " windowfocus --sync " + std::to_string(front);
  }
  return RunHostCommand(command + " keydown Escape keyup Escape") == 0;
}

// Serves every message of this thread until `done` holds or `timeoutMs`
// passes; returns done().
inline bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return true;
}

inline void Pump(int milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

inline std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

// A plain top-level window of this thread, shown in front; every message it
// gets goes to `onMessage` first.
class TestWindow {
 public:
  std::function<void(UINT, WPARAM, LPARAM)> onMessage;

  TestWindow(int x, int y, int width, int height) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"TavorinTestWindow";
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    handle = CreateWindowExW(0, windowClass.lpszClassName, L"测试窗口", WS_OVERLAPPEDWINDOW, x, y, width,
                             height, nullptr, nullptr, windowClass.hInstance, this);
  }
  ~TestWindow() { DestroyWindow(handle); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  // Shows the window and waits until it is in front.
  bool ShowInFront() {
    ShowWindow(handle, SW_SHOW);
    return PumpUntil(
        [this] {
          if (GetForegroundWindow() == handle) return true;
          SetForegroundWindow(handle);
          return false;
        },
        5000);
  }

  HWND handle = nullptr;

 private:
  static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
      SetWindowLongPtrW(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self != nullptr && self->onMessage) self->onMessage(message, wParam, lParam);
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
};

}  // namespace tavorin::testing
