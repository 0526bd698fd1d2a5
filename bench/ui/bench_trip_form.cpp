// Opening the trip scoring form on an angler of a 60-angler trip with 12
// species in the large synthetic club, as a scorer does all evening: the
// goal is under 100 ms from the click to a form ready for the keyboard.

#include <QApplication>
#include <QElapsedTimer>
#include <QWidget>

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

#include "bench/core/data/SyntheticClub.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/scoring/Winners.h"
#include "ui/framework/AppContext.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/Windows.h"
#include "ui/trips/TripContext.h"

namespace fs = std::filesystem;
using namespace qv;

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ui::registerAllWindows();
    const fs::path folder = fs::temp_directory_path() / ("quillavon-bench-form-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    fs::create_directories(folder);
    std::unique_ptr<data::Store> store;
    data::System settings;
    if (!data::initWorkstation(folder.string()) || !data::openWorkstation(folder.string(), store, &settings)) return 1;
    bench::ClubSize size;
    size.speciesPerAngler = 12;
    bench::ClubCounts counts;
    if (!bench::writeSyntheticClub(*store, size, counts)) return 1;
    settings.FightFactorScoring = 1;
    settings.IndividualCatchesApplies = 0;

    session::Globals& g = session::globals();
    g.SecurityLevel = "Scorer";
    ui::AppContext ctx{*store, g, folder.string(), settings};
    scoring::ScoringContext scoring(*store, settings, g);
    ctx.scoring = &scoring;
    data::Trips trip;
    trip.TripId = 1200;
    {
        data::FileUse use(*store, "Trips");
        if (!data::fetchRecord(*store, trip, "byTripId")) return 1;
    }
    trips::openTripForScoring(ctx, trip);
    scoring::BuildPriorTripWinners(scoring, trip.TripId, trip.DivisionId, trip.SeasonId);

    std::vector<qint64> times;
    for (int i = 0; i < 15; ++i) {
        QElapsedTimer t;
        t.start();
        QWidget* w = ui::createWindow("frmTripMembers", ctx, nullptr);
        if (!w) return 1;
        w->show();
        QApplication::processEvents();
        times.push_back(t.nsecsElapsed());
        delete w;
        QApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    std::cout << "trip scoring form on an angler of trip " << trip.TripId << " (60 anglers, 12 species), 15 openings:\n"
              << "  fastest " << times.front() / 1e6 << " ms, median " << times[times.size() / 2] / 1e6
              << " ms, slowest " << times.back() / 1e6 << " ms (goal 100 ms)\n";
    fs::remove_all(folder);
    return 0;
}
