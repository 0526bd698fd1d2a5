#include "ui/framework/WindowRegistry.h"

#include <QDialog>
#include <QWidget>

#include <map>

namespace qv::ui {

namespace {
std::map<QString, WindowFactory>& factories() {
    static std::map<QString, WindowFactory> all;
    return all;
}
}  // namespace

void registerWindow(const QString& procedure, WindowFactory factory) {
    factories()[procedure] = std::move(factory);
}

bool hasWindow(const QString& procedure) { return factories().count(procedure) > 0; }

QWidget* createWindow(const QString& procedure, AppContext& ctx, QWidget* parent) {
    auto it = factories().find(procedure);
    return it == factories().end() ? nullptr : it->second(ctx, parent);
}

bool runWindow(const QString& procedure, AppContext& ctx, QWidget* parent) {
    QWidget* w = createWindow(procedure, ctx, parent);
    if (!w) return false;
    if (auto* d = qobject_cast<QDialog*>(w)) {
        d->exec();
        delete d;
    } else {
        w->setAttribute(Qt::WA_DeleteOnClose);
        w->show();
    }
    return true;
}

std::vector<QString> registeredWindows() {
    std::vector<QString> out;
    for (const auto& [name, f] : factories()) out.push_back(name);
    return out;
}

}  // namespace qv::ui
