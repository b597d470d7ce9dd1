#include "ui/line_breaks.h"

#include <algorithm>

namespace tavorin {

QString ToCrLf(const QString& editorText) {
  QString text = editorText;
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  return text;
}

QString FromCrLf(const QString& text) {
  QString editorText = text;
  editorText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return editorText;
}

int EditorPosition(const QString& crLfText, int position) {
  const int end = std::clamp(position, 0, static_cast<int>(crLfText.size()));
  int pairs = 0;
  for (int i = 0; i + 1 < end; ++i) {
    if (crLfText[i] == QLatin1Char('\r') && crLfText[i + 1] == QLatin1Char('\n')) ++pairs;
  }
  return end - pairs;
}

}  // namespace tavorin
