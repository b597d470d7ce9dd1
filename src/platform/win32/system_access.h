#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace tavorin {

// The system calls that tell whether input can reach the user's desktop and
// the window in front, and the one that keeps the screen awake. Their effects
// need a locked workstation, an elevated program or a real power manager, so
// the platform reaches them only through here and tests stand in for them.
class SystemAccess {
 public:
  virtual ~SystemAccess() = default;

  // SendInput: how many of the events the system inserted.
  virtual UINT SendInput(UINT count, INPUT* inputs) = 0;
  // The name of the desktop that receives input ("Default" for the user's);
  // none when it cannot be opened, as while the workstation is locked.
  virtual std::optional<std::wstring> InputDesktopName() = 0;
  // Mandatory integrity levels (0x2000 medium, 0x3000 high): of the process
  // of the window in front (0 when no window is), and of this program. None
  // when the process or its token refuses to be asked.
  virtual std::optional<DWORD> ForegroundIntegrity() = 0;
  virtual std::optional<DWORD> OwnIntegrity() = 0;
  virtual void SetExecutionState(EXECUTION_STATE state) = 0;
};

// The real calls.
SystemAccess& WindowsSystemAccess();

}  // namespace tavorin
