#include "core/demo/DemoClub.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <memory>
#include <random>
#include <set>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "core/data/NamedSettings.h"
#include "core/data/ClubRecords.h"
#include "core/data/Date.h"
#include "core/data/Decimal.h"
#include "core/data/Store.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/TripMemberScoring.h"

namespace qv::demo {

using namespace qv::data;

const DemoUser kDemoUsers[4] = {
    {"scorer", "scorer1", "Demo Scorer", "Scorer"},
    {"admin", "admin1", "Demo Administrator", "Administrator"},
    {"developer", "developer1", "Demo Developer", "Developer"},
    {"member", "member1", "Demo Member", "Member"},
};

namespace {

// ---------------------------------------------------------------- tables

// The demo club fishes calendar-year seasons, so that every trip of the
// current season lies in the past.
struct SeasonPlan {
    const char* id;
    const char* desc;
    const char* current;
    const char* measurement;
    const char* handicap;
    const char* scoring;
};
const SeasonPlan kSeasons[] = {
    {"2024", "Season 2024", "N", "M", "P", "W"},
    {"2025", "Season 2025", "N", "I", "N", "L"},
    {"2026", "Season 2026", "Y", "M", "P", "B"},
};
constexpr size_t kSeasonCount = std::size(kSeasons);

enum GradeIndex { kGradeA, kGradeB, kGradeC, kJunior, kSenior };
const char* const kGrades[] = {"A Grade", "B Grade", "C Grade", "Junior", "Senior"};

enum TrophyIndex {
    kBoatChampion,
    kShoreChampion,
    kBoatBestFish,
    kShoreBestFish,
    kVisitorsPlate,
    kLadiesBowl,
    kVeteransSalver,
    kFoundersTankard
};
struct TrophyPlan {
    const char* name;
    const char* description;
    const char* inactive;
};
const TrophyPlan kTrophies[] = {
    {"Offshore Championship Shield", "Season placings of the offshore boat division", "N"},
    {"Freshwater Championship Cup", "Season placings of the freshwater shore division", "N"},
    {"Offshore Best Fish Medal", "Best fish of an offshore trip", "N"},
    {"Freshwater Best Fish Medal", "Best fish of a freshwater trip", "N"},
    {"Visitors' Plate", "Best fish by a visiting angler in the season", "N"},
    {"Ladies' Rose Bowl", "Leading lady angler of the season in a division", "N"},
    {"Veterans' Salver", "Leading veteran angler of the season in a division", "N"},
    {"Founders' Tankard", "Longest-serving committee member; retired in 2023", "Y"},
};

// Sizes in grams and millimetres; the imperial season converts them.
struct SpeciesPlan {
    const char* name;
    int fightFactor;  // hundredths
    int teamPoints;   // hundredths
    int minGrams, maxGrams;
    int minMm, maxMm;
    int commonness;  // relative share of the catches; 0: no longer fished
};
const SpeciesPlan kBoatSpecies[] = {
    {"Snapper", 200, 1000, 600, 6500, 270, 750, 30},
    {"Kingfish", 350, 2000, 6000, 28000, 750, 1400, 5},
    {"Red Gurnard", 150, 500, 400, 1800, 300, 520, 20},
    {"Tarakihi", 150, 600, 500, 1800, 280, 450, 18},
    {"John Dory", 250, 1200, 600, 2500, 280, 480, 8},
    {"Trevally", 200, 800, 800, 4500, 350, 650, 14},
    {"Blue Cod", 125, 500, 500, 3000, 300, 550, 0},
};
const SpeciesPlan kShoreSpecies[] = {
    {"Brown Trout", 300, 1500, 800, 5500, 350, 700, 22},
    {"Rainbow Trout", 275, 1200, 700, 4500, 330, 650, 25},
    {"Perch", 100, 400, 150, 1200, 180, 400, 20},
    {"Tench", 175, 600, 500, 3000, 300, 550, 10},
    {"Common Carp", 225, 800, 1500, 9000, 400, 800, 8},
    {"Eel", 125, 500, 400, 3500, 500, 1100, 10},
    {"Brook Trout", 300, 1500, 300, 2000, 250, 450, 0},
};

const char* const kBoatSpots[] = {"Hollis Reef",      "Cape Marrow Banks",     "Outer Tern Island",
                                  "Brackwater Shelf", "Gannet Rock Pinnacles", "Stillwater Bay",
                                  "Mokoroa Channel",  "North Spit Wrecks"};
const char* const kShoreSpots[] = {"Lake Ardley",        "Corrin River Mouth", "Millhouse Weir",
                                   "Tawhiti Stream",     "Ashcombe Reservoir", "Fenwick Canal",
                                   "Upper Loddon Pools", "Greystone Lagoon"};
const int kBoatLineClasses[] = {6, 8, 10, 15, 24};
const int kShoreLineClasses[] = {2, 3, 4, 6};

struct DivisionPlan {
    const char* name;
    int bestTrips;
    std::span<const SpeciesPlan> species;
    std::span<const char* const> spots;
    std::span<const int> lineClasses;  // kg
    int releasePercent;
    int flyPercent;         // 0: fly fishing is not recorded in the division
    int daysAfterSaturday;  // the division fishes on Saturdays (0) or Sundays (1)
    TrophyIndex champion, bestFish;
};
const DivisionPlan kDivisions[] = {
    {"Offshore Boat", 6, kBoatSpecies, kBoatSpots, kBoatLineClasses, 20, 0, 0, kBoatChampion,
     kBoatBestFish},
    {"Freshwater Shore", 6, kShoreSpecies, kShoreSpots, kShoreLineClasses, 60, 45, 1,
     kShoreChampion, kShoreBestFish},
};
constexpr size_t kDivisionCount = std::size(kDivisions);

const char* const kInterClub[] = {"v Port Ellery AC", "Tri-Club Challenge", "v Harbourside Anglers",
                                  "Regional Open Day"};
const char* const kTeamNames[] = {"Tight Lines", "Reel Deal",    "Tide Runners",
                                  "Sinkers",     "Early Risers", "Net Gains"};
const char* const kComments[] = {"Lost a good fish at the net", "Fished the morning tide only",
                                 "Reel trouble early on", "New personal best",
                                 "Left early, weather turned"};

// Marks: L lady, V veteran from the first season, v veteran from the middle
// season, J junior, X no longer active.
struct PersonPlan {
    const char* first;
    const char* last;
    const char* marks;
};
const PersonPlan kMembers[] = {
    {"Aroha", "Kettering", "L"}, {"Bram", "Halloway", ""},     {"Callum", "Pettigrew", "V"},
    {"Dina", "Morrow", "L"},     {"Ewan", "Strachan", ""},     {"Fergus", "Altham", "v"},
    {"Greta", "Lindqvist", "L"}, {"Hamish", "Corrigan", "J"},  {"Ivo", "Brenner", ""},
    {"Jasper", "Thorne", ""},    {"Keri", "Waddell", "Lv"},    {"Lachlan", "Frew", ""},
    {"Mere", "Tapsell", "L"},    {"Niall", "Deverell", "V"},   {"Olwen", "Marsh", "LJ"},
    {"Piet", "van Roon", ""},    {"Rangi", "Whitcombe", ""},   {"Saoirse", "Dunleavy", "L"},
    {"Tomas", "Kerrigan", "J"},  {"Una", "Fairbrother", "LV"}, {"Vaughan", "Penrose", ""},
    {"Wiremu", "Tane", ""},      {"Xavier", "Lunn", ""},       {"Yusuf", "Adeyemi", ""},
    {"Zara", "Holcombe", "L"},   {"Alistair", "Birkett", "V"}, {"Bronwyn", "Tasker", "L"},
    {"Conor", "Maclaine", ""},   {"Declan", "Ashby", "v"},     {"Elspeth", "Rowe", "Lv"},
    {"Finn", "Gartside", "J"},   {"Gideon", "Stroud", ""},     {"Harriet", "Lyle", "L"},
    {"Isaac", "Pemberton", ""},  {"Jonah", "Tiller", ""},      {"Kasia", "Nowicka", "L"},
    {"Leon", "Bassett", "X"},    {"Moira", "Penhallow", "LX"}, {"Nigel", "Oakes", "VX"},
    {"Oscar", "Dunmore", "X"},
};
const PersonPlan kVisitors[] = {
    {"Ruben", "Achterberg", ""}, {"Tessa", "Gilroy", "L"},    {"Marcus", "Ferreira", ""},
    {"Kiri", "Pohatu", "L"},     {"Douglas", "Renwick", "V"}, {"Lena", "Vasquez", "L"},
    {"Samir", "Haddad", ""},     {"Owen", "Pritchard", ""},   {"Ingrid", "Solberg", "L"},
    {"Hugh", "Blackmore", "V"},  {"Amara", "Osei", "L"},      {"Dermot", "Rafferty", ""},
};

bool marked(const PersonPlan& p, char mark) {
    return std::string_view(p.marks).find(mark) != std::string_view::npos;
}
const char* flag(bool on) {
    return on ? "Y" : "N";
}

std::string fullName(const PersonPlan& p) {
    return std::string(p.first) + " " + p.last;
}

std::string emailOf(const PersonPlan& p) {
    std::string out;
    for (std::string_view part :
         {std::string_view(p.first), std::string_view("."), std::string_view(p.last)})
        for (char c : part)
            if (std::isalnum(static_cast<unsigned char>(c)) || c == '.')
                out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out + "@example.org";
}

// ---------------------------------------------------------------- helpers

// Imperial measures are kept as whole.part values, the two digits after the
// point a count of parts: pounds and ounces (00-15) for a weight, wholes and
// twelfths (00-11) for a length. 2.10 is 2 lb 10 oz, not 2.1 lb.
Decimal poundsAndOunces(int64_t grams) {
    const int64_t ounces = (grams * 10000 + 283495 / 2) / 283495;  // 28.3495 g to the ounce
    return Decimal::fromUnits((ounces / 16) * 1000 + (ounces % 16) * 10, 3);
}
Decimal wholesAndTwelfths(int64_t mm) {
    const int64_t inches = (mm * 10 + 127) / 254;
    return Decimal::fromUnits((inches / 12) * 100 + inches % 12, 2);
}

// Fixed-seed numbers with our own ranges: the std:: distributions differ
// between library versions, and the demo must be the same everywhere.
class Rng {
  public:
    explicit Rng(uint32_t seed) : gen_(seed) {}
    // A whole number from lo to hi, both included, without modulo bias.
    int between(int lo, int hi) {
        const uint64_t span = static_cast<uint64_t>(hi - lo) + 1;
        const uint64_t limit = (uint64_t{1} << 32) - (uint64_t{1} << 32) % span;
        uint64_t x;
        do x = gen_();
        while (x >= limit);
        return lo + static_cast<int>(x % span);
    }
    size_t index(size_t count) {
        return static_cast<size_t>(between(0, static_cast<int>(count) - 1));
    }
    bool percent(int p) { return between(1, 100) <= p; }
    template <typename T>
    const T& pick(std::span<const T> items) {
        return items[index(items.size())];
    }
    template <typename T>
    void shuffle(std::vector<T>& v) {
        for (size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[index(i)]);
    }

