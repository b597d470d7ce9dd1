// The Windows sample form that the Windows end-to-end tests type into: one
// multi-line edit field at a fixed place. Every change of its text is written
// whole, as UTF-8 with "\n" line ends, to the file named on the command line;
// every key press and mouse button press the field receives is listed in
// "<file>.events" ("key VK", with " extended" for an E0 key; "press B X Y" or
// "double B X Y" with B 1 left, 2 right, 4 middle and X Y in screen pixels;
// "paste F..." with the clipboard's Unicode text as "text" and its registered
// formats by name, in the order they were placed).
// Both files are replaced whole, so a reader never sees half a file. Once the
// window is in front with the focus in the field, it prints "ready X Y" with
// the field's centre in screen pixels.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT_PTR kReadyTimer = 1;

std::wstring outputPath;
std::wstring eventLog;  // lines of the events file
HWND window = nullptr;
HWND field = nullptr;

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                       nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                      nullptr);
  return out;
}

bool WriteWhole(const std::wstring& path, const std::wstring& text) {
  const std::wstring temporary = path + L".new";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  const std::string bytes = Utf8(text);
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  if (!ok) return false;
  // A test reading the file at this moment keeps it from being replaced
  // (a sharing violation): try again, or the text the test waits for would
  // only reach the file with the next change.
  for (int i = 0; i < 200; ++i, Sleep(5)) {
    if (MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
  }
  return false;
}

void LogEvent(const std::wstring& entry) {
  if (!eventLog.empty()) eventLog += L'\n';
  eventLog += entry;
  WriteWhole(outputPath + L".events", eventLog);
}

void WriteFieldText() {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  std::wstring plain;
  for (const wchar_t c : text) {
    if (c != L'\r') plain += c;
  }
  WriteWhole(outputPath, plain);
}

void LogButton(const wchar_t* kind, int button, LPARAM position) {
  POINT point{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  ClientToScreen(field, &point);
  LogEvent(std::wstring(kind) + L" " + std::to_wstring(button) + L" " + std::to_wstring(point.x) + L" " +
           std::to_wstring(point.y));
}

void LogClipboardFormats() {
  std::wstring entry = L"paste";
  if (OpenClipboard(window)) {
    for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
      wchar_t name[128] = {};
      if (format == CF_UNICODETEXT) entry += L" text";
      if (GetClipboardFormatNameW(format, name, 128) > 0) entry += L' ' + std::wstring(name);
    }
    CloseClipboard();
  }
  LogEvent(entry);
}

LRESULT CALLBACK FieldProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      LogEvent(L"key " + std::to_wstring(wParam) + ((lParam & (1 << 24)) ? L" extended" : L""));
      break;
    case WM_LBUTTONDOWN:
      LogButton(L"press", 1, lParam);
      break;
    case WM_LBUTTONDBLCLK:
      LogButton(L"double", 1, lParam);
      break;
    case WM_RBUTTONDOWN:
      LogButton(L"press", 2, lParam);
      break;
    case WM_RBUTTONDBLCLK:
      LogButton(L"double", 2, lParam);
      break;
    case WM_MBUTTONDOWN:
      LogButton(L"press", 4, lParam);
      break;
    case WM_MBUTTONDBLCLK:
      LogButton(L"double", 4, lParam);
      break;
    case WM_PASTE:
      LogClipboardFormats();
      break;
    case WM_CONTEXTMENU:
      return 0;  // a menu would grab the pointer after a right click
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void ReportReadyOnceInFront() {
  if (GetForegroundWindow() != window) {
    SetForegroundWindow(window);
    return;
  }
  if (GetFocus() != field) {
    SetFocus(field);
    return;
  }
  KillTimer(window, kReadyTimer);
  RECT rect{};
  GetWindowRect(field, &rect);
  std::printf("ready %ld %ld\n", (rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  std::fflush(stdout);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lParam) == field && HIWORD(wParam) == EN_CHANGE) WriteFieldText();
      return 0;
    case WM_TIMER:
      if (wParam == kReadyTimer) ReportReadyOnceInFront();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

}  // namespace

int main() {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) {
    std::fprintf(stderr, "usage: tavorin_sample_form_win32 OUTPUT_FILE\n");
    return 2;
  }
  outputPath = argv[1];
  LocalFree(argv);
  if (!WriteWhole(outputPath, L"")) return 3;

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.style = CS_DBLCLKS;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"TavorinSampleForm";
  RegisterClassExW(&windowClass);

  window = CreateWindowExW(0, windowClass.lpszClassName, L"示例表单", WS_OVERLAPPEDWINDOW, 200, 150, 600, 400,
                           nullptr, nullptr, instance, nullptr);
  RECT client{};
  GetClientRect(window, &client);
  field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                          WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 10,
                          10, client.right - 20, client.bottom - 20, window, nullptr, instance, nullptr);
  if (window == nullptr || field == nullptr) return 4;
  // Edits hold 32,767 characters unless told otherwise.
  SendMessageW(field, EM_SETLIMITTEXT, 0, 0);
  SetWindowSubclass(field, FieldProcedure, 0, 0);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(field);
  SetTimer(window, kReadyTimer, 20, nullptr);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
