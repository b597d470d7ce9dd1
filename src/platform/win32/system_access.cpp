#include "platform/win32/system_access.h"

#include <vector>

namespace tavorin {
namespace {

std::optional<DWORD> TokenIntegrity(HANDLE process) {
  HANDLE token = nullptr;
  if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
  DWORD size = 0;
  GetTokenInformation(token, TokenIntegrityLevel, nullptr, 0, &size);
  std::vector<unsigned char> buffer(size);
  std::optional<DWORD> level;
  if (size != 0 && GetTokenInformation(token, TokenIntegrityLevel, buffer.data(), size, &size)) {
    // The label's SID ends in the level.
    const PSID sid = reinterpret_cast<TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR parts = *GetSidSubAuthorityCount(sid);
    if (parts > 0) level = *GetSidSubAuthority(sid, parts - 1);
  }
  CloseHandle(token);
  return level;
}

class RealSystemAccess : public SystemAccess {
 public:
  UINT SendInput(UINT count, INPUT* inputs) override { return ::SendInput(count, inputs, sizeof(INPUT)); }

  std::optional<std::wstring> InputDesktopName() override {
    HDESK desktop = OpenInputDesktop(0, FALSE, DESKTOP_READOBJECTS);
    if (desktop == nullptr) return std::nullopt;
    wchar_t name[256] = {};
    const bool named = GetUserObjectInformationW(desktop, UOI_NAME, name, sizeof name, nullptr);
    CloseDesktop(desktop);
    if (!named) return std::nullopt;
    return std::wstring(name);
  }

  std::optional<DWORD> ForegroundIntegrity() override {
    DWORD processId = 0;
    const HWND front = GetForegroundWindow();
    if (front == nullptr || GetWindowThreadProcessId(front, &processId) == 0) return 0;
    if (processId == GetCurrentProcessId()) return OwnIntegrity();
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return std::nullopt;
    const std::optional<DWORD> level = TokenIntegrity(process);
    CloseHandle(process);
    return level;
  }

  std::optional<DWORD> OwnIntegrity() override { return TokenIntegrity(GetCurrentProcess()); }

  void SetExecutionState(EXECUTION_STATE state) override { SetThreadExecutionState(state); }
};

}  // namespace

SystemAccess& WindowsSystemAccess() {
  static RealSystemAccess access;
  return access;
}

}  // namespace tavorin
