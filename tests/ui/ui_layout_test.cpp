// The real main window against the shared control table: every control's
// kind, parent, caption, place, font and initial state; and the pages.
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>

#include "core/window/form1_control_table.h"
#include "qt/form1.h"

using tavorin::Form1;

namespace {

QString Caption(const QWidget& widget) {
  if (auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
  if (auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
  if (auto* frame = qobject_cast<const QGroupBox*>(&widget)) return frame->title();
  if (auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
  if (auto* editor = qobject_cast<const QPlainTextEdit*>(&widget)) return editor->toPlainText();
  return {};
}

// The face a font really resolves to must be a Simplified-Chinese one, or
// captions fall back glyph by glyph to whatever face happens to have them.
bool ResolvesToChineseFace(const QFont& font) {
  const QString face = QFontInfo(font).family();
  return QFontDatabase::writingSystems(face).contains(QFontDatabase::SimplifiedChinese);
}

// The colour of most of a widget's pixels: its background.
QRgb DominantColour(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  std::map<QRgb, int> counts;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) ++counts[image.pixel(x, y)];
  }
  return std::max_element(counts.begin(), counts.end(),
                          [](auto& a, auto& b) { return a.second < b.second; })->first;
}

// The widget class each kind of control is built as.
const char* WidgetClass(tavorin::ControlKind kind) {
  using K = tavorin::ControlKind;
  switch (kind) {
    case K::kTabStrip: return "QTabWidget";
    case K::kPage: return "QWidget";
    case K::kFrame: return "QGroupBox";
    case K::kButton: return "QPushButton";
    case K::kLabel: return "QLabel";
    case K::kTextBox: return "QLineEdit";
    case K::kRecordEditor: return "QPlainTextEdit";
    case K::kListBox: return "QListWidget";
    case K::kCheckListBox: return "QListWidget";
    case K::kOptionButton: return "QRadioButton";
    case K::kDropDownList: return "QComboBox";
  }
  return "";
}

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

}  // namespace

Q_DECLARE_METATYPE(const tavorin::ControlSpec*)

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  // The real window against the shared control table.
  void controls_data() {
    QTest::addColumn<const tavorin::ControlSpec*>("spec");
    for (const tavorin::ControlSpec& spec : tavorin::Form1ControlTable()) {
      QTest::newRow(spec.name.data()) << &spec;
    }
  }

  void controls() {
    QFETCH(const tavorin::ControlSpec*, spec);
    const QList<QWidget*> found = form_->findChildren<QWidget*>(Utf8(spec->name));
    QCOMPARE(found.size(), 1);
    QWidget& widget = *found.first();

    QVERIFY2(widget.inherits(WidgetClass(spec->kind)), widget.metaObject()->className());
    QCOMPARE(widget.parentWidget()->objectName(), Utf8(spec->parent));
    QCOMPARE(Caption(widget), Utf8(spec->caption));
    QCOMPARE(widget.isHidden(), spec->Has(tavorin::kHidden));
    if (qobject_cast<QListWidget*>(&widget) != nullptr) {  // text boxes take dragged text
      QCOMPARE(widget.acceptDrops(), spec->Has(tavorin::kAcceptsFiles));
    }
    const tavorin::TwipRect& r = spec->rect;
    QCOMPARE(widget.pos(), QPoint(tavorin::TwipsToPixels(r.left), tavorin::TwipsToPixels(r.top)));
    // A zero in the table leaves the size to the text or to the style.
    const QSize hint = widget.sizeHint();
    QCOMPARE(widget.width(), r.width > 0 ? tavorin::TwipsToPixels(r.width) : hint.width());
    QCOMPARE(widget.height(), r.height > 0 ? tavorin::TwipsToPixels(r.height) : hint.height());
    auto* label = qobject_cast<QLabel*>(&widget);
    if (label != nullptr && !label->wordWrap()) {  // no caption cut off
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }
    if (auto* option = qobject_cast<QRadioButton*>(&widget)) {
      QCOMPARE(option->isChecked(), spec->Has(tavorin::kChosen));
    }
    if (auto* list = qobject_cast<QComboBox*>(&widget)) {
      QCOMPARE(static_cast<std::size_t>(list->count()), spec->items.size());
      for (int i = 0; i < list->count(); ++i) QCOMPARE(list->itemText(i), Utf8(spec->items[i]));
      QCOMPARE(list->currentIndex(), -1);
      QVERIFY(!list->isEditable());
    }

    QCOMPARE(widget.font().family(), Utf8(tavorin::kUiFontFamily));
    QCOMPARE(widget.font().pointSizeF(), spec->fontPoints);
    QVERIFY2(ResolvesToChineseFace(widget.font()), qPrintable(QFontInfo(widget.font()).family()));
  }

