#pragma once
// The two exports the report window starts instead of a report: the member
// history file of the chosen division and the export of all data. Each
// shows its status window and its message; true when the report window
// closes afterwards.

class QWidget;

namespace qv::ui {

struct AppContext;

bool runMemberHistoryExport(AppContext& ctx, QWidget* parent);
bool runExportAllData(AppContext& ctx, QWidget* parent);

}  // namespace qv::ui
