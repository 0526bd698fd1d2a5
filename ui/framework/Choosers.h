#pragma once
// Drop lists that several windows put in their top row.

class QBoxLayout;
class QComboBox;
class QWidget;

namespace qv::ui {

struct AppContext;

// "Di&vision:" and a list of the divisions by name after a blank entry
// (data: the division id, 0 for the blank), added to `row`.
QComboBox* addDivisionChoice(AppContext& ctx, QBoxLayout* row, QWidget* parent);

}  // namespace qv::ui
