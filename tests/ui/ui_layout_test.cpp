// Every control of the main window: name, kind, caption, place and initial
// state, and the switching of the four pages.
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
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <map>
#include <memory>

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

// Every control as designed: name, parent, kind, caption, geometry in
// pixels (-1: sized by its content) and whether it starts hidden.
struct Control {
  const char* name;
  const char* parent;
  const char* kind;
  const char* caption;
  QRect geometry;
  bool hidden = false;
};

const Control kControls[] = {
    {"TabStrip1", "Form1", "QTabWidget", "", {8, 8, 305, 425}},
    {"PicPage(0)", "Form1", "QWidget", "", {24, 40, 281, 385}},
    {"PicPage(1)", "Form1", "QWidget", "", {24, 40, 281, 385}, true},
    {"PicPage(2)", "Form1", "QWidget", "", {24, 40, 281, 385}, true},
    {"PicPage(3)", "Form1", "QWidget", "", {24, 40, 281, 385}, true},
    // Page 0, records
    {"Frame1", "PicPage(0)", "QGroupBox", "原始信息", {0, 0, 273, 377}},
    {"Command12", "Frame1", "QPushButton", "全不选", {40, 16, 49, 25}},
    {"Command11", "Frame1", "QPushButton", "全选", {96, 16, 49, 25}},
    {"Command13", "Frame1", "QPushButton", "导出", {152, 16, 49, 25}},
    {"Command5", "Frame1", "QPushButton", "导入", {208, 16, 49, 25}},
    {"List1", "Frame1", "QListWidget", "", {16, 48, 241, 99}},
    {"Label9", "Frame1", "QLabel", "已选中0项", {16, 156, 55, 17}},
    {"Command15", "Frame1", "QPushButton", "删除", {152, 152, 49, 25}},
    {"Command14", "Frame1", "QPushButton", "新增", {208, 152, 49, 25}},
    {"Text6", "Frame1", "QPlainTextEdit", "", {16, 184, 241, 177}},
    {"List4", "Frame1", "QListWidget", "", {184, 128, 65, 16}, true},
    {"Text5", "Frame1", "QLineEdit", "Text5", {176, 328, 73, 25}, true},
    // Page 1, replacement words
    {"Frame2", "PicPage(1)", "QGroupBox", "替换词汇", {0, 0, 273, 281}},
    {"Label2", "Frame2", "QLabel", "原来的：", {16, 24, 49, 25}},
    {"Text1", "Frame2", "QLineEdit", "", {64, 24, 193, 25}},
    {"Label3", "Frame2", "QLabel", "替换为：", {16, 56, 49, 25}},
    {"Text2", "Frame2", "QLineEdit", "", {64, 56, 193, 25}},
    {"Command1", "Frame2", "QPushButton", "添加", {24, 88, 49, 25}},
    {"Command2", "Frame2", "QPushButton", "删除", {80, 88, 49, 25}},
    {"Command3", "Frame2", "QPushButton", "清空", {136, 88, 49, 25}},
    {"Command4", "Frame2", "QPushButton", "编辑", {192, 88, 49, 25}},
    {"List2", "Frame2", "QListWidget", "", {16, 128, 241, 140}},
    // Page 1, count and cooldown
    {"Frame3", "PicPage(1)", "QGroupBox", "计数和冷却", {0, 288, 273, 89}},
    {"Label4", "Frame3", "QLabel", "次数（次）：", {16, 24, 72, 17}},
    {"Text3", "Frame3", "QLineEdit", "", {88, 24, 65, 25}},
    {"Label5", "Frame3", "QLabel", "冷却（秒）：", {16, 56, 72, 17}},
    {"Text4", "Frame3", "QLineEdit", "", {88, 56, 65, 25}},
    {"Label6", "Frame3", "QLabel", "冷却开始前刷新页面：", {160, 16, 104, 33}},
    {"Option1(0)", "Frame3", "QRadioButton", "是", {184, 34, 33, 17}},
    {"Option1(1)", "Frame3", "QRadioButton", "否", {224, 34, 33, 17}},
    {"Label7", "Frame3", "QLabel", "按下：", {160, 56, 36, 17}},
    {"Combo1", "Frame3", "QComboBox", "", {200, 56, 65, -1}},
    // Page 2, actions
    {"Frame4", "PicPage(2)", "QGroupBox", "动作（双击删除）", {0, 0, 273, 305}},
    {"Command8", "Frame4", "QPushButton", "导入", {96, 24, 49, 25}},
    {"Command9", "Frame4", "QPushButton", "导出", {152, 24, 49, 25}},
    {"Command10", "Frame4", "QPushButton", "清空", {208, 24, 49, 25}},
    {"List3", "Frame4", "QListWidget", "", {16, 56, 241, 106}},
    {"Command6(0)", "Frame4", "QPushButton", "复制内容", {16, 168, 73, 25}},
    {"Command6(1)", "Frame4", "QPushButton", "粘贴内容", {96, 168, 73, 25}},
    {"Command6(2)", "Frame4", "QPushButton", "点击位置", {176, 168, 73, 25}},
    {"Command6(3)", "Frame4", "QPushButton", "按下按键", {16, 200, 73, 25}},
    {"Command6(4)", "Frame4", "QPushButton", "等候时长", {96, 200, 73, 25}},
    {"Command6(5)", "Frame4", "QPushButton", "插入内容", {176, 200, 73, 25}},
    {"Frame5", "PicPage(2)", "QGroupBox", "操作", {0, 312, 273, 65}},
    {"Command7", "Frame5", "QPushButton", "启动", {16, 24, 73, 25}},
    // Page 3, help
    {"Frame6", "PicPage(3)", "QGroupBox", "关于和帮助", {0, 0, 273, 377}},
    {"Label8(0)", "Frame6", "QLabel", "作者：Tavorin 开发组", {8, 24, -1, 17}},
    {"Label8(1)", "Frame6", "QLabel", "版本：1.0.0.2", {8, 40, -1, 17}},
    {"Label8(2)", "Frame6", "QLabel", "发布地址：随程序附带", {8, 56, -1, 17}},
    {"Label8(3)", "Frame6", "QLabel", "在“原始信息”中使用特定文本：", {8, 80, -1, 17}},
    {"Label8(4)", "Frame6", "QLabel", "序号（1,2，……）：%i", {8, 96, -1, 17}},
    {"Label8(5)", "Frame6", "QLabel", "日期（X年X月X日）：%d", {8, 112, -1, 17}},
    {"Label8(6)", "Frame6", "QLabel", "时间（XX:XX:XX）：%t", {8, 128, -1, 17}},
    {"Label8(7)", "Frame6", "QLabel", "星期（星期X）：%w", {8, 144, -1, 17}},
    {"Label8(8)", "Frame6", "QLabel", "当“次数”为-1时，将执行已选中项目的次数。", {8, 168, -1, 17}},
};

}  // namespace

