#pragma once
// Every window of the program by its procedure name, so that menus, tests
// and `quillavon --grab` can open any of them the same way.

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace qv::ui {

struct AppContext;

using WindowFactory = std::function<QWidget*(AppContext&, QWidget* parent)>;

void registerWindow(const QString& procedure, WindowFactory factory);
bool hasWindow(const QString& procedure);
// A new window, or nullptr when no such procedure exists.
QWidget* createWindow(const QString& procedure, AppContext& ctx, QWidget* parent = nullptr);
// Opens the window: a dialog runs modally until it closes; any other
// window is shown. False when no such procedure exists.
bool runWindow(const QString& procedure, AppContext& ctx, QWidget* parent);
std::vector<QString> registeredWindows();

}  // namespace qv::ui
