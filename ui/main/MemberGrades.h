#pragma once
// Rebuilding the member-grade table behind its status window.

#include "ui/framework/AppContext.h"

class QWidget;

namespace qv::ui {

// Rebuilds the table for the current season (and sets GLO:SeasonId),
// announcing "updating" when a change mark is set, and clears the marks.
void refreshMemberGrades(ui::AppContext& ctx, QWidget* parent);

}  // namespace qv::ui