  private:
    std::mt19937 gen_;
};

// The first day on or after `day` that falls `daysAfterSaturday` after a Saturday.
Date weekdayFrom(int32_t day, int daysAfterSaturday) {
    const int32_t saturday = Date::fromCivil(2000, 1, 1)->dayNumber();
    while (((day - saturday) % 7 + 7) % 7 != daysAfterSaturday) ++day;
    return Date(day);
}

// A failed write: ends the build, and the transaction undoes what was written.
struct Abort {
    Status status;
};

struct MemberInfo {
    const PersonPlan* plan = nullptr;
    int32_t id = 0;
    // Grade id per division and season; 0: no grade.
    std::array<std::array<int32_t, kSeasonCount>, kDivisionCount> grade{};
    Decimal seasonTotal;  // in the division and season being built
    bool veteranIn(size_t season) const {
        return marked(*plan, 'V') || (marked(*plan, 'v') && season >= 1);
    }
};

struct SpeciesInfo {
    Species rec;
    const SpeciesPlan* plan;
};

struct Catch {
    const SpeciesInfo* species = nullptr;
    Decimal weight, length, lineClass;
    std::string release, fly, witness;
};

struct Angler {
    MemberInfo* member = nullptr;  // null for a visitor
    int32_t nonMemberId = 0;
    std::string name;
    Decimal best;  // best fish by the season's measure
};

// ---------------------------------------------------------------- builder

class DemoBuilder {
  public:
    DemoBuilder(Store& store, DemoClubCounts& counts) : store_(store), counts_(counts) {}

