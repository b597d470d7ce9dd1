// The real main window on Qt's offscreen platform: against the shared
// control table; its lists with a huge line; and the record and action
// pages driven by real mouse, key and text events: the record list, the
// editor and file drops; the buttons that add an action line and the key,
// wait and insert dialogs they open; double-click; every button of the
// three pages on its list; and the file dialogs themselves. The rules behind
// them are unit tested; here: what only the widgets show.
#include <QtWidgets>
#include <QtTest>
#include <map>
#include <memory>

#include "core/window/form1_control_table.h"
#include "fake_file_dialogs.h"
#include "qt/control_factory.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/qt_file_dialogs.h"
#include "qt_list_and_modal_helpers.h"
#include "temp_folder.h"

using tavorin::QtFileDialogs;
using tavorin::testing::ActionLines;
using tavorin::testing::ItemTexts;
using tavorin::testing::OnNextModal;
using namespace Qt::StringLiterals;

namespace {

QString Utf8(std::string_view text) { return QString::fromUtf8(text.data(), text.size()); }

// A button's, label's or text box's text, a frame's title, the editor's text.
QString Caption(const QWidget& widget) {
  for (const char* name : {"text", "title", "plainText"}) {
    if (widget.property(name).isValid()) return widget.property(name).toString();
  }
  return {};
}

// The face a font really resolves to must be a Simplified-Chinese one, or
// captions fall back glyph by glyph to whatever face happens to have them.
bool ResolvesToChineseFace(const QFont& font) {
  return QFontDatabase::writingSystems(QFontInfo(font).family()).contains(QFontDatabase::SimplifiedChinese);
}

// The widget class each kind of control is built as.
using enum tavorin::ControlKind;
const std::map<tavorin::ControlKind, const char*> kWidgetClasses = {
    {kTabStrip, "QTabWidget"}, {kPage, "QWidget"}, {kFrame, "QGroupBox"}, {kButton, "QPushButton"},
    {kLabel, "QLabel"}, {kTextBox, "QLineEdit"}, {kRecordEditor, "QPlainTextEdit"}, {kListBox, "QListWidget"},
    {kCheckListBox, "QListWidget"}, {kOptionButton, "QRadioButton"}, {kDropDownList, "QComboBox"}};

}  // namespace

