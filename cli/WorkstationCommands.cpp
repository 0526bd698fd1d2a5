// init and start: making and starting a workstation.

#include "cli/Cli.h"
#include "data/Workstation.h"

namespace qv::cli {

using namespace qv::data;

namespace {

int initCommand(Context& ctx) {
    if (!ctx.args.empty()) return kUsage;
    if (Status s = initWorkstation(ctx.startFolder); !s) return report(ctx, s);
    ctx.out << "Quillavon: workstation made in " << ctx.startFolder << '\n';
    return kOk;
}

}  // namespace

void registerWorkstationCommands() {
    commands()["init"] = {initCommand, "init"};
}

}  // namespace qv::cli