    void build() {
        addGrades();
        addDivisionsAndSpecies();
        addSeasons();
        addTrophies();
        addMembers();
        for (size_t s = 0; s < kSeasonCount; ++s)
            for (size_t d = 0; d < kDivisionCount; ++d) addSeasonTrips(s, d);
        addUsers();
    }

  private:
    template <typename T>
    void put(T& r, size_t& counter) {
        if (Status s = insertRecord(store_, r); !s) throw Abort{s};
        ++counter;
    }

    void addGrades() {
        for (const char* name : kGrades) {
            Grade r;
            r.GradeName = name;
            r.ReportPosition = static_cast<int16_t>(gradeIds_.size() + 1);
            r.InactiveFlag = "N";
            put(r, counts_.grades);
            gradeIds_.push_back(r.GradeId);
        }
    }

    void addDivisionsAndSpecies() {
        for (const DivisionPlan& plan : kDivisions) {
            Division div;
            div.DivisionName = plan.name;
            div.InactiveFlag = "N";
            div.BestTripsNumber = plan.bestTrips;
            put(div, counts_.divisions);
            divisionIds_.push_back(div.DivisionId);
            std::vector<SpeciesInfo>& list = species_.emplace_back();
            for (const SpeciesPlan& sp : plan.species) {
                Species r;
                r.DivisionId = div.DivisionId;
                r.SpeciesName = sp.name;
                r.ReportPosition = static_cast<int16_t>(list.size() + 1);
                r.InactiveFlag = flag(sp.commonness == 0);
                r.FightFactor = Decimal::fromUnits(sp.fightFactor, 2);
                r.TeamPoints = Decimal::fromUnits(sp.teamPoints, 2);
                put(r, counts_.species);
                list.push_back({r, &sp});
            }
        }
    }

