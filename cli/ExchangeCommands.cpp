// The data exchange on the command line:
//
//   export-xml --user ID                    every record into START/exportdata/*.xml
//   export-csv --division ID --user ID      the division's member history, START/DATA/EXPORT.CSV
//   archive export [--ftp] --user ID        START/export/Quillavon.7z, uploaded with --ftp
//   archive import [--ftp] --user ID        backs up, downloads with --ftp, replaces the club's data
//
// Running a command is the answer Yes to the window's question.

#include <cstdlib>

#include "cli/Cli.h"
#include "core/exchange/AllDataExport.h"
#include "core/exchange/ExchangeFolders.h"
#include "core/exchange/MemberHistoryCsv.h"
#include "core/exchange/Transfer.h"
#include "core/session/Globals.h"

namespace qv::cli {

using namespace qv::data;
using namespace qv::exchange;

namespace {

int exportXml(Context& ctx) {
    if (!ctx.args.empty()) return kUsage;
    AllDataExport run;
    if (Status s = ExportAllData(ctx.store(), ctx.startFolder, run); !s) return report(ctx, s);
    for (const Message& m : run.messages) report(ctx, m);
    for (const std::string& f : run.files) ctx.out << "file: " << f << '\n';
    if (run.files.empty()) return kRefused;
    const Message done = exportDoneMessage(ctx.startFolder);
    ctx.out << done.title << ": " << done.text << '\n';
    return run.messages.empty() ? kOk : kRefused;
}

int exportCsv(Context& ctx) {
    if (ctx.args.size() != 2 || ctx.args[0] != "--division") return kUsage;
    char* end = nullptr;
    const long id = std::strtol(ctx.args[1].c_str(), &end, 10);
    if (*end || id < 1 || id > INT32_MAX) return usageError(ctx, "--division needs a whole number of 1 or more");
    MemberHistoryExport run;
    if (Status s = ExportMemberHistory(ctx.store(), static_cast<int32_t>(id), ctx.startFolder, run); !s)
        return report(ctx, s);
    if (run.message.title != "Member History Export") return report(ctx, run.message);
    ctx.out << "file: " << run.file << " (" << run.members << " members)\n";
    ctx.out << run.message.title << ": " << run.message.text << '\n';
    return kOk;
}

int archive(Context& ctx) {
    const bool ftp = ctx.args.size() == 2 && ctx.args[1] == "--ftp";
    if (ctx.args.empty() || ctx.args.size() > 2 || (ctx.args.size() == 2 && !ftp)) return kUsage;
    const bool isExport = ctx.args[0] == "export";
    if (!isExport && ctx.args[0] != "import") return kUsage;

    TransferRequest request;
    request.startFolder = ctx.startFolder;
    request.clubDatabase = ctx.session->clubDatabase;
    request.option = !ftp ? TransferOption::Local : isExport ? TransferOption::Upload : TransferOption::Download;
    if (Status s = readFtpSettings(ctx.store(), ctx.session->settings, request.ftp); !s) return report(ctx, s);
    TransferOutcome outcome;
    auto status = [&](std::string_view text) {
        if (!text.empty()) ctx.out << "ftp: " << text << '\n';
    };
    if (isExport)
        runExport(ctx.store(), session::globals(), request, outcome, status);
    else
        runImport(ctx.store(), session::globals(), request, outcome, status);
    for (const Message& m : outcome.messages) report(ctx, m);
    if (!outcome.done) return kRefused;
    if (isExport) ctx.out << "archive: " << exportArchive(ctx.startFolder) << '\n';
    else ctx.out << "backup: " << backupArchive(ctx.startFolder) << "\nimported: " << importArchive(ctx.startFolder) << '\n';
    ctx.out << "transfer: " << outcome.stamp << '\n';
    return outcome.messages.empty() ? kOk : kRefused;
}

}  // namespace

void registerExchangeCommands() {
    const Need staff = needs(session::Access::Staff);
    commands()["export-xml"] = {exportXml, "export-xml --user ID", staff};
    commands()["export-csv"] = {exportCsv, "export-csv --division ID --user ID", staff};
    commands()["archive"] = {archive, "archive export|import [--ftp] --user ID", staff};
}

}  // namespace qv::cli
