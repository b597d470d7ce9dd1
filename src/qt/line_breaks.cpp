#include "qt/line_breaks.h"

#include <algorithm>

namespace tavorin {
namespace {

constexpr QChar kCrPicture(0x240D);
constexpr QChar kLfPicture(0x240A);

}  // namespace

QString ToCrLf(const QString& editorText) {
  QString text = editorText;
  text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
  text.replace(kCrPicture, QLatin1Char('\r'));
  text.replace(kLfPicture, QLatin1Char('\n'));
  return text;
}

QString FromCrLf(const QString& text) {
  QString editorText;
  editorText.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == QLatin1Char('\r') && i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
      editorText += QLatin1Char('\n');
      ++i;
    } else if (text[i] == QLatin1Char('\r')) {
      editorText += kCrPicture;
    } else if (text[i] == QLatin1Char('\n')) {
      editorText += kLfPicture;
    } else {
      editorText += text[i];
    }
  }
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