    void addSeasons() {
        for (const SeasonPlan& plan : kSeasons) {
            Season r;
            r.SeasonId = plan.id;
            r.SeasonDesc = plan.desc;
            r.CurrentSeasonFlag = plan.current;
            r.Measurement = plan.measurement;
            r.Handicap = plan.handicap;
            r.ScoringApplies = plan.scoring;
            put(r, counts_.seasons);
        }
    }

    void addTrophies() {
        for (const TrophyPlan& plan : kTrophies) {
            Trophy r;
            r.TrophyName = plan.name;
            r.Description = plan.description;
            r.InactiveFlag = plan.inactive;
            put(r, counts_.trophies);
            trophyIds_.push_back(r.TrophyId);
        }
    }

    void addMembers() {
        members_.reserve(std::size(kMembers));  // anglers point into it
        for (const PersonPlan& p : kMembers) {
            Members r;
            r.FirstName = p.first;
            r.LastName = p.last;
            r.FullName = fullName(p);
            r.LadiesFlag = flag(marked(p, 'L'));
            r.VeteranFlag = flag(marked(p, 'V') || marked(p, 'v'));
            if (marked(p, 'V')) r.VeteranStartSeason = kSeasons[0].id;
            if (marked(p, 'v')) r.VeteranStartSeason = kSeasons[1].id;
            r.InactiveFlag = flag(marked(p, 'X'));
            r.Email = emailOf(p);
            put(r, counts_.members);
            const size_t third = members_.size() % 3;
            MemberInfo& m = members_.emplace_back();
            m.plan = &p;
            m.id = r.MemberId;
            // A third of the club fishes both divisions, the rest one each.
            for (size_t d = 0; d < kDivisionCount; ++d)
                if (third == 0 || third == d + 1) addGradeHistory(m, d);
        }
    }

