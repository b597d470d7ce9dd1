#pragma once

#include <QFont>

#include "core/window/form1_control_table.h"

namespace tavorin {

// "微软雅黑" is the font of every caption. Where it is not installed a
// Simplified-Chinese face stands in, so no caption falls back to a font
// without Chinese glyphs.
void InstallUiFontSubstitutes();

// The caption font at `points`; every control but the record editor uses 9.
QFont UiFont(double points = kUiFontPoints);

}  // namespace tavorin
