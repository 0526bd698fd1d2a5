#include "bench/core/data/SyntheticClub.h"

#include <random>
#include <string>
#include <vector>

namespace qv::bench {

using namespace qv::data;

namespace {

const char* const kLabels[] = {"Division", "Season", "Grade",     "Species",  "Members",
                               "GradeHistory", "Trips", "TripMember", "TripScore",
                               "TripCatch",    "Teams"};

}  // namespace

Status writeSyntheticClub(Store& store, const ClubSize& size, ClubCounts& counts) {
    for (const char* l : kLabels)
        if (Status s = store.open(l); !s) return s;
    std::mt19937 rng(20261207);
    auto put = [&](Record& r) {
        Status s = store.insert(r);
        if (s) ++counts.records;
        return s;
    };

    Status s = store.inTransaction(Location::Club, [&]() -> Status {
        Record div = store.newRecord("Division");
        for (int d = 1; d <= size.divisions; ++d) {
            div.clear();
            div.setText(1, "Division " + std::to_string(d));
            div.setText(2, "N");
            if (Status s = put(div); !s) return s;
        }
        Record gra = store.newRecord("Grade");
        for (int g = 1; g <= 5; ++g) {
            gra.clear();
            gra.setText(1, "Grade " + std::to_string(g));
            gra.setNumber(2, g);
            gra.setText(3, "N");
            if (Status s = put(gra); !s) return s;
        }
        Record spe = store.newRecord("Species");
        for (int d = 1; d <= size.divisions; ++d)
            for (int p = 1; p <= size.speciesPerAngler; ++p) {
                spe.clear();
                spe.setNumber(1, d);
                spe.setText(2, "Species " + std::to_string(d) + "-" + std::to_string(p));
                spe.setNumber(3, p);
                spe.setText(4, "N");
                spe.setDecimal(5, Decimal::fromUnits(100 + 10 * p, 2));
                spe.setDecimal(6, Decimal::fromUnits(50 * p, 2));
                if (Status s = put(spe); !s) return s;
            }
        Record mem = store.newRecord("Members");
        Record grh = store.newRecord("GradeHistory");
        for (int m = 1; m <= size.members; ++m) {
            mem.clear();
            mem.setText(1, "First" + std::to_string(m));
            mem.setText(2, "Last" + std::to_string(m % 397));
            mem.setText(3, m % 7 == 0 ? "Y" : "N");
            mem.setText(4, m % 5 == 0 ? "Y" : "N");
            mem.setText(6, "N");
            mem.setText(7, mem.text(1) + " " + mem.text(2));
            if (Status s = put(mem); !s) return s;
            for (int d = 1; d <= size.divisions; ++d) {
                grh.clear();
                grh.setNumber(1, m);
                grh.setNumber(2, 1 + (m + d) % 5);
                grh.setNumber(3, d);
                grh.setText(4, "2000");
                if (Status s = put(grh); !s) return s;
            }
        }
        return Status::ok();
    });
    if (!s) return s;

    Record sea = store.newRecord("Season");
    Record trp = store.newRecord("Trips");
    Record trm = store.newRecord("TripMember");
    Record tsc = store.newRecord("TripScore");
    Record tpc = store.newRecord("TripCatch");
    Record tea = store.newRecord("Teams");
    const char* const kReleaseKill[] = {"Release", "Caught", "Caught"};
    const char* const kFly[] = {"Fly", "Non-Fly", "Non-Fly", "No Record"};
    const int kLineClasses[] = {2, 4, 6, 10, 15, 24};
    std::vector<int> anglers(size.members);
    for (int i = 0; i < size.members; ++i) anglers[i] = i + 1;
    for (int y = 0; y < size.seasons; ++y) {
        s = store.inTransaction(Location::Club, [&]() -> Status {
            std::string season = std::to_string(2000 + y);
            sea.clear();
            sea.setText(0, season);
            sea.setText(1, season + "-" + std::to_string(2001 + y));
            sea.setText(2, y + 1 == size.seasons ? "Y" : "N");
            sea.setText(3, "M");
            sea.setText(4, "P");
            sea.setText(5, "W");
            if (Status s = put(sea); !s) return s;
            const bool catches = y >= size.seasons - size.catchSeasons;
            for (int d = 1; d <= size.divisions; ++d)
                for (int t = 1; t <= size.tripsPerSeasonAndDivision; ++t) {
                    trp.clear();
                    trp.setNumber(1, d);
                    trp.setText(2, season);
                    trp.setNumber(3, t);
                    trp.setNumber(4, 73000 + y * 365 + t * 7);
                    trp.setText(5, "Harbour " + std::to_string(t));
                    trp.setText(7, "N");
                    if (Status s = put(trp); !s) return s;
                    const int64_t tripId = trp.number(0);
                    std::vector<int64_t> teams;
                    for (int k = 0; catches && k < size.teamsPerTrip; ++k) {
                        tea.clear();
                        tea.setText(1, "Team " + std::to_string(k + 1));
                        tea.setNumber(2, tripId);
                        if (Status s = put(tea); !s) return s;
                        teams.push_back(tea.number(0));
                    }
                    std::shuffle(anglers.begin(), anglers.end(), rng);
                    for (int a = 0; a < size.anglersPerTrip; ++a) {
                        trm.clear();
                        trm.setNumber(1, tripId);
                        trm.setNumber(2, anglers[a]);
                        trm.setNumber(7, 1 + rng() % 20);
                        trm.setDecimal(8, Decimal::fromUnits(rng() % 2000000, 2));
                        trm.setDecimal(10, Decimal::fromUnits(rng() % 100000, 2));
                        if (!teams.empty()) trm.setNumber(4, teams[a % teams.size()]);
                        if (Status s = put(trm); !s) return s;
                        ++counts.tripMembers;
                        const int64_t tmId = trm.number(0);
                        for (int p = 1; p <= size.speciesPerAngler; ++p) {
                            tsc.clear();
                            tsc.setNumber(1, tmId);
                            tsc.setNumber(2, (d - 1) * size.speciesPerAngler + p);
                            tsc.setNumber(3, rng() % 6);
                            tsc.setDecimal(4, Decimal::fromUnits(rng() % 9000000, 3));
                            tsc.setDecimal(5, Decimal::fromUnits(rng() % 12000, 2));
                            tsc.setDecimal(6, Decimal::fromUnits(600, 2));
                            if (Status s = put(tsc); !s) return s;
                            ++counts.tripScores;
                        }
                        for (int c = 0; catches && c < size.catchesPerAngler; ++c) {
                            const int p = 1 + static_cast<int>(rng() % size.speciesPerAngler);
                            tpc.clear();
                            tpc.setNumber(1, tmId);
                            tpc.setNumber(2, (d - 1) * size.speciesPerAngler + p);
                            tpc.setText(3, "Species " + std::to_string(d) + "-" + std::to_string(p));
                            tpc.setDecimal(4, Decimal::fromUnits(100 * kLineClasses[rng() % 6], 2));
                            tpc.setDecimal(5, Decimal::fromUnits(100 + rng() % 9000, 3));
                            tpc.setDecimal(6, Decimal::fromUnits(1500 + rng() % 9000, 2));
                            tpc.setText(7, kReleaseKill[rng() % 3]);
                            tpc.setText(8, "Witness " + std::to_string(rng() % 100));
                            tpc.setText(9, kFly[rng() % 4]);
                            tpc.setDecimal(10, Decimal::fromUnits(rng() % 20000, 2));
                            tpc.setDecimal(11, Decimal::fromUnits(100 + 10 * p, 2));
                            if (Status s = put(tpc); !s) return s;
                            ++counts.tripCatches;
                        }
                    }
                }
            return Status::ok();
        });
        if (!s) return s;
    }
    for (const char* l : kLabels) store.close(l);
    return Status::ok();
}

}  // namespace qv::bench
