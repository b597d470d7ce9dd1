#pragma once

#include <QString>

namespace tavorin {

// Qt's multi-line editors break lines at "\n" and also at a lone "\r"; the
// program's texts break lines with CR LF and may hold a lone CR or LF that is
// no line break. In the editor such a lone character stands as its visible
// control picture (U+240D, U+240A), so every text survives the round trip.
QString ToCrLf(const QString& editorText);
QString FromCrLf(const QString& text);
// A position in the CR LF form of a text, as a position in its editor form.
int EditorPosition(const QString& crLfText, int position);

}  // namespace tavorin
