#include "ui/exchange/DataExportActions.h"

#include <QApplication>

#include "core/exchange/AllDataExport.h"
#include "core/exchange/MemberHistoryCsv.h"
#include "ui/framework/AppContext.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StatusWindow.h"

namespace qv::ui {

bool runMemberHistoryExport(AppContext& ctx, QWidget* parent) {
    exchange::MemberHistoryExport out;
    data::Status s = data::Status::ok();
    {
        StatusWindow status(parent, "Quillavon - Processing Report", exchange::kExportingFileText);
        status.show();
        QApplication::processEvents();
        s = exchange::ExportMemberHistory(ctx.store, ctx.globals.DivisionId, ctx.startFolder, out);
    }
    if (!s) {
        showFailure(parent, s.message());
        return false;
    }
    inform(parent, out.message);
    return true;
}

bool runExportAllData(AppContext& ctx, QWidget* parent) {
    exchange::AllDataExport out;
    data::Status s = data::Status::ok();
    {
        StatusWindow status(parent, "Quillavon - Processing Data", exchange::kExportingFilesText);
        status.show();
        QApplication::processEvents();
        s = exchange::ExportAllData(ctx.store, ctx.startFolder, out, [&](std::string_view text) {
            status.setText(QString::fromUtf8(text.data(), static_cast<int>(text.size())));
            QApplication::processEvents();
        });
    }
    if (!s) {
        showFailure(parent, s.message());
        return false;
    }
    for (const Message& m : out.messages) inform(parent, m);
    if (!out.files.empty()) inform(parent, exchange::exportDoneMessage(ctx.startFolder));
    return true;
}

}  // namespace qv::ui
