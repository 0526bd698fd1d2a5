#include "bench/core/data/SyntheticClub.h"

#include <random>
#include <string>
#include <vector>

namespace qv::bench {

using namespace qv::data;

namespace {

const char* const kLabels[] = {"Division", "Season", "Grade",     "Species",  "Members",
                               "GradeHistory", "Trips", "TripMember", "TripScore"};

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
                    std::shuffle(anglers.begin(), anglers.end(), rng);
                    for (int a = 0; a < size.anglersPerTrip; ++a) {
                        trm.clear();
                        trm.setNumber(1, tripId);
                        trm.setNumber(2, anglers[a]);
                        trm.setNumber(7, 1 + rng() % 20);
                        trm.setDecimal(8, Decimal::fromUnits(rng() % 2000000, 2));
                        trm.setDecimal(10, Decimal::fromUnits(rng() % 100000, 2));
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
