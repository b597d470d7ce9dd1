#pragma once

#include <QIcon>

namespace tavorin {

// The program's icon, drawn at 16, 24, 32 and 48 pixels so that no size is a
// blurred copy of another.
QIcon ProgramIcon();

}  // namespace tavorin
