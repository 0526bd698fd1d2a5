#pragma once
// The program's icon: a fish taking the hook, drawn to scale from 16 px up.

#include <QIcon>

class QApplication;

namespace qv::ui {

QIcon programIcon();
// Makes it the icon of every window of the run, message boxes included, and
// ties the windows to the desktop entry.
void applyProgramIcon(QApplication& app);

}  // namespace qv::ui
