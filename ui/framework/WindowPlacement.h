#pragma once
// Window placement kept in the start folder's INI file: one section per
// procedure with "Maximize", "Minimize" ("Yes"/"No"), "XPos", "YPos",
// "Width" and "Height". A key that is absent leaves the designed value.

#include <QString>

class QWidget;

namespace qv::ui {

void restorePlacement(QWidget* w, const QString& procedure, const QString& iniPath);
void savePlacement(const QWidget* w, const QString& procedure, const QString& iniPath);
// Restores when the window is first shown and saves when it closes.
void keepPlacement(QWidget* w, const QString& procedure, const QString& iniPath);

}  // namespace qv::ui