    // The member's grades in one division: a first grade from the season the
    // member joined, and for some a promotion (or a step down) in a later
    // season. A member who left has an end season on the last row.
    void addGradeHistory(MemberInfo& m, size_t d) {
        const bool left = marked(*m.plan, 'X');
        const size_t first = left || rng_.percent(75) ? 0 : rng_.percent(60) ? 1 : 2;
        const size_t last = left ? rng_.index(kSeasonCount - 1) : kSeasonCount - 1;
        size_t grade;
        if (marked(*m.plan, 'J'))
            grade = kJunior;
        else if (m.veteranIn(kSeasonCount - 1) && rng_.percent(40))
            grade = kSenior;
        else
            grade = rng_.percent(25) ? kGradeA : rng_.percent(45) ? kGradeB : kGradeC;
        if (grade == kSenior || last == first || !rng_.percent(grade == kJunior ? 60 : 30)) {
            addGradeRow(m, d, grade, first, last, left);
            return;
        }
        const size_t changeAt = first + 1 + rng_.index(last - first);
        const size_t next = grade == kJunior   ? kGradeC
                            : grade == kGradeC ? kGradeB
                            : grade == kGradeA ? kGradeB
                                               : (rng_.percent(50) ? kGradeA : kGradeC);
        addGradeRow(m, d, grade, first, changeAt - 1, true);
        addGradeRow(m, d, next, changeAt, last, left);
    }

    void addGradeRow(MemberInfo& m, size_t d, size_t grade, size_t first, size_t last, bool ended) {
        GradeHistory r;
        r.MemberId = m.id;
        r.GradeId = gradeIds_[grade];
        r.DivisionId = divisionIds_[d];
        r.StartSeasonId = kSeasons[first].id;
        if (ended) r.EndSeasonId = kSeasons[last].id;
        put(r, counts_.gradeHistory);
        for (size_t s = first; s <= last; ++s) m.grade[d][s] = r.GradeId;
    }

    // 8 to 10 trips from February to November, each division on its own
    // weekday, then the season's trophies from the totals.
    void addSeasonTrips(size_t s, size_t d) {
        const int trips = rng_.between(8, 10);
        const int32_t february = Date::fromCivil(std::stoi(kSeasons[s].id), 2, 1)->dayNumber();
        for (MemberInfo& m : members_) m.seasonTotal = Decimal();
        for (int k = 0; k < trips; ++k) {
            Date date = weekdayFrom(february + k * 270 / trips + rng_.between(0, 9),
                                    kDivisions[d].daysAfterSaturday);
            addTrip(s, d, k + 1, date);
        }
        awardSeasonTrophies(s, d);
    }

    void addTrip(size_t s, size_t d, int number, Date date) {
        Trips t;
        t.DivisionId = divisionIds_[d];
        t.SeasonId = kSeasons[s].id;
        t.SeasonTripNumber = number;
        t.TripDate = date;
        t.TripLocation = rng_.pick(kDivisions[d].spots);
        const bool interClub = rng_.percent(25);
        if (interClub) t.InterClubTripDesc = rng_.pick(std::span<const char* const>(kInterClub));
        t.AllowNonMembers = flag(interClub || rng_.percent(20));
        put(t, counts_.trips);

        std::vector<Angler> anglers = chooseMembers(s, d);
        if (t.AllowNonMembers == "Y" && rng_.percent(70)) addVisitors(t, anglers);
        std::vector<int32_t> teams;
        if (interClub) teams = addTeams(t, anglers.size() >= 16 ? 3 : 2);
        for (size_t i = 0; i < anglers.size(); ++i)
            addAngler(t, s, d, anglers, i, teams.empty() ? 0 : teams[i % teams.size()]);
        awardTripTrophies(t, s, d, anglers);
    }

    // Members with a grade in the division and season, 10 to 18 of them.
    std::vector<Angler> chooseMembers(size_t s, size_t d) {
        std::vector<MemberInfo*> pool;
        for (MemberInfo& m : members_)
            if (m.grade[d][s] != 0) pool.push_back(&m);
        rng_.shuffle(pool);
        pool.resize(std::min(pool.size(), static_cast<size_t>(rng_.between(10, 18))));
        std::vector<Angler> anglers;
        for (MemberInfo* m : pool) anglers.push_back({m, 0, fullName(*m->plan), {}});
        return anglers;
    }