Q_DECLARE_METATYPE(const tavorin::ControlSpec*)

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  // The window, shown and active, its file dialogs answered by a fake, and
  // a fresh folder for files.
  void init() {
    folder_ = std::make_unique<tavorin::testing::TempFolder>();
    folder_->Write("records.txt", "one\r\n\r\n  two  \r\n");
    form_ = std::make_unique<tavorin::Form1>();
    // The status tick rewrites Label9 soon after the start, on a busy machine
    // before the design is checked.
    if (qstrcmp(QTest::currentTestFunction(), "controls") == 0) form_->findChild<QTimer*>("Timer1")->stop();
    QtFileDialogs::Of(*form_).Replace(&dialogs_);
    form_->show();
    form_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(form_.get()));
    records_ = form_->findChild<QListWidget*>("List1");
    editor_ = form_->findChild<QPlainTextEdit*>("Text6");
  }
  void cleanup() {
    form_.reset();
    folder_.reset();
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
    // Lists take files; text boxes take dragged text.
    if (qobject_cast<QListWidget*>(&widget)) QCOMPARE(widget.acceptDrops(), spec->Has(tavorin::kAcceptsFiles));
    // A zero in the table leaves the size to the text or to the style.
    const tavorin::TwipRect& r = spec->rect;
    const auto pixels = [](int twips, int zero) { return twips > 0 ? tavorin::TwipsToPixels(twips) : zero; };
    QCOMPARE(widget.geometry(), QRect(pixels(r.left, 0), pixels(r.top, 0), pixels(r.width, widget.sizeHint().width()),
                                      pixels(r.height, widget.sizeHint().height())));
    auto* label = qobject_cast<QLabel*>(&widget);  // no caption cut off or broken inside a word: all on one line
    if (label != nullptr) QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    if (auto* option = qobject_cast<QRadioButton*>(&widget)) QCOMPARE(option->isChecked(), spec->Has(tavorin::kChosen));
    if (auto* list = qobject_cast<QComboBox*>(&widget)) {
      QCOMPARE(list->count(), int(spec->items.size()));
      for (int i = 0; i < list->count(); ++i) QCOMPARE(list->itemText(i), Utf8(spec->items[i]));
      QVERIFY(list->currentIndex() == -1 && !list->isEditable());
    }
    QCOMPARE(widget.font().family(), Utf8(tavorin::kUiFontFamily));
    // A wrapped label may take a slightly smaller size to stay on one line.
    const double points = widget.font().pointSizeF();
    if (label != nullptr && label->wordWrap()) QVERIFY(points <= spec->fontPoints && points >= spec->fontPoints - 1.5);
    else QCOMPARE(points, spec->fontPoints);
    QVERIFY2(ResolvesToChineseFace(widget.font()), qPrintable(QFontInfo(widget.font()).family()));
  }

  // The caption, the outer size and the frame are checked with a window
  // manager; tab clicks on the screen.
  void windowPagesAndAHugeLine() {
    QCOMPARE(form_->minimumSize(), form_->maximumSize());
    QCOMPARE(form_->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint),
             Qt::WindowMinimizeButtonHint);
    QTabWidget& tabs = form_->tabStrip();
    QCOMPARE(tabs.count(), tavorin::kForm1PageCount);
    for (int i = 0; i < tabs.count(); ++i) QCOMPARE(tabs.tabText(i), Utf8(tavorin::kTabCaptions[i]));
    QCOMPARE(tabs.currentIndex(), 0);
    QVERIFY(ResolvesToChineseFace(tabs.tabBar()->font()));
    // A vertical scroll bar even while empty, no horizontal one.
    QVERIFY(editor_->verticalScrollBar()->isVisible() && !editor_->horizontalScrollBar()->isVisible());

    // A list holding a line of a million characters still shows at once:
    // rows are measured and drawn from the start of their text only, elided,
    // on one line (a lone LF must not make the row taller either).
    tavorin::Form1Controls& c = form_->controls();
    const std::u16string huge = u"插入内容 a\nb" + std::u16string(1'000'000, u'长');
    QElapsedTimer timer;
    timer.start();
    tavorin::ListBox* boxes[] = {&c.list1, &c.list2, &c.list3};
    for (int page = 0; page < 3; ++page) {
      for (const std::u16string& text : {std::u16string(u"short"), huge}) boxes[page]->AddItem(text);
      form_->tabStrip().setCurrentIndex(page);
      auto* list = form_->findChild<QListWidget*>(u"List%1"_s.arg(page + 1));
      list->setCurrentRow(1);
      list->grab();
      QCOMPARE(list->visualItemRect(list->item(1)).height(), list->visualItemRect(list->item(0)).height());
    }
    QVERIFY2(timer.elapsed() < 1500, qPrintable(u"%1 ms to show the lists"_s.arg(timer.elapsed())));
    QCOMPARE(c.list3.List(1), huge);  // only the drawing is cut short
  }

  // Each way of choosing a record loads it into the editor, and what is
  // typed or pasted there replaces that record only: a click on its text
  // (which selects it all), the arrow keys, a press dragged to it from
  // another row (or the editor would keep the record chosen before, and
  // typing would overwrite this one with it), a click on its check box
  // (which also toggles the mark, and the status counts it). A paste loses only its CR LF pairs; a lone CR or LF stays,
  // shown as its picture (the rule is unit tested).
  void everyWayOfChoosingARecordLoadsItForEditing() {
    AddRecords({u"alpha"_s, u"beta"_s, u"gamma"_s});
    ClickRow(1);
    QCOMPARE(editor_->textCursor().selectedText(), u"beta"_s);
    QTest::keyClicks(editor_, "xy");
    QApplication::clipboard()->setText(u"a\n\r\nb\r"_s);
    QTest::keyClick(editor_, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor_->toPlainText(), u"xya\u240Ab\u240D"_s);
    QCOMPARE(ItemTexts(*records_), QStringList({u"alpha"_s, u"xya\nb\r"_s, u"gamma"_s}));

    records_->setFocus();
    QTest::keyClick(records_, Qt::Key_Down);
    QCOMPARE(editor_->toPlainText(), u"gamma"_s);
    QVERIFY(editor_->hasFocus());

    const QPoint from = records_->visualItemRect(records_->item(1)).center();
    const QPoint to = records_->visualItemRect(records_->item(0)).center();
    QTest::mousePress(records_->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(records_->viewport(), to);  // with the button held
    QTest::mouseRelease(records_->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(form_->controls().list1.ListIndex(), 0);
    QCOMPARE(editor_->toPlainText(), u"alpha"_s);

    const QRect row = records_->visualItemRect(records_->item(1));
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, {row.left() + 10, row.center().y()});
    QVERIFY(!form_->controls().list1.Selected(1));  // the box toggled
    QTest::keyClicks(editor_, "z");
    QCOMPARE(ItemTexts(*records_), QStringList({u"alpha"_s, u"z"_s, u"gamma"_s}));
    QTRY_COMPARE(form_->findChild<QLabel*>("Label9")->text(), u"2/3"_s);

    // Each way of typing Enter, and the keypad separator (which must not
    // leave its "," behind), appends an empty checked record to edit.
    for (const auto& [key, modifiers] : {std::pair{Qt::Key_Return, Qt::KeyboardModifiers()},
                                         {Qt::Key_Enter, Qt::KeypadModifier}, {Qt::Key_Return, Qt::ShiftModifier},
                                         {Qt::Key_Comma, Qt::KeypadModifier}}) {
      ClickRow(0);  // not the last record
      QTest::keyClick(editor_, Qt::Key_End);
      QTest::keyClick(editor_, key, modifiers);
      QVERIFY(editor_->toPlainText().isEmpty());
      QTest::keyClicks(editor_, "new");
    }
    QCOMPARE(ItemTexts(*records_).join(' '), u"alpha z gamma new new new new"_s);
    QTRY_COMPARE(form_->findChild<QLabel*>("Label9")->text(), u"6/7"_s);
  }

  // Each button of the three pages reaches its command on its own list
  // (the commands' rules, exports included, are unit tested), and the record
  // list takes a file dropped on it (which file counts is unit tested). A
  // line per list: records (* for a check mark), pairs, actions.
  void everyButtonAndADropReachItsCommandOnItsList() {
    auto& c = form_->controls();
    AddRecords({u"a"_s, u"b"_s});
    c.list2.AddItem(u"x->y");
    for (auto line : {u"c1", u"c2"}) c.list3.AddItem(line);
    c.text1.SetText(u"old");
    c.text2.SetText(u"new");
    folder_->Write("in.txt", "one\r\ntwo\r\n");
    dialogs_.openAnswers = {folder_->Name("in.txt"), folder_->Name("in.txt")};
    const std::pair<const char*, QString> steps[] = {
        {"Command12", u"a b|x->y|c1 c2"_s},              // 全不选
        {"Command11", u"a* b*|x->y|c1 c2"_s},            // 全选
        {"Command14", u"a* b* (请输入内容)*|x->y|c1 c2"_s},  // 新增, current
        {"Command15", u"a* b*|x->y|c1 c2"_s},            // 删除 the current record
        {"Command1", u"a* b*|x->y old->new|c1 c2"_s},    // 添加 a pair
        {"Command8", u"a* b*|x->y old->new|one two"_s},   // 导入 actions
        {"Command5", u"one* two*|x->y old->new|one two"_s},  // 导入 records
    };
    for (const auto& [button, lists] : steps) {
      qobject_cast<QPushButton*>(form_->findChild<QWidget*>(button))->click();
      QCOMPARE(Lists(), lists);
    }
    c.list2.SetListIndex(1);
    form_->findChild<QPushButton*>("Command4")->click();  // 编辑 loads the pair into the fields
    QCOMPARE(QString::fromStdU16String(c.text1.Text() + u"|" + c.text2.Text()), u"old|new"_s);
    form_->findChild<QPushButton*>("Command2")->click();  // 删除 the pair
    QCOMPARE(ItemTexts(*form_->findChild<QListWidget*>("List2")), QStringList{u"x->y"_s});
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(Path("records.txt")), QUrl::fromLocalFile(u"/tmp/x.doc"_s)});
    QDragEnterEvent enter({10, 10}, Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &files, Qt::LeftButton, Qt::NoModifier);
    QVERIFY(QCoreApplication::sendEvent(records_->viewport(), &enter) && enter.isAccepted());
    QVERIFY(QCoreApplication::sendEvent(records_->viewport(), &drop) && drop.isAccepted());
    QTRY_COMPARE(ItemTexts(*records_), QStringList({u"one"_s, u"  two  "_s}));  // loaded once the drop is over
  }

  // X11 repeats a held key as release and press pairs marked auto-repeat:
  // only a real release ends the chord, and the box shows it. (Real keys
  // are captured on Xvfb.) Then typed text (key by key; characters without
  // a key of their own come as text), and one way of confirming each:
  // "确定", keypad Enter, Enter, the keypad separator (no default button
  // stands in for it). A paste into the insert dialog keeps every character
  // but the line breaks, which would split the action in a file, and leaves
  // the caret after it; a long one stays whole.
  void keyAndTextDialogs() {
    WithDialog(3, [&](QDialog& dialog) {
      auto* text = dialog.findChild<QLineEdit*>("Text1");
      QTest::simulateEvent(text, true, Qt::Key_Control, {}, {}, false);
      QTest::simulateEvent(text, false, Qt::Key_Control, Qt::ControlModifier, {}, true);
      QTest::simulateEvent(text, true, Qt::Key_Control, Qt::ControlModifier, {}, true);
      QVERIFY(dialog.isVisible());
      QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
      QCOMPARE(text->text(), u"86 2"_s);
    });
    const QString longText(40000, u'长');
    // What is typed, what is then pasted at the caret one key back from the
    // end, and the key that confirms, or 0 for "确定".
    const struct { int button; QString typed, pasted; int confirm; } steps[] = {{4, u"2秒"_s, {}, 0}, {5, u" 你好 %i "_s, {}, Qt::Key_Enter},
                 {5, u"<>"_s, u"A行\r\nB行"_s, Qt::Key_Return}, {5, u"<>"_s, longText, Qt::Key_Comma}};
    for (const auto& step : steps) {
      WithDialog(step.button, [&](QDialog& dialog) {
        auto* text = dialog.findChild<QLineEdit*>("Text1");
        for (const QChar c : step.typed) {
          if (c.unicode() < 0x80) QTest::keyClick(text, c.toLatin1());
          else QTest::sendKeyEvent(QTest::Click, text, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        if (!step.pasted.isEmpty()) {
          QTest::keyClick(text, Qt::Key_Left);
          QApplication::clipboard()->setText(step.pasted);
          QTest::keyClick(text, Qt::Key_V, Qt::ControlModifier);
          QTest::keyClick(text, '!');
        }
        const auto modifier = step.confirm == Qt::Key_Return ? Qt::NoModifier : Qt::KeypadModifier;
        if (step.confirm == 0) QTest::mouseClick(dialog.findChild<QPushButton*>("Command5"), Qt::LeftButton);
        else QTest::keyClick(text, Qt::Key(step.confirm), modifier);
        QVERIFY(!dialog.isVisible());
      });
    }
    QCOMPARE(ActionLines(*form_), QStringList({u"按下按键 86 2"_s, u"等候时长 2"_s, u"插入内容  你好 %i "_s,
                                               u"插入内容 <A行B行!>"_s, "插入内容 <" + longText + "!>"}));
  }

  // Two clicks through the window system, as Qt 6 delivers them: the second
  // press comes both as a press and as a double-click.
  void doubleClickDeletesTheRowUnderThePointer() {
    for (auto line : {u"a", u"b", u"c"}) form_->controls().list3.AddItem(line);
    form_->tabStrip().setCurrentIndex(2);
    auto* actions = form_->findChild<QListWidget*>("List3");
    const QPoint at = actions->visualItemRect(actions->item(1)).center();
    QTest::mouseDClick(form_->windowHandle(), Qt::LeftButton, {}, actions->viewport()->mapTo(form_.get(), at));
    QCOMPARE(ActionLines(*form_), QStringList({u"a"_s, u"c"_s}));
    QCOMPARE(form_->controls().list3.ListIndex(), -1);
  }

  // Each file dialog has its title and the text filter, and offers the path
  // last chosen in it, also after a cancel; the two remember separately. A
  // save dialog takes a name that does not exist yet.
  void fileDialogsShowTheirDesignAndRememberTheLastPath() {
    QtFileDialogs& files = QtFileDialogs::Of(*form_);
    files.Replace(nullptr);  // the real dialogs
    folder_->Write("actions.txt", "");
    const QString opened = Path("actions.txt"), saved = Path("saved.txt");
    QStringList seen;
    // Notes what the dialog offers, then types `path` and Enter, or cancels;
    // returns the answer. The keys come before the dialog counts as the
    // active window, as on a busy desktop: the folders along the path,
    // selected in the list while it is typed, must not be opened instead.
    const auto ask = [&](bool save, const QString& path) {
      OnNextModal<QFileDialog>([&seen, path, this](QFileDialog& dialog) {
        const QFileInfo offered(dialog.selectedFiles().value(0));
        seen << dialog.windowTitle() + ' ' + dialog.nameFilters().join(';') + ' ' +
                    (offered.isDir() ? QString() : offered.filePath());
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        QApplication::setActiveWindow(form_.get());
        name->selectAll();
        QTest::keyClicks(name, path);
        if (!path.isEmpty()) QTest::keyClick(name, Qt::Key_Return);
      });
      return QString::fromStdU16String((save ? files.AskSavePath() : files.AskOpenPath()).value_or(u"cancelled"));
    };
    // In order: a braced list is evaluated left to right.
    const QStringList answers{ask(false, opened), ask(false, {}), ask(false, {}), ask(true, saved), ask(true, {})};
    const QString open = u"导入 文本文件(*.txt) "_s, save = u"导出 文本文件(*.txt) "_s, none = u"cancelled"_s;
    QCOMPARE(answers, QStringList({opened, none, none, saved, none}));
    QCOMPARE(seen, QStringList({open, open + opened, open + opened, save, save + saved}));
  }

 private:
  QString Path(const char* name) const { return QString::fromStdU16String(folder_->Name(name)); }
  void ClickRow(int row) {
    QTest::mouseClick(records_->viewport(), Qt::LeftButton, {}, records_->visualItemRect(records_->item(row)).center());
  }
  void AddRecords(const QStringList& texts) {
    for (const QString& text : texts) {
      form_->controls().list1.AddItem(text.toStdU16String());
      form_->controls().list1.SetSelected(records_->count() - 1, true);
    }
    QTRY_VERIFY(editor_->isEnabled());  // the status tick enables the editor
  }
  // Clicks the button and drives the modal dialog it opens; the click
  // returns when the dialog has closed. One left open is closed.
  void WithDialog(int index, const std::function<void(QDialog&)>& drive) {
    OnNextModal(drive);
    form_->tabStrip().setCurrentIndex(2);
    QTest::mouseClick(form_->findChild<QPushButton*>(tavorin::ArrayName("Command6", index)), Qt::LeftButton);
  }
  QString Lists() const {
    const auto& c = form_->controls();
    QStringList records;
    for (int i = 0; i < c.list1.ListCount(); ++i) {
      records << QString::fromStdU16String(c.list1.List(i)) + (c.list1.Selected(i) ? "*" : "");
    }
    return records.join(' ') + '|' + ItemTexts(*form_->findChild<QListWidget*>("List2")).join(' ') + '|' +
           ActionLines(*form_).join(' ');
  }

  tavorin::testing::FakeFileDialogs dialogs_;
  std::unique_ptr<tavorin::testing::TempFolder> folder_;
  std::unique_ptr<tavorin::Form1> form_;
  QListWidget* records_ = nullptr;
  QPlainTextEdit* editor_ = nullptr;
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
