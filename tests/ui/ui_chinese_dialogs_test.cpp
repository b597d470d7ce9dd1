// Qt's own dialogs in the program's language: the import file dialog and a
// Yes/No box show Chinese buttons and labels, on a real X server. The
// screenshots go to the artifact folder to be looked at.
#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QDialog>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

#include "qt/form1.h"
#include "qt/qt_file_dialogs.h"
#include "qt/qt_message_boxes.h"
#include "qt/qt_translation.h"

using namespace Qt::StringLiterals;

namespace {

bool HasChinese(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

}  // namespace

class ChineseDialogsTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QCOMPARE(QGuiApplication::platformName(), u"xcb"_s);
    QVERIFY2(tavorin::InstallQtTranslation(*qApp), "Qt's Chinese translation is not installed");
  }

  void fileDialogShowsChinese() {
    tavorin::Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QStringList texts;
    WhenModalShows("file_dialog", texts);
    QVERIFY(!tavorin::QtFileDialogs::Of(form).AskOpenPath());
    VerifyChinese(texts, {"Open", "Cancel", "File name", "Look in"});
  }

  void yesNoBoxShowsChinese() {
    QStringList texts;
    WhenModalShows("yes_no_box", texts);
    tavorin::QtMessageBoxes().Show(u"确定要启动吗？"_s.toStdU16String(), u"提示"_s.toStdU16String(),
                                   tavorin::MessageIcon::kInformation, tavorin::MessageButtons::kYesNo);
    VerifyChinese(texts, {"Yes", "No"});
  }

 private:
  // Once the next modal dialog is on screen: keeps a screenshot, collects the
  // texts of its buttons and labels, and closes it.
  void WhenModalShows(const QString& name, QStringList& texts) {
    QTimer::singleShot(0, this, [this, name, &texts] {
      QWidget* dialog = nullptr;
      if (!QTest::qWaitFor([&] { return (dialog = QApplication::activeModalWidget()) != nullptr; }) ||
          !QTest::qWaitForWindowExposed(dialog)) {
        return;
      }
      QTest::qWait(100);  // the first paint
      const QString folder = qEnvironmentVariable("TAVORIN_ARTIFACTS", QDir::tempPath());
      QDir().mkpath(folder);
      dialog->screen()->grabWindow(0).copy(dialog->frameGeometry()).save(folder + '/' + name + ".png");
      for (auto* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->isVisible() && !button->text().isEmpty()) texts << button->text();
      }
      for (auto* label : dialog->findChildren<QLabel*>()) {
        if (label->isVisible() && !label->text().isEmpty()) texts << label->text();
      }
      static_cast<QDialog*>(dialog)->reject();
    });
  }

  static void VerifyChinese(const QStringList& texts, const QStringList& english) {
    QVERIFY2(!texts.isEmpty(), "no dialog showed");
    const QString all = texts.join(" | ");
    for (const QString& word : english) QVERIFY2(!all.contains(word), qPrintable(all));
    QVERIFY2(std::all_of(texts.begin(), texts.end(), HasChinese), qPrintable(all));
  }
};

QTEST_MAIN(ChineseDialogsTest)
#include "ui_chinese_dialogs_test.moc"