    void addVisitors(const Trips& t, std::vector<Angler>& anglers) {
        std::vector<const PersonPlan*> visitors;
        for (const PersonPlan& p : kVisitors) visitors.push_back(&p);
        rng_.shuffle(visitors);
        visitors.resize(static_cast<size_t>(rng_.between(1, 3)));
        for (const PersonPlan* p : visitors) {
            NonMembers r;
            r.TripId = t.TripId;
            r.FirstName = p->first;
            r.LastName = p->last;
            r.FullName = fullName(*p);
            r.LadiesFlag = flag(marked(*p, 'L'));
            r.VeteranFlag = flag(marked(*p, 'V'));
            r.GradeId = gradeIds_[rng_.index(3)];  // A, B or C
            if (rng_.percent(50)) r.Email = emailOf(*p);
            put(r, counts_.nonMembers);
            anglers.push_back({nullptr, r.NonMemberId, r.FullName, {}});
        }
    }

    std::vector<int32_t> addTeams(const Trips& t, size_t count) {
        std::vector<int32_t> ids;
        const size_t first = rng_.index(std::size(kTeamNames));
        for (size_t i = 0; i < count; ++i) {
            Teams r;
            r.Name = kTeamNames[(first + i) % std::size(kTeamNames)];
            r.TripId = t.TripId;
            put(r, counts_.teams);
            ids.push_back(r.TeamId);
        }
        return ids;
    }

    // One angler's result: the catches, the species summary made from them
    // as the trip member form makes it, and the totals. Points (catch
    // scores, trip points, handicap, progress points) are left to the
    // scoring rules, which score every trip once the club is written.
    void addAngler(const Trips& t, size_t s, size_t d, std::vector<Angler>& anglers, size_t self,
                   int32_t teamId) {
        const bool byLength = std::string_view(kSeasons[s].scoring) == "L";
        const std::vector<Catch> catches = makeCatches(s, d, anglers, self);
        Angler& a = anglers[self];

        TripMember tm;
        tm.TripId = t.TripId;
        tm.MemberId = a.member ? a.member->id : 0;
        tm.NonMemberId = a.nonMemberId;
        tm.TeamId = teamId;
        tm.Penalty = rng_.percent(8) ? rng_.between(1, 2) : 0;
        tm.TripCatchList = "Y";
        if (rng_.percent(12)) tm.MiscDetails = rng_.pick(std::span<const char* const>(kComments));

        // One row per active species of the division, in report order: the
        // number of fish and the sums of their weights and lengths.
        std::vector<TripScore> rows;
        for (const SpeciesInfo& sp : species_[d]) {
            if (sp.rec.InactiveFlag == "Y") continue;
            TripScore& row = rows.emplace_back();
            row.SpeciesId = sp.rec.SpeciesId;
            row.HeaviestWeight = Decimal::fromUnits(0, 3);
            row.BestLength = Decimal::fromUnits(0, 2);
            for (const Catch& c : catches) {
                if (c.species != &sp) continue;
                ++row.SpeciesNumberCaught;
                row.HeaviestWeight += c.weight;
                row.BestLength += c.length;
            }
            tm.TotalNumberFish += row.SpeciesNumberCaught;
            tm.TotalWeightFish += (byLength ? row.BestLength : row.HeaviestWeight).roundedTo(2);
        }
        std::vector<Decimal> weights;
        for (const Catch& c : catches) {
            weights.push_back(c.weight);
            a.best = std::max(a.best, byLength ? c.length : c.weight);
        }
        std::sort(weights.rbegin(), weights.rend());
        for (size_t i = 0; i < weights.size() && i < 3; ++i) tm.VarietyWeightFish += weights[i];
        tm.VarietyWeightFish = tm.VarietyWeightFish.roundedTo(2);
        if (a.member) a.member->seasonTotal += tm.TotalWeightFish;
        put(tm, counts_.tripMembers);

        for (const Catch& c : catches) {
            TripCatch r;
            r.TripMemberId = tm.TripMemberId;
            r.SpeciesId = c.species->rec.SpeciesId;
            r.SpeciesName = c.species->rec.SpeciesName;
            r.LineClass = c.lineClass;
            r.SpeciesWeight = c.weight;
            r.SpeciesLength = c.length;
            r.ReleaseKill = c.release;
            r.WitnessName = c.witness;
            r.FlyCaught = c.fly;
            r.FightFactor = c.species->rec.FightFactor;
            put(r, counts_.catches);
        }
        for (TripScore& row : rows) {
            row.TripMemberId = tm.TripMemberId;
            put(row, counts_.summaries);
        }
    }

