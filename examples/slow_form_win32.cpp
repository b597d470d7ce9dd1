// A Windows target that is slow the way web forms are: after each record,
// entered with Enter in its one field, it shows "加载中…" instead of the form
// for a random 0.1–2 s (always MS milliseconds with "delay MS"), then the
// empty form again. With "stuck-after N" it stays loading for good after the
// N-th record.
//
// The file named on the command line lists, as UTF-8 lines ending in the
// Unix time in seconds, "record TEXT" for each record entered, "shown" when
// the form shows again, and the clicks ("click field", "double-click field",
// "click form") and
// key presses ("key VK", "key form VK") it received; it is replaced whole,
// so a reader never sees half of it. At the start it prints
// "ready X Y L T W H": the field's centre and the form's area, in screen
// pixels.

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <random>
#include <string>

namespace {

constexpr UINT_PTR kLoadedTimer = 1;

std::wstring outputPath;
std::wstring log;
HWND window = nullptr;
HWND field = nullptr;
WNDPROC editProcedure = nullptr;
bool loading = false;
int records = 0;
int stuckAfter = -1;
int fixedDelay = -1;
std::mt19937 random{std::random_device{}()};

void Save() {
  const int size = WideCharToMultiByte(CP_UTF8, 0, log.data(), static_cast<int>(log.size()), nullptr, 0, nullptr,
                                       nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, log.data(), static_cast<int>(log.size()), bytes.data(), size, nullptr, nullptr);
  const std::wstring temporary = outputPath + L".new";
  HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  // A reader holding the file open blocks the replacement for a moment.
  for (int i = 0; i < 200 && !MoveFileExW(temporary.c_str(), outputPath.c_str(), MOVEFILE_REPLACE_EXISTING); ++i) {
    Sleep(5);
  }
}

double UnixSeconds() {
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
  return static_cast<double>(ticks - 116444736000000000ULL) / 1e7;  // 100 ns ticks since 1601
}

// What the form saw, for finding out where a lost record went.
void Note(const std::wstring& what) {
  wchar_t when[32];
  std::swprintf(when, 32, L" %.3f\n", UnixSeconds());
  log += what + when;
  Save();
}

void ShowPage(bool ready) {
  loading = !ready;
  ShowWindow(field, ready ? SW_SHOW : SW_HIDE);
  InvalidateRect(window, nullptr, TRUE);
}

void EnterRecord() {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(field)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(field, text.data(), static_cast<int>(text.size()))));
  Note(L"record " + text);
  // Hidden before it is emptied: an empty field in view would pass for
  // the next form.
  ShowPage(false);
  SetWindowTextW(field, L"");
  if (++records != stuckAfter) {
    const int delay = fixedDelay >= 0 ? fixedDelay : std::uniform_int_distribution<int>(100, 2000)(random);
    SetTimer(window, kLoadedTimer, static_cast<UINT>(delay), nullptr);
  }
}

LRESULT CALLBACK FieldProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_KEYDOWN) Note(L"key " + std::to_wstring(wParam));
  if (message == WM_LBUTTONDOWN) Note(L"click field");
  // A field takes no focus from the second press of a double-click.
  if (message == WM_LBUTTONDBLCLK) Note(L"double-click field");
  if (message == WM_KEYDOWN && wParam == VK_RETURN) {
    EnterRecord();
    return 0;
  }
  if (message == WM_CHAR && wParam == L'\r') return 0;  // no beep
  return CallWindowProcW(editProcedure, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK WindowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      RECT client{};
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, GetSysColorBrush(loading ? COLOR_BTNSHADOW : COLOR_WINDOW));
      SetBkMode(dc, TRANSPARENT);
      const wchar_t* text = loading ? L"Loading..." : L"Name:";
      TextOutW(dc, 20, 24, text, lstrlenW(text));
      EndPaint(hwnd, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
      Note(L"click form");
      return 0;
    case WM_KEYDOWN:
      Note(L"key form " + std::to_wstring(wParam));
      return 0;
    case WM_TIMER:
      KillTimer(hwnd, wParam);
      ShowPage(true);
      Note(L"shown");
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
  bool understood = argv != nullptr && argc % 2 == 0;
  for (int i = 2; understood && i + 1 < argc; i += 2) {
    const std::wstring option = argv[i];
    if (option == L"stuck-after") {
      stuckAfter = _wtoi(argv[i + 1]);
    } else if (option == L"delay") {
      fixedDelay = _wtoi(argv[i + 1]);
    } else {
      understood = false;
    }
  }
  if (!understood) {
    std::fprintf(stderr, "usage: tavorin_slow_form_win32 OUTPUT_FILE [stuck-after N] [delay MS]\n");
    return 2;
  }
  outputPath = argv[1];
  LocalFree(argv);
  Save();

  const HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = L"TavorinSlowForm";
  RegisterClassExW(&windowClass);
  window = CreateWindowExW(0, windowClass.lpszClassName, L"Slow form", WS_OVERLAPPED | WS_CAPTION, 150, 150, 480,
                           200, nullptr, nullptr, instance, nullptr);
  field = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 100, 20, 300,
                          28, window, nullptr, instance, nullptr);
  if (window == nullptr || field == nullptr) return 4;
  editProcedure = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(field, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FieldProcedure)));
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  RECT form{};
  GetWindowRect(field, &form);
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  const POINT area{corner.x + 10, corner.y + 10};  // from the label to past the field
  std::printf("ready %ld %ld %ld %ld %ld %ld\n", (form.left + form.right) / 2, (form.top + form.bottom) / 2, area.x,
              area.y, form.right + 10 - area.x, form.bottom + 10 - area.y);
  std::fflush(stdout);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}
