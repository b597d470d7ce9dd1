#include "qt/control_factory.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>

#include "qt/twips.h"
#include "qt/ui_fonts.h"

namespace tavorin {
namespace {

// Set on every control rather than inherited: a style sheet on a frame stops
// its children from inheriting the window's font.
template <typename Widget>
Widget* Named(Widget* widget, const QString& name) {
  widget->setObjectName(name);
  widget->setFont(UiFont());
  return widget;
}

template <typename Widget>
Widget* Place(Widget* widget, const QString& name, int left, int top, int width, int height) {
  Named(widget, name)->setGeometry(TwipsRect(left, top, width, height));
  return widget;
}

// Pages, frames and option buttons sit on white, whatever the style's window
// colour is; their text keeps the system's window-text colour.
void PaintWhite(QWidget& widget) {
  QPalette palette = widget.palette();
  palette.setColor(QPalette::Window, Qt::white);
  widget.setPalette(palette);
  widget.setAutoFillBackground(true);
}

}  // namespace

QString ArrayName(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QWidget* AddPage(QWidget& form, const QString& name) {
  auto* page = Named(new QWidget(&form), name);
  PaintWhite(*page);
  return page;
}

QGroupBox* AddFrame(QWidget& page, const QString& name, const QString& caption, int left, int top,
                    int width, int height) {
  auto* frame = Place(new QGroupBox(caption, &page), name, left, top, width, height);
  PaintWhite(*frame);
  // The caption sits in the top border line, not above it: the controls were
  // placed for a border about half a caption height below the frame's top.
  frame->setStyleSheet(
      "QGroupBox { background-color: white; border: 1px solid palette(mid);"
      " border-radius: 2px; margin-top: 8px; }"
      "QGroupBox::title { subcontrol-origin: margin; left: 6px; padding: 0px 2px;"
      " background-color: white; }"
      "QRadioButton { background-color: white; }");
  return frame;
}

QPushButton* AddButton(QWidget& parent, const QString& name, const QString& caption, int left,
                       int top, int width, int height) {
  return Place(new QPushButton(caption, &parent), name, left, top, width, height);
}

QLabel* AddLabel(QWidget& parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height) {
  return Place(new QLabel(caption, &parent), name, left, top, width, height);
}

QLabel* AddTextSizedLabel(QWidget& parent, const QString& name, const QString& caption, int left,
                          int top, int height) {
  auto* label = Named(new QLabel(caption, &parent), name);
  label->setGeometry(TwipsToPixels(left), TwipsToPixels(top), label->sizeHint().width(),
                     TwipsToPixels(height));
  return label;
}

QLineEdit* AddTextBox(QWidget& parent, const QString& name, int left, int top, int width,
                      int height) {
  return Place(new QLineEdit(&parent), name, left, top, width, height);
}

QListWidget* AddListBox(QWidget& parent, const QString& name, int left, int top, int width,
                        int height, QListWidget* list) {
  if (list == nullptr) list = new QListWidget;
  list->setParent(&parent);
  Place(list, name, left, top, width, height);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // Rows of one height keep a full list of 32,767 items fast.
  list->setUniformItemSizes(true);
  return list;
}

QRadioButton* AddOptionButton(QWidget& parent, const QString& name, const QString& caption,
                              int left, int top, int width, int height) {
  auto* option = Place(new QRadioButton(caption, &parent), name, left, top, width, height);
  PaintWhite(*option);
  return option;
}

QComboBox* AddDropDownList(QWidget& parent, const QString& name, int left, int top, int width) {
  auto* combo = Named(new QComboBox(&parent), name);
  combo->setEditable(false);
  combo->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                     combo->sizeHint().height());
  return combo;
}

}  // namespace tavorin
