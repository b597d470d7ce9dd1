#pragma once

#include <QString>

namespace tavorin {

// Qt's multi-line editors use "\n"; the program's texts use CR LF.
QString ToCrLf(const QString& editorText);
QString FromCrLf(const QString& text);
// A position in the CR LF form of a text, as a position in its "\n" form.
int EditorPosition(const QString& crLfText, int position);

}  // namespace tavorin