  void initialState() {
    auto* tabs = form_->findChild<QTabWidget*>("TabStrip1");
    QCOMPARE(tabs->count(), tavorin::kForm1PageCount);
    for (int i = 0; i < tabs->count(); ++i) {
      QCOMPARE(tabs->tabText(i), Utf8(tavorin::kTabCaptions[i]));
    }
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(ResolvesToChineseFace(tabs->tabBar()->font()));

    auto* timer = form_->findChild<QTimer*>("Timer1");
    QCOMPARE(timer->interval(), tavorin::kStatusTimerMs);
    QVERIFY(timer->isActive());
    auto* editor = form_->findChild<QPlainTextEdit*>("Text6");
    QVERIFY(editor->verticalScrollBar()->isVisible());  // even while empty
    QVERIFY(!editor->horizontalScrollBar()->isVisible());
    for (const char* name : {"PicPage(0)", "PicPage(1)", "Frame3", "Frame5", "Option1(0)"}) {
      QCOMPARE(DominantColour(*form_->findChild<QWidget*>(name)), QColor(Qt::white).rgb());
    }
  }

  // The status label starts with its design text; the first tick replaces it.
  void firstTickReplacesStatusText() {
    Form1 fresh;
    auto* status = fresh.findChild<QLabel*>("Label9");
    QCOMPARE(status->text(), QStringLiteral("已选中0项"));
    QTRY_COMPARE_WITH_TIMEOUT(status->text(), QStringLiteral("列表中无项目"), 1000);
    QVERIFY(!fresh.findChild<QPlainTextEdit*>("Text6")->isEnabled());
  }

  void windowShape() {
    QCOMPARE(form_->windowTitle(), Utf8(tavorin::kForm1Caption));
    QCOMPARE(form_->frameGeometry().size(), QSize(tavorin::TwipsToPixels(tavorin::kForm1OuterWidth),
                                                  tavorin::TwipsToPixels(tavorin::kForm1OuterHeight)));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(form_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->windowIcon().availableSizes(),
             (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
  }

  void tabSwitching_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::newRow("second") << QList<int>{1};
    QTest::newRow("every tab") << QList<int>{0, 1, 2, 3};
    QTest::newRow("selected tab again") << QList<int>{2, 2};
    QTest::newRow("back and forth") << QList<int>{3, 0, 3, 1, 1, 0};
    QTest::newRow("after a stray page") << QList<int>{1, -1, 1};  // -1: page 3 shown by code
  }

  void tabSwitching() {
    QFETCH(QList<int>, clicks);
    QTabBar* bar = form_->tabStrip().tabBar();
    int selected = bar->currentIndex();
    for (const int tab : clicks) {
      if (tab < 0) {
        form_->page(3).show();
        continue;
      }
      QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
      QCOMPARE(bar->currentIndex(), tab);
      selected = tab;
      for (int page = 0; page < Form1::kPageCount; ++page) {
        QCOMPARE(form_->page(page).isVisible(), page == selected);
      }
    }
  }

  void closingAsksNothing() {
    QVERIFY(form_->close());
    QVERIFY(!form_->isVisible());
    QVERIFY(QApplication::activeModalWidget() == nullptr);
  }

 private:
  std::unique_ptr<Form1> form_;
};

QTEST_MAIN(LayoutTest)
#include "ui_layout_test.moc"
