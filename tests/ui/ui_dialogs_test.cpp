// The program's dialogs under openbox, which treats them as a desktop would
// and ignores Qt's request to leave out the minimise button: each shows its
// caption, none offers to minimise or maximise, a request to minimise one
// does not take the main window away, and Qt's own dialogs (a file dialog,
// a Yes/No box) speak Chinese. Their screenshots go to the artifact folder to be looked at.
#include <QtWidgets>
#include <QtTest>
#include <memory>

#include "qt/dialog_frames.h"
#include "qt/form1.h"
#include "qt/form1_controls.h"
#include "qt/key_chord_dialog.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_translation.h"
#include "qt/text_entry_dialog.h"

#include "other_x_client.h"

using namespace Qt::StringLiterals;

namespace {

bool HasChinese(const QString& text) {
  return std::ranges::any_of(text, [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

// The texts of a dialog's visible buttons and labels.
QStringList ShownTexts(QWidget& dialog) {
  QStringList texts;
  for (auto* button : dialog.findChildren<QAbstractButton*>()) {
    if (button->isVisible() && !button->text().isEmpty()) texts << button->text();
  }
  for (auto* label : dialog.findChildren<QLabel*>()) {
    if (label->isVisible() && !label->text().isEmpty()) texts << label->text();
  }
  return texts;
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    QVERIFY(x_.display() != nullptr);
    QVERIFY2(!x_.WindowList("_NET_SUPPORTING_WM_CHECK").empty(), "no window manager runs");
    QVERIFY2(tavorin::InstallQtTranslation(*qApp), "Qt's Chinese translation is not installed");
    tavorin::InstallDialogFrames(*qApp);
  }
  void init() {
    form_ = std::make_unique<tavorin::Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }
  void cleanup() { form_.reset(); }

  void dialogsCannotBeMinimisedAndSpeakChinese_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QStringList>("english");  // words a Qt dialog shows untranslated
    QTest::newRow("key") << 0 << u"按下按键。。。"_s << QStringList{};
    QTest::newRow("wait") << 1 << u"等候（秒）："_s << QStringList{};
    QTest::newRow("insert") << 2 << u"插入内容："_s << QStringList{};
    QTest::newRow("yes_no_box") << 3 << u"提示"_s << QStringList{"Yes", "No"};
    QTest::newRow("file_dialog") << 4 << u"导入"_s << QStringList{"Open", "Cancel", "File name", "Look in"};
  }
  void dialogsCannotBeMinimisedAndSpeakChinese() {
    QFETCH(int, kind);
    QFETCH(QString, caption);
    QFETCH(QStringList, english);
    QStringList actions, texts;
    QString title;
    bool active = false, mainWindowStayed = false;
    QTimer::singleShot(0, this, [&] {
      QWidget* dialog = nullptr;
      if (!QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }) ||
          !QTest::qWaitForWindowExposed(dialog)) {
        return;
      }
      active = QTest::qWaitForWindowActive(dialog);  // keys still reach it
      const auto window = static_cast<Window>(dialog->winId());
      if (QTest::qWaitFor([&] { return !(actions = x_.AtomNames(window, "_NET_WM_ALLOWED_ACTIONS")).isEmpty(); })) {
        const QString folder = qEnvironmentVariable("TAVORIN_ARTIFACTS", QDir::tempPath());
        QDir().mkpath(folder);
        dialog->screen()->grabWindow(0).copy(dialog->frameGeometry()).save(
            folder + '/' + QTest::currentDataTag() + ".png");
        texts = ShownTexts(*dialog);
        title = dialog->windowTitle();
        // The manager takes requests in order: once it has put the dialog
        // above, it has dealt with the minimise request sent before.
        x_.RequestIconic(window);
        x_.MakeAbove(window);
        QTest::qWaitFor([&] { return x_.IsAbove(window); });
        mainWindowStayed = form_->isVisible() && !form_->isMinimized() && x_.Viewable(form_->winId());
      }
      static_cast<QDialog*>(dialog)->reject();
    });
    auto& actionList = form_->controls().list3;
    using Kind = tavorin::TextEntryDialog::Kind;
    if (kind == 0) tavorin::KeyChordDialog(*form_, actionList).exec();
    if (kind == 1) tavorin::TextEntryDialog(*form_, actionList, Kind::kWait).exec();
    if (kind == 2) tavorin::TextEntryDialog(*form_, actionList, Kind::kInsert).exec();
    if (kind == 3) {
      tavorin::QtMessageBoxes(form_.get())
          .Show(u"确定要启动吗？", u"提示", tavorin::MessageIcon::kInformation, tavorin::MessageButtons::kYesNo);
    }
    if (kind == 4) tavorin::QtFileDialogs::Of(*form_).AskOpenPath();
    QVERIFY2(actions.contains("_NET_WM_ACTION_CLOSE"), qPrintable(actions.join(' ')));
    for (const char* offered : {"_NET_WM_ACTION_MINIMIZE", "_NET_WM_ACTION_MAXIMIZE_HORZ", "_NET_WM_ACTION_MAXIMIZE_VERT"}) {
      QVERIFY2(!actions.contains(offered), qPrintable(actions.join(' ')));
    }
    QVERIFY(active);
    QVERIFY(mainWindowStayed);
    QCOMPARE(title, caption);
    if (english.isEmpty()) return;  // the program's own dialogs: their captions are in the control tests
    QVERIFY2(!texts.isEmpty() && std::ranges::all_of(texts, HasChinese), qPrintable(texts.join(" | ")));
    for (const QString& word : english) QVERIFY2(!texts.join(" | ").contains(word), qPrintable(texts.join(" | ")));
  }

 private:
  tavorin::testing::OtherClient x_;
  std::unique_ptr<tavorin::Form1> form_;
};

QTEST_MAIN(DialogsTest)
#include "ui_dialogs_test.moc"
