// The real main window against the shared control table, its pages and
// lists, and the Qt adapters behind the list and text-box interfaces.
#include <QtWidgets>
#include <QtTest>
#include <map>
#include <memory>

#include "core/interfaces/memory_list_box.h"
#include "core/window/form1_control_table.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/qt_list_box.h"
#include "qt/qt_text_box.h"
#include "qt/virtual_keys.h"

using tavorin::Form1;
using tavorin::QtListBox;
using namespace Qt::StringLiterals;

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

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
  return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::SimplifiedChinese);
}

// The widget class each kind of control is built as.
const std::map<tavorin::ControlKind, const char*> kWidgetClasses = {
    {tavorin::ControlKind::kTabStrip, "QTabWidget"},   {tavorin::ControlKind::kPage, "QWidget"},
    {tavorin::ControlKind::kFrame, "QGroupBox"},       {tavorin::ControlKind::kButton, "QPushButton"},
    {tavorin::ControlKind::kLabel, "QLabel"},          {tavorin::ControlKind::kTextBox, "QLineEdit"},
    {tavorin::ControlKind::kRecordEditor, "QPlainTextEdit"}, {tavorin::ControlKind::kListBox, "QListWidget"},
    {tavorin::ControlKind::kCheckListBox, "QListWidget"},    {tavorin::ControlKind::kOptionButton, "QRadioButton"},
    {tavorin::ControlKind::kDropDownList, "QComboBox"}};

}  // namespace

Q_DECLARE_METATYPE(const tavorin::ControlSpec*)

class WindowTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  // Every control's kind, parent, caption, place, font and initial state.
  void controls_data() {
    QTest::addColumn<const tavorin::ControlSpec*>("spec");
    for (const tavorin::ControlSpec& spec : tavorin::Form1ControlTable()) QTest::newRow(spec.name.data()) << &spec;
  }
  void controls() {
    QFETCH(const tavorin::ControlSpec*, spec);
    const QList<QWidget*> found = form_->findChildren<QWidget*>(Utf8(spec->name));
    QCOMPARE(found.size(), 1);
    QWidget& widget = *found.first();
    QVERIFY2(widget.inherits(kWidgetClasses.at(spec->kind)), widget.metaObject()->className());
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
    if (auto* option = qobject_cast<QRadioButton*>(&widget)) QCOMPARE(option->isChecked(), spec->Has(tavorin::kChosen));
    if (auto* list = qobject_cast<QComboBox*>(&widget)) {
      QStringList items, shown;
      for (std::string_view item : spec->items) items << Utf8(item);
      for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
      QCOMPARE(shown, items);
      QVERIFY(list->currentIndex() == -1 && !list->isEditable());
    }
    QCOMPARE(widget.font().family(), Utf8(tavorin::kUiFontFamily));
    QCOMPARE(widget.font().pointSizeF(), spec->fontPoints);
    QVERIFY2(ResolvesToChineseFace(widget.font()), qPrintable(QFontInfo(widget.font()).family()));
  }

  // The outer size and the frame are checked with a window manager; tab
  // clicks on the screen.
  void windowAndPages() {
    QCOMPARE(form_->windowTitle(), Utf8(tavorin::kForm1Caption));
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QVERIFY(form_->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!form_->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QCOMPARE(form_->windowIcon().availableSizes(), (QList<QSize>{{16, 16}, {24, 24}, {32, 32}, {48, 48}}));
    QTabWidget& tabs = form_->tabStrip();
    QCOMPARE(tabs.count(), tavorin::kForm1PageCount);
    for (int i = 0; i < tabs.count(); ++i) QCOMPARE(tabs.tabText(i), Utf8(tavorin::kTabCaptions[i]));
    QCOMPARE(tabs.currentIndex(), 0);
    QVERIFY(ResolvesToChineseFace(tabs.tabBar()->font()));
    auto* timer = form_->findChild<QTimer*>("Timer1");
    QVERIFY(timer->isActive() && timer->interval() == tavorin::kStatusTimerMs);
    auto* editor = form_->findChild<QPlainTextEdit*>("Text6");
    QVERIFY(editor->verticalScrollBar()->isVisible());  // even while empty
    QVERIFY(!editor->horizontalScrollBar()->isVisible());
  }

  // A list holding a line of a million characters still shows at once: rows
  // are measured and drawn from the start of their text only, elided, on
  // one line (a lone LF must not make the row taller either).
  void hugeLineShowsQuickly_data() {
    QTest::addColumn<int>("list");
    QTest::newRow("records") << 1;
    QTest::newRow("replacements") << 2;
    QTest::newRow("actions") << 3;
  }
  void hugeLineShowsQuickly() {
    QFETCH(int, list);
    Form1 form;
    auto* widget = form.findChild<QListWidget*>(u"List%1"_s.arg(list));
    tavorin::Form1Controls& c = form.controls();
    tavorin::ListBox* boxes[] = {nullptr, &c.list1, &c.list2, &c.list3};
    tavorin::ListBox& box = *boxes[list];
    const std::u16string huge = u"插入内容 a\nb" + std::u16string(1'000'000, u'长');
    QElapsedTimer timer;
    timer.start();
    box.AddItem(u"short");
    box.AddItem(huge);
    form.show();
    widget->grab();
    box.SetListIndex(1);
    widget->grab();
    QVERIFY2(timer.elapsed() < 1500, qPrintable(u"%1 ms to show the list"_s.arg(timer.elapsed())));
    QCOMPARE(box.List(1), huge);  // only the drawing is cut short
    QCOMPARE(widget->visualItemRect(widget->item(1)).height(), widget->visualItemRect(widget->item(0)).height());
  }

  // The in-memory list the unit tests use must behave as the real one: the
  // case runs on the real list in both styles and on the in-memory one.
  void lists_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("check boxes") << 0;
    QTest::newRow("plain") << 1;
    QTest::newRow("memory") << 2;
  }
  void lists() {
    QFETCH(int, kind);
    QListWidget widget, plainWidget;
    QtListBox checkBoxes(widget, QtListBox::Style::kCheckBoxes), plain(plainWidget, QtListBox::Style::kPlain);
    tavorin::MemoryListBox memory;
    tavorin::ListBox& list = kind == 0 ? checkBoxes : kind == 1 ? static_cast<tavorin::ListBox&>(plain) : memory;
    for (auto text : {u"a", u"b", u"c", u"d"}) QVERIFY(list.AddItem(text));
    list.SetListIndex(2);
    list.RemoveItem(0);  // an earlier row: the current one moves up with its text
    QCOMPARE(list.ListIndex(), 1);
    list.RemoveItem(2);  // a later row leaves it alone
    QCOMPARE(list.ListIndex(), 1);
    list.RemoveItem(1);  // the current row itself: none is current afterwards
    QCOMPARE(list.ListIndex(), -1);
    QVERIFY(list.List(0) == u"b" && list.ListCount() == 1);
    list.SetListIndex(0);
    list.Clear();
    list.AddItem(u"e");
    QVERIFY(list.ListIndex() == -1 && !list.Selected(0));
    list.Clear();
    for (int i = 0; i < tavorin::ListBox::kMaxListItems; ++i) {
      if (!list.AddItem(u"x")) QFAIL("refused below the limit");
    }
    QVERIFY(!list.AddItem(u"one too many"));
    QCOMPARE(list.ListCount(), tavorin::ListBox::kMaxListItems);
  }


 private:
  std::unique_ptr<Form1> form_;
};

QTEST_MAIN(WindowTest)
#include "ui_window_test.moc"
