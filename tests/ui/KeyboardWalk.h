#pragma once
// Walking a window with the keyboard as a user does, for the window tests.

#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>
#include <QTest>
#include <QWidget>

#include <algorithm>
#include <set>
#include <vector>

namespace qv::testing {

// Shows the window and makes it the active one, so that it has the focus.
inline void showActive(QWidget* window) {
    window->show();
    QApplication::setActiveWindow(window);
    QApplication::processEvents();
}

inline void press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* at = QApplication::focusWidget();
    if (at) QTest::keyClick(at, static_cast<Qt::Key>(key), mods);
    QApplication::processEvents();
}

// What a user reaches with Tab: a widget, or a row of exclusive radio
// buttons as a whole (the arrows choose within it).
inline const QObject* entryOf(QWidget* w) {
    auto* radio = qobject_cast<QRadioButton*>(w);
    return radio && radio->group() && radio->group()->exclusive() ? static_cast<QObject*>(radio->group()) : w;
}

inline std::set<const QObject*> entriesOf(const std::vector<QWidget*>& ws) {
    std::set<const QObject*> out;
    for (QWidget* w : ws) out.insert(entryOf(w));
    return out;
}

// The widgets a user can reach with Tab: shown, enabled, taking Tab focus.
inline std::vector<QWidget*> tabEntries(QWidget* window) {
    std::vector<QWidget*> out;
    for (QWidget* w : window->findChildren<QWidget*>())
        if (w->window() == window && w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) &&
            !w->focusProxy())
            out.push_back(w);
    return out;
}

// The entries Tab (or Shift+Tab) visits from the focus until it comes back,
// each once however many stops it makes inside one entry (a help page's
// links). Empty when the window has no focus; stops after `limit` presses
// when Tab is trapped.
inline std::vector<QWidget*> tabChain(QWidget* window, bool forward = true, int limit = 200) {
    std::vector<QWidget*> chain;
    QWidget* start = QApplication::focusWidget();
    if (!start || start->window() != window) return chain;
    chain.push_back(start);
    for (int i = 0; i < limit; ++i) {
        press(forward ? Qt::Key_Tab : Qt::Key_Backtab, forward ? Qt::NoModifier : Qt::ShiftModifier);
        QWidget* now = QApplication::focusWidget();
        if (now == chain.back()) continue;
        if (now == start) return chain;
        chain.push_back(now);
    }
    return chain;
}

// Whether `a` comes before `b` reading the window: above it, or on the same
// line and to its left.
inline bool readsBefore(QWidget* a, QWidget* b) {
    QWidget* window = a->window();
    const QRect ra(a->mapTo(window, QPoint(0, 0)), a->size());
    const QRect rb(b->mapTo(window, QPoint(0, 0)), b->size());
    if (ra.bottom() < rb.top()) return true;
    if (rb.bottom() < ra.top()) return false;
    return ra.left() < rb.left();
}

// The chain turned to start at the entry read first.
inline std::vector<QWidget*> fromTop(std::vector<QWidget*> chain) {
    if (chain.empty()) return chain;
    auto first = std::min_element(chain.begin(), chain.end(), readsBefore);
    std::rotate(chain.begin(), first, chain.end());
    return chain;
}

}  // namespace qv::testing
