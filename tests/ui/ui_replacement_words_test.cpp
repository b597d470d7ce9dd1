// The four buttons of the replacement word frame, clicked on the real main
// window.
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <memory>

#include "ui/form1.h"

using tavorin::Form1;
using namespace Qt::StringLiterals;

class ReplacementWordsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
    QTabBar* bar = form_->tabStrip().tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(1).center());
    oldText_ = form_->findChild<QLineEdit*>("Text1");
    newText_ = form_->findChild<QLineEdit*>("Text2");
    pairs_ = form_->findChild<QListWidget*>("List2");
  }

  void cleanup() { form_.reset(); }

  void addJoinsFieldsAndEmptiesThem() {
    AddPair("a->b", "c");
    QCOMPARE(pairs_->count(), 1);
    QCOMPARE(pairs_->item(0)->text(), u"a->b->c"_s);
    QVERIFY(oldText_->text().isEmpty());
    QVERIFY(newText_->text().isEmpty());
    AddPair("", "");
    QCOMPARE(pairs_->item(1)->text(), u"->"_s);
  }

  void editReadsPairBackAndKeepsIt() {
    AddPair("a->b", "c");
    ClickRow(0);
    Click("Command4");
    QCOMPARE(oldText_->text(), u"a"_s);
    QCOMPARE(newText_->text(), u"c"_s);
    QCOMPARE(pairs_->count(), 1);
    QVERIFY(pairs_->item(0)->isSelected());
  }

  void editWithoutSelectionDoesNothing() {
    AddPair("x", "y");
    QTest::keyClicks(oldText_, "typed");
    Click("Command4");
    QCOMPARE(oldText_->text(), u"typed"_s);
  }

  void deleteRemovesOnlySelectedPair() {
    AddPair("a", "1");
    AddPair("b", "2");
    Click("Command2");  // nothing selected
    QCOMPARE(pairs_->count(), 2);
    ClickRow(0);
    Click("Command2");
    QCOMPARE(pairs_->count(), 1);
    QCOMPARE(pairs_->item(0)->text(), u"b->2"_s);
    QVERIFY(pairs_->selectedItems().isEmpty());
    Click("Command2");  // the selection went with the removed pair
    QCOMPARE(pairs_->count(), 1);
  }

  void clearEmptiesListAndFields() {
    AddPair("a", "1");
    QTest::keyClicks(oldText_, "o");
    QTest::keyClicks(newText_, "n");
    Click("Command3");
    QCOMPARE(pairs_->count(), 0);
    QVERIFY(oldText_->text().isEmpty());
    QVERIFY(newText_->text().isEmpty());
    QTest::keyClicks(oldText_, "again");
    Click("Command3");  // on an empty list only the fields are emptied
    QVERIFY(oldText_->text().isEmpty());
  }

 private:
  void Click(const char* button) {
    QTest::mouseClick(form_->findChild<QPushButton*>(button), Qt::LeftButton);
  }

  void ClickRow(int row) {
    QTest::mouseClick(pairs_->viewport(), Qt::LeftButton, {},
                      pairs_->visualItemRect(pairs_->item(row)).center());
  }

  void AddPair(const QString& oldText, const QString& newText) {
    QTest::keyClicks(oldText_, oldText);
    QTest::keyClicks(newText_, newText);
    Click("Command1");
  }

  std::unique_ptr<Form1> form_;
  QLineEdit* oldText_ = nullptr;
  QLineEdit* newText_ = nullptr;
  QListWidget* pairs_ = nullptr;
};

QTEST_MAIN(ReplacementWordsTest)
#include "ui_replacement_words_test.moc"
