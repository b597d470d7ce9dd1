// A list holding a line of a million characters still shows at once: rows
// are measured and drawn from the start of their text only, elided, on one
// line.
#include <QElapsedTimer>
#include <QListWidget>
#include <QTest>
#include <memory>

#include "qt/form1.h"
#include "qt/form1_controls.h"

using namespace Qt::StringLiterals;

class LongLinesTest : public QObject {
  Q_OBJECT

 private slots:
  void hugeLineShowsQuickly_data() {
    QTest::addColumn<QString>("list");
    QTest::newRow("records") << u"List1"_s;
    QTest::newRow("replacements") << u"List2"_s;
    QTest::newRow("actions") << u"List3"_s;
  }
  void hugeLineShowsQuickly() {
    QFETCH(QString, list);
    tavorin::Form1 form;
    auto* widget = form.findChild<QListWidget*>(list);
    QVERIFY(widget != nullptr);
    tavorin::Form1Controls& controls = form.controls();
    tavorin::ListBox& box = list == "List1" ? static_cast<tavorin::ListBox&>(controls.list1)
                            : list == "List2" ? static_cast<tavorin::ListBox&>(controls.list2)
                                              : static_cast<tavorin::ListBox&>(controls.list3);
    // A lone LF must not make the row taller either.
    const std::u16string huge = u"插入内容 a\nb" + std::u16string(1'000'000, u'长');
    QElapsedTimer timer;
    timer.start();
    box.AddItem(u"short");
    box.AddItem(huge);
    form.show();
    widget->window()->activateWindow();
    const QImage shown = widget->grab().toImage();
    box.SetListIndex(1);
    widget->grab();
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed < 1500, qPrintable(u"%1 ms to show the list"_s.arg(elapsed)));
    QCOMPARE(box.List(1), huge);  // only the drawing is cut short
    // The row is one line high, like the short one.
    QCOMPARE(widget->visualItemRect(widget->item(1)).height(), widget->visualItemRect(widget->item(0)).height());
  }
};

QTEST_MAIN(LongLinesTest)
#include "ui_long_lines_test.moc"
