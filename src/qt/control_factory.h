#pragma once

#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;

namespace tavorin {

// Creators for the controls of the main window's pages. Every position and
// size is given in twips, relative to the parent, as in the design tables;
// every control gets its design name as objectName.

QWidget* AddPage(QWidget& form, const QString& name);
QGroupBox* AddFrame(QWidget& page, const QString& name, const QString& caption, int left, int top,
                    int width, int height);
QPushButton* AddButton(QWidget& parent, const QString& name, const QString& caption, int left,
                       int top, int width, int height);
QLabel* AddLabel(QWidget& parent, const QString& name, const QString& caption, int left, int top,
                 int width, int height);
// A label whose width follows its text; only its left, top and height are set.
QLabel* AddTextSizedLabel(QWidget& parent, const QString& name, const QString& caption, int left,
                          int top, int height);
QLineEdit* AddTextBox(QWidget& parent, const QString& name, int left, int top, int width,
                      int height);
// Places `list` (a new plain QListWidget when null) as a single-selection list.
QListWidget* AddListBox(QWidget& parent, const QString& name, int left, int top, int width,
                        int height, QListWidget* list = nullptr);
QRadioButton* AddOptionButton(QWidget& parent, const QString& name, const QString& caption,
                              int left, int top, int width, int height);
// A drop-down list without free typing; its height is the style's own.
QComboBox* AddDropDownList(QWidget& parent, const QString& name, int left, int top, int width);

// Indexed names of control arrays, "Command6(0)".
QString ArrayName(const char* name, int index);

}  // namespace tavorin
