// The data exchange on the large synthetic club: the export of all data to
// XML, and the archive's round trip (export, then import of that archive),
// each timed with its throughput, then the stages of the round trip one by
// one. All best of three, with the process's processor time beside the
// wall time: on a busy machine the two tell apart our work and the waiting.
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
using bench::Best;
using bench::since;
using bench::Timing;

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

    // QUILLAVON_BENCH_ARCHIVE_ONLY=1 leaves out the XML export.
    if (!std::getenv("QUILLAVON_BENCH_ARCHIVE_ONLY")) {
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
    }

    session::Globals g;
    exchange::TransferRequest request;
    request.startFolder = folder.string();
    request.clubDatabase = clubDb;
    Best exported, imported;
    for (int run = 0; run < 3; ++run) {
        exchange::TransferOutcome out;
        {
            Timing t(exported);
            exchange::runExport(*store, g, request, out);
        }
        check(out.done, "archive export");
        fs::create_directories(folder / "import");
        fs::copy_file(exchange::exportArchive(folder.string()), exchange::importArchive(folder.string()),
                      fs::copy_options::overwrite_existing);
        {
            Timing t(imported);
            exchange::runImport(*store, g, request, out);
        }
        check(out.done, "archive import");
    }
    const double db = megabytes(fs::file_size(clubDb));
    std::cout << "archive export: " << db << " MB database -> "
              << megabytes(fs::file_size(exchange::exportArchive(folder.string()))) << " MB archive in "
              << exported.wall << " s (cpu " << exported.cpu << " s) = " << db / exported.wall << " MB/s\n";
    std::cout << "archive import (backup, unpack, check, replace): " << imported.wall << " s (cpu " << imported.cpu
              << " s) = " << db / imported.wall << " MB/s\n";
    std::cout << "archive round trip: " << exported.wall + imported.wall << " s (goal < 5 s)\n";

    // The steps one by one, to see where the time goes (best of three, wall
    // and processor time of the whole process).
    const fs::path work = folder / "steps";
    const std::string packed = (work / "a.7z").string(), storedPath = (work / "b.7z").string(),
                      arrived = (work / "out" / exchange::kClubDatabaseName).string();
    Best pack, stored7z, unpack, checked, replace, both;
    std::string why;
    for (int run = 0; run < 3; ++run) {
        fs::remove_all(work);
        fs::create_directories(work / "out");
        {
            Timing t(pack);
            check(exchange::packClubDatabase(clubDb, packed, exchange::Packing::Deflate, why) == 0, "pack " + why);
        }
        {
            Timing t(stored7z);
            check(exchange::packClubDatabase(clubDb, storedPath, exchange::Packing::Store, why) == 0, "store " + why);
        }
        std::vector<std::string> names;
        {
            Timing t(unpack);
            check(exchange::extractArchive(packed, (work / "out").string(), {}, names, why) == 0, "extract " + why);
        }
        {
            Timing t(checked);
            check(exchange::checkClubDatabase(arrived, why), "check " + why);
        }
        {
            Timing t(replace);
            check(exchange::replaceClubDatabase(clubDb, arrived, why), "replace " + why);
        }
        {
            Timing t(both);
            check(exchange::importClubDatabase(clubDb, arrived, why), "check and replace " + why);
        }
    }
    for (const auto& [name, b] : std::vector<std::pair<const char*, Best>>{
             {"pack (deflate, the export)", pack}, {"pack (stored, the backup)", stored7z}, {"unpack", unpack},
             {"check", checked}, {"replace", replace}, {"check, then replace (the import)", both}})
        std::cout << "  " << name << ": " << b.wall << " s (cpu " << b.cpu << " s)\n";
    return 0;
}
