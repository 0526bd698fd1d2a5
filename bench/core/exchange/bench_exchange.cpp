// The data exchange on the large synthetic club: the export of all data to
// XML, and the archive's round trip (export, then import of that archive),
// each timed with its throughput.
//
// Goals: the XML export at 50 MB/s or more; a whole archive round trip
// under 5 s.

#include <cstdlib>
#include <filesystem>
#include <iomanip>
#include <iostream>

#include "bench/core/data/BenchSupport.h"
#include "bench/core/data/SyntheticClub.h"
#include "core/exchange/AllDataExport.h"
#include "core/exchange/Archive.h"
#include "core/exchange/ClubDatabase.h"
#include "core/exchange/ExchangeFolders.h"
#include "core/exchange/Transfer.h"

namespace fs = std::filesystem;
using namespace qv;
using bench::check;
using bench::Clock;
using bench::since;

namespace {

double megabytes(uintmax_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

int main() {
    // QUILLAVON_BENCH_KEEP=FOLDER keeps the club in FOLDER and uses it again
    // on the next run.
    bench::BenchWorkstation ws;
    bench::openBenchWorkstation("exchange", std::getenv("QUILLAVON_BENCH_KEEP"), ws);
    const std::unique_ptr<data::Store>& store = ws.store;
    const fs::path& folder = ws.folder;
    bench::ClubSize size;
    bench::ClubCounts counts;
    auto t0 = Clock::now();
    if (!ws.reuse) check(bench::writeSyntheticClub(*store, size, counts).isOk(), "club");
    const std::string clubDb = store->paths().clubDb;
    std::cout << std::fixed << std::setprecision(2) << "synthetic club: " << counts.records << " records, "
              << megabytes(fs::file_size(clubDb)) << " MB database, written in " << since(t0) << " s\n";

    double best = 1e9;
    exchange::AllDataExport xml;
    for (int run = 0; run < 3; ++run) {
        t0 = Clock::now();
        check(exchange::ExportAllData(*store, folder.string(), xml).isOk() && xml.messages.empty(), "export-xml");
        best = std::min(best, since(t0));
    }
    std::cout << "export-xml: " << xml.rows << " rows, " << megabytes(static_cast<uintmax_t>(xml.bytes))
              << " MB in " << best << " s = " << megabytes(static_cast<uintmax_t>(xml.bytes)) / best
              << " MB/s (goal >= 50 MB/s)\n";

    session::Globals g;
    exchange::TransferRequest request;
    request.startFolder = folder.string();
    request.clubDatabase = clubDb;
    double bestExport = 1e9, bestImport = 1e9;
    for (int run = 0; run < 3; ++run) {
        exchange::TransferOutcome out;
        t0 = Clock::now();
        exchange::runExport(*store, g, request, out);
        bestExport = std::min(bestExport, since(t0));
        check(out.done, "archive export");
        fs::create_directories(folder / "import");
        fs::copy_file(exchange::exportArchive(folder.string()), exchange::importArchive(folder.string()),
                      fs::copy_options::overwrite_existing);
        t0 = Clock::now();
        exchange::runImport(*store, g, request, out);
        bestImport = std::min(bestImport, since(t0));
        check(out.done, "archive import");
    }
    const double db = megabytes(fs::file_size(clubDb));
    std::cout << "archive export: " << db << " MB database -> "
              << megabytes(fs::file_size(exchange::exportArchive(folder.string()))) << " MB archive in " << bestExport
              << " s = " << db / bestExport << " MB/s\n";
    std::cout << "archive import (backup, unpack, check, replace): " << bestImport << " s = " << db / bestImport
              << " MB/s\n";
    std::cout << "archive round trip: " << bestExport + bestImport << " s (goal < 5 s)\n";

    // The steps one by one, to see where the time goes.
    const fs::path work = folder / "steps";
    fs::remove_all(work);
    fs::create_directories(work / "out");
    std::string why;
    t0 = Clock::now();
    check(exchange::snapshotClubDatabase(clubDb, (work / "copy.db").string(), why), "snapshot " + why);

    std::cout << "  snapshot (page copy): " << since(t0) << " s\n";
    t0 = Clock::now();
    check(exchange::packArchive((work / "a.7z").string(), {{"QUILLAVON.DB", (work / "copy.db").string()}}, why) == 0,
          "pack " + why);
    std::cout << "  pack: " << since(t0) << " s\n";
    std::vector<std::string> names;
    t0 = Clock::now();
    check(exchange::extractArchive((work / "a.7z").string(), (work / "out").string(), {}, names, why) == 0,
          "extract " + why);
    std::cout << "  unpack: " << since(t0) << " s\n";
    t0 = Clock::now();
    check(exchange::checkClubDatabase((work / "out" / "QUILLAVON.DB").string(), why), "check " + why);
    std::cout << "  check: " << since(t0) << " s\n";
    t0 = Clock::now();
    check(exchange::replaceClubDatabase(clubDb, (work / "out" / "QUILLAVON.DB").string(), why), "replace " + why);
    std::cout << "  replace: " << since(t0) << " s\n";
    return 0;
}
