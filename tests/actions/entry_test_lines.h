#pragma once

#include <QStringList>

#include "ui/form1.h"
#include "ui/form1_controls.h"

// The action list of the main window, line by line.
inline QStringList ActionLines(tavorin::Form1& form) {
  QStringList lines;
  const auto& actions = form.controls().list3;
  for (int i = 0; i < actions.ListCount(); ++i) lines << QString::fromStdU16String(actions.List(i));
  return lines;
}
