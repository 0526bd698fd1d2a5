#include "ui/framework/TabOrder.h"

#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QRadioButton>
#include <QFormLayout>
#include <QGridLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <tuple>
#include <vector>

namespace qv::ui {

namespace {

using Entries = std::vector<QWidget*>;

void collectLayout(QLayout* layout, Entries& out);

void collectWidget(QWidget* w, Entries& out) {
    if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
        out.push_back(tabs->tabBar());
        for (int i = 0; i < tabs->count(); ++i) collectWidget(tabs->widget(i), out);
        return;
    }
    if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()) {
        out.push_back(w);
        return;
    }
    if (w->layout()) collectLayout(w->layout(), out);
}

void collectItem(QLayoutItem* item, Entries& out) {
    if (!item) return;
    if (QWidget* w = item->widget())
        collectWidget(w, out);
    else if (QLayout* l = item->layout())
        collectLayout(l, out);
}

void collectLayout(QLayout* layout, Entries& out) {
    if (auto* form = qobject_cast<QFormLayout*>(layout)) {
        for (int row = 0; row < form->rowCount(); ++row)
            for (auto role : {QFormLayout::SpanningRole, QFormLayout::LabelRole, QFormLayout::FieldRole})
                collectItem(form->itemAt(row, role), out);
        return;
    }
    if (auto* grid = qobject_cast<QGridLayout*>(layout)) {
        std::vector<std::tuple<int, int, int>> cells;  // row, column, item
        for (int i = 0; i < grid->count(); ++i) {
            int row, col, rowSpan, colSpan;
            grid->getItemPosition(i, &row, &col, &rowSpan, &colSpan);
            cells.emplace_back(row, col, i);
        }
        std::sort(cells.begin(), cells.end());
        for (const auto& [row, col, i] : cells) collectItem(grid->itemAt(i), out);
        return;
    }
    const auto* box = qobject_cast<QBoxLayout*>(layout);
    const bool backwards = box && (box->direction() == QBoxLayout::RightToLeft ||
                                   box->direction() == QBoxLayout::BottomToTop);
    const int n = layout->count();
    for (int k = 0; k < n; ++k) collectItem(layout->itemAt(backwards ? n - 1 - k : k), out);
}

// What a Tab stop stands for: an exclusive row of radio buttons, or the
// entry itself.
QObject* rowOf(QWidget* w) {
    auto* radio = qobject_cast<QRadioButton*>(w);
    if (!radio) return w;
    if (QButtonGroup* g = radio->group(); g && g->exclusive()) return g;
    return radio->autoExclusive() ? radio->parent() : w;
}

bool isChecked(QWidget* w) {
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->isChecked();
}

}  // namespace

bool focusNextInReadingOrder(QWidget* window, bool next) {
    if (!window || !window->layout()) return false;
    Entries all;
    collectLayout(window->layout(), all);
    // The entries Tab stops at now, each with what it stands for (a radio
    // row stands for all its buttons).
    Entries stops;
    std::vector<QObject*> standsFor;
    for (QWidget* w : all) {
        if (!w->isVisible() || !w->isEnabled() || !(w->focusPolicy() & Qt::TabFocus)) continue;
        QObject* row = rowOf(w);
        auto seen = std::find(standsFor.begin(), standsFor.end(), row);
        if (seen == standsFor.end()) {
            stops.push_back(w);
            standsFor.push_back(row);
        } else if (isChecked(w)) {
            stops[seen - standsFor.begin()] = w;  // a row is entered at its choice
        }
    }
    QWidget* focus = QApplication::focusWidget();
    if (!focus || stops.empty()) return false;
    QObject* at = nullptr;
    for (QWidget* w : all)
        if (w == focus || w->isAncestorOf(focus)) at = rowOf(w);
    auto here = std::find(standsFor.begin(), standsFor.end(), at);
    if (!at || here == standsFor.end()) return false;
    const int n = static_cast<int>(stops.size());
    const int i = static_cast<int>(here - standsFor.begin());
    stops[(i + (next ? 1 : n - 1)) % n]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}

}  // namespace qv::ui