    std::vector<Catch> makeCatches(size_t s, size_t d, const std::vector<Angler>& anglers,
                                   size_t self) {
        const DivisionPlan& plan = kDivisions[d];
        const bool imperial = std::string_view(kSeasons[s].measurement) == "I";
        int commonTotal = 0;
        for (const SpeciesInfo& sp : species_[d]) commonTotal += sp.plan->commonness;
        // An angler fishes one line class all day.
        const Decimal lineClass = Decimal::fromUnits(100 * rng_.pick(plan.lineClasses), 2);
        std::vector<Catch> out;
        for (int n = rng_.percent(10) ? 0 : rng_.between(1, 6); n > 0; --n) {
            Catch& c = out.emplace_back();
            int roll = rng_.between(1, commonTotal);
            for (const SpeciesInfo& sp : species_[d]) {
                c.species = &sp;
                if ((roll -= sp.plan->commonness) <= 0) break;
            }
            // Small fish are common: the share of the size range is squared.
            const SpeciesPlan& sp = *c.species->plan;
            const int64_t share = rng_.between(0, 1000);
            const int64_t skewed = share * share / 1000;
            int64_t grams = sp.minGrams + (sp.maxGrams - sp.minGrams) * skewed / 1000;
            grams -= grams % 5;
            const int64_t mm = std::clamp<int64_t>(
                sp.minMm + (sp.maxMm - sp.minMm) * skewed / 1000 + rng_.between(-10, 10), sp.minMm,
                sp.maxMm);
            c.weight = imperial ? poundsAndOunces(grams) : Decimal::fromUnits(grams, 3);
            c.length = imperial ? wholesAndTwelfths(mm) : Decimal::fromUnits(mm * 10, 2);
            c.lineClass = lineClass;
            c.release = rng_.percent(plan.releasePercent) ? "Release" : "Caught";
            if (plan.flyPercent == 0)
                c.fly = rng_.percent(70) ? "Non-Fly" : "No Record";
            else
                c.fly = rng_.percent(plan.flyPercent) ? "Fly" : "Non-Fly";
            size_t witness = rng_.index(anglers.size() - 1);  // anyone else on the trip
            c.witness = anglers[witness >= self ? witness + 1 : witness].name;
        }
        return out;
    }

    // The division's best-fish medal goes to the member with the best fish
    // who has not had it yet this season; the Visitors' Plate, once a season,
    // to the visitor with the best fish of the first trip that has one.
    void awardTripTrophies(const Trips& t, size_t s, size_t d, const std::vector<Angler>& anglers) {
        const Angler* member = nullptr;
        const Angler* visitor = nullptr;
        const int32_t medal = trophyIds_[kDivisions[d].bestFish];
        const int32_t plate = trophyIds_[kVisitorsPlate];
        for (const Angler& a : anglers) {
            const Angler*& best = a.member ? member : visitor;
            if (a.best.isZero() ||
                (a.member && tripTrophies_.count({int32_t(s), a.member->id, medal})))
                continue;
            if (!best || a.best > best->best) best = &a;
        }
        if (member) awardTripTrophy(t, s, medal, member->member->id, 0);
        if (visitor && !tripTrophies_.count({int32_t(s), 0, plate}))
            awardTripTrophy(t, s, plate, 0, visitor->nonMemberId);
    }

    void awardTripTrophy(const Trips& t, size_t s, int32_t trophy, int32_t member,
                         int32_t nonMember) {
        TripTrophy r;
        r.MemberId = member;
        r.NonMemberId = nonMember;
        r.TrophyId = trophy;
        r.SeasonId = kSeasons[s].id;
        r.TripId = t.TripId;
        put(r, counts_.tripTrophies);
        tripTrophies_.insert({int32_t(s), member, trophy});
    }

