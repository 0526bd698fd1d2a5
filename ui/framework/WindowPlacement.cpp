#include "ui/framework/WindowPlacement.h"

#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace qv::ui {

namespace {

class PlacementKeeper : public QObject {
public:
    PlacementKeeper(QWidget* w, QString procedure, QString ini)
        : QObject(w), procedure_(std::move(procedure)), ini_(std::move(ini)) {}

    bool eventFilter(QObject* o, QEvent* e) override {
        auto* w = static_cast<QWidget*>(o);
        if (e->type() == QEvent::Show && !restored_) {
            restored_ = true;
            restorePlacement(w, procedure_, ini_);
        } else if (e->type() == QEvent::Close || (e->type() == QEvent::Hide && restored_ && !saved_)) {
            saved_ = true;
            savePlacement(w, procedure_, ini_);
        }
        return false;
    }

private:
    QString procedure_;
    QString ini_;
    bool restored_ = false;
    bool saved_ = false;
};

}  // namespace

void restorePlacement(QWidget* w, const QString& procedure, const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(procedure);
    QRect g = w->geometry();
    if (ini.contains("XPos")) g.moveLeft(ini.value("XPos").toInt());
    if (ini.contains("YPos")) g.moveTop(ini.value("YPos").toInt());
    if (ini.contains("Width")) g.setWidth(std::max(ini.value("Width").toInt(), w->minimumWidth()));
    if (ini.contains("Height")) g.setHeight(std::max(ini.value("Height").toInt(), w->minimumHeight()));
    w->setGeometry(g);
    if (ini.value("Maximize").toString() == "Yes") w->setWindowState(w->windowState() | Qt::WindowMaximized);
    if (ini.value("Minimize").toString() == "Yes") w->setWindowState(w->windowState() | Qt::WindowMinimized);
}

void savePlacement(const QWidget* w, const QString& procedure, const QString& iniPath) {
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(procedure);
    ini.setValue("Maximize", w->isMaximized() ? "Yes" : "No");
    ini.setValue("Minimize", w->isMinimized() ? "Yes" : "No");
    const QRect g = w->isMaximized() || w->isMinimized() ? w->normalGeometry() : w->geometry();
    ini.setValue("XPos", g.x());
    ini.setValue("YPos", g.y());
    ini.setValue("Width", g.width());
    ini.setValue("Height", g.height());
}

void keepPlacement(QWidget* w, const QString& procedure, const QString& iniPath) {
    w->installEventFilter(new PlacementKeeper(w, procedure, iniPath));
}

}  // namespace qv::ui