Q_DECLARE_METATYPE(Control)

class LayoutTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    form_ = std::make_unique<Form1>();
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_.get()));
  }

  void controls_data() {
    QTest::addColumn<Control>("control");
    for (const Control& control : kControls) QTest::newRow(control.name) << control;
  }

  void controls() {
    QFETCH(Control, control);
    const QList<QWidget*> found = form_->findChildren<QWidget*>(control.name);
    QCOMPARE(found.size(), 1);
    QWidget& widget = *found.first();

    QVERIFY2(widget.inherits(control.kind), widget.metaObject()->className());
    QCOMPARE(widget.parentWidget()->objectName(), QString(control.parent));
    QCOMPARE(Caption(widget), QString::fromUtf8(control.caption));
    QCOMPARE(widget.isHidden(), control.hidden);
    const QRect& expected = control.geometry;
    QCOMPARE(widget.pos(), expected.topLeft());
    if (expected.width() >= 0) QCOMPARE(widget.width(), expected.width());
    if (expected.height() >= 0) QCOMPARE(widget.height(), expected.height());
    auto* label = qobject_cast<QLabel*>(&widget);
    if (label != nullptr && !label->wordWrap()) {  // no caption cut off
      QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
    }

    QCOMPARE(widget.font().family(), QStringLiteral("微软雅黑"));
    QCOMPARE(widget.font().pointSizeF(), QByteArray(control.name) == "Text6" ? 10.5 : 9.0);
    QVERIFY2(ResolvesToChineseFace(widget.font()), qPrintable(QFontInfo(widget.font()).family()));
  }

  void initialState() {
    auto* tabs = form_->findChild<QTabWidget*>("TabStrip1");
    QCOMPARE(tabs->count(), 4);
    const QStringList tabCaptions = {"文本数据", "修改和调节", "动作和控制", "选项"};
    for (int i = 0; i < 4; ++i) QCOMPARE(tabs->tabText(i), tabCaptions[i]);
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(ResolvesToChineseFace(tabs->tabBar()->font()));

    QVERIFY(!form_->findChild<QRadioButton*>("Option1(0)")->isChecked());
    QVERIFY(form_->findChild<QRadioButton*>("Option1(1)")->isChecked());
    auto* combo = form_->findChild<QComboBox*>("Combo1");
    QCOMPARE(combo->count(), 2);
    QCOMPARE(combo->itemText(0) + ' ' + combo->itemText(1), QStringLiteral("F5 Ctrl+R"));
    QCOMPARE(combo->currentIndex(), -1);
    QVERIFY(!combo->isEditable());
    QVERIFY(form_->findChild<QListWidget*>("List1")->acceptDrops());
    QVERIFY(form_->findChild<QListWidget*>("List3")->acceptDrops());

    auto* timer = form_->findChild<QTimer*>("Timer1");
    QCOMPARE(timer->interval(), 100);
    QVERIFY(timer->isActive());
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
    QCOMPARE(form_->windowTitle(), QStringLiteral("Tavorin"));
    QCOMPARE(form_->frameGeometry().size(), QSize(328, 471));
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