    // Placings 1 to 3 of the division's championship by season total, and
    // the ladies' and veterans' trophies to the leading lady and veteran who
    // do not hold that trophy for the season yet (from another division).
    void awardSeasonTrophies(size_t s, size_t d) {
        std::vector<const MemberInfo*> ranked;
        for (const MemberInfo& m : members_)
            if (!m.seasonTotal.isZero()) ranked.push_back(&m);
        std::stable_sort(ranked.begin(), ranked.end(),
                         [](const MemberInfo* a, const MemberInfo* b) {
                             return a->seasonTotal > b->seasonTotal;
                         });
        for (size_t p = 0; p < ranked.size() && p < 3; ++p)
            awardSeasonTrophy(s, d, kDivisions[d].champion, *ranked[p], std::to_string(p + 1));
        auto leading = [&](TrophyIndex trophy, auto&& qualifies) {
            for (const MemberInfo* m : ranked)
                if (qualifies(*m) &&
                    !seasonTrophies_.count({int32_t(s), trophyIds_[trophy], m->id}))
                    return awardSeasonTrophy(s, d, trophy, *m, "");
        };
        leading(kLadiesBowl, [](const MemberInfo& m) { return marked(*m.plan, 'L'); });
        leading(kVeteransSalver, [&](const MemberInfo& m) { return m.veteranIn(s); });
    }

    void awardSeasonTrophy(size_t s, size_t d, TrophyIndex trophy, const MemberInfo& m,
                           const std::string& position) {
        SeasonTrophy r;
        r.DivisionId = divisionIds_[d];
        r.SeasonId = kSeasons[s].id;
        r.TrophyId = trophyIds_[trophy];
        r.MemberId = m.id;
        r.PositionalTrophy = flag(!position.empty());
        r.Position = position;
        put(r, counts_.seasonTrophies);
        seasonTrophies_.insert({int32_t(s), r.TrophyId, r.MemberId});
    }

    // The security levels come with every club; the users only name them.
    void addUsers() {
        for (const DemoUser& u : kDemoUsers) {
            Users r;
            r.Name = u.name;
            r.SecurityLevel = u.securityLevel;
            r.UserId = u.userId;
            r.UserPassword = u.password;
            put(r, counts_.users);
        }
    }

    Store& store_;
    DemoClubCounts& counts_;
    Rng rng_{20240701};
    std::vector<int32_t> gradeIds_, divisionIds_, trophyIds_;
    std::vector<std::vector<SpeciesInfo>> species_;  // per division, in report position order
    std::vector<MemberInfo> members_;
    std::set<std::array<int32_t, 3>> tripTrophies_;    // season, member (0: a visitor), trophy
    std::set<std::array<int32_t, 3>> seasonTrophies_;  // season, trophy, member
};

// Every club file the demo writes; the club must hold nothing in any of them.
const char* const kDemoFiles[] = {"Division",  "Season",     "Grade",        "Species",
                                  "Trophy",    "Members",    "NonMembers",   "GradeHistory",
                                  "Users",     "Trips",      "TripMember",   "TripScore",
                                  "TripCatch", "TripTrophy", "SeasonTrophy", "Teams"};

Status refuseUnlessEmpty(Store& store) {
    for (const char* label : kDemoFiles) {
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk(label, "", {}, false, cursor); !s) return s;
        Record r = store.newRecord(label);
        Status s = cursor->next(r);
        if (s.isOk())
            return Status::failed(programMessage(
                std::string("The club already holds records (the ") + label +
                " file is not empty). The demo club is only built into an empty club; nothing was "
                "changed."));
        if (s.isFailed()) return s;
    }
    return Status::ok();
}

}  // namespace

Status buildDemoClub(Store& store, DemoClubCounts* counts) {
    std::vector<std::unique_ptr<FileUse>> uses;
    auto open = [&](const char* label) {
        uses.push_back(std::make_unique<FileUse>(store, label));
        return uses.back()->status();
    };
    for (const char* label : kDemoFiles)
        if (Status s = open(label); !s) return s;
    DemoClubCounts made;
    // The demo workstation scores from individual catches with fight factors,
    // the richest of the club's ways of scoring.
    System settings;
    if (Status r = readSystem(store, settings); !r) return r;
    settings.FightFactorScoring = 1;
    settings.IndividualCatchesApplies = 1;
    Status s = store.inTransaction(Location::Club, [&]() -> Status {
        if (Status empty = refuseUnlessEmpty(store); !empty) return empty;
        try {
            DemoBuilder(store, made).build();
        } catch (const Abort& a) {
            return a.status;
        }
        if (Status named = writeOrganisationName(store, kDemoOrganisation); !named) return named;
        // Every point in the demo is what the rule book gives.
        return scoring::ScoreAllTrips(store, settings);
    });
    if (s) s = writeSystem(store, settings);
    if (s && counts) *counts = made;
    return s;
}

}  // namespace qv::demo
