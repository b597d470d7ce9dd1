#pragma once

#include <QFont>

namespace tavorin {

// "微软雅黑" is the font of every caption. Where it is not installed a
// Simplified-Chinese face stands in, so no caption falls back to a font
// without Chinese glyphs.
void InstallUiFontSubstitutes();

QFont UiFont();      // 9 pt, every control
QFont EditorFont();  // 10.5 pt, the record editor

}  // namespace tavorin
