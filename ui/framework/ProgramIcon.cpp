#include "ui/framework/ProgramIcon.h"

#include <QApplication>

namespace qv::ui {

QIcon programIcon() {
    static const QIcon icon(":/icons/quillavon.svg");
    return icon;
}

void applyProgramIcon(QApplication& app) {
    app.setWindowIcon(programIcon());
    QGuiApplication::setDesktopFileName("quillavon");
}

}  // namespace qv::ui
