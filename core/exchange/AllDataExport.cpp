#include "core/exchange/AllDataExport.h"

#include <filesystem>
#include <unordered_map>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/exchange/ExchangeFolders.h"
#include "core/reports/ReportRun.h"
#include "core/scoring/Seasons.h"
#include "olmix/Record.h"

namespace qv::exchange {

using namespace qv::data;

namespace {

// Every record of the club, read once, with the look-ups the rows need.
struct Club {
    std::vector<Division> divisions;
    std::vector<Season> seasons;
    std::vector<Species> species;
    std::vector<Trophy> trophies;
    std::vector<Grade> grades;
    std::vector<Teams> teams;
    std::vector<Trips> trips;
    std::vector<Members> members;
    std::vector<SeasonTrophy> seasonTrophies;
    std::vector<TripTrophy> tripTrophies;
    std::vector<GradeHistory> gradeHistory;
    std::vector<TripMember> tripMembers;
    std::vector<TripScore> tripScores;
    std::vector<TripCatch> tripCatches;
    std::vector<NonMembers> nonMembers;

    std::unordered_map<int32_t, const Division*> divisionById;
    std::unordered_map<std::string, const Season*> seasonById;
    std::unordered_map<int32_t, const Species*> speciesById;
    std::unordered_map<int32_t, const Trophy*> trophyById;
    std::unordered_map<int32_t, const Grade*> gradeById;
    std::unordered_map<int32_t, const Teams*> teamById;
    std::unordered_map<int32_t, const Trips*> tripById;
    std::unordered_map<int32_t, const Members*> memberById;
    std::unordered_map<int32_t, const NonMembers*> nonMemberById;

    template <typename T, typename K>
    static void index(const std::vector<T>& rows, std::unordered_map<K, const T*>& map, K (*key)(const T&)) {
        map.reserve(rows.size());
        for (const T& r : rows) map.emplace(key(r), &r);
    }
    void buildIndexes() {
        index<Division, int32_t>(divisions, divisionById, [](const Division& r) { return r.DivisionId; });
        index<Season, std::string>(seasons, seasonById,
                                   [](const Season& r) { return std::string(clip(r.SeasonId)); });
        index<Species, int32_t>(species, speciesById, [](const Species& r) { return r.SpeciesId; });
        index<Trophy, int32_t>(trophies, trophyById, [](const Trophy& r) { return r.TrophyId; });
        index<Grade, int32_t>(grades, gradeById, [](const Grade& r) { return r.GradeId; });
        index<Teams, int32_t>(teams, teamById, [](const Teams& r) { return r.TeamId; });
        index<Trips, int32_t>(trips, tripById, [](const Trips& r) { return r.TripId; });
        index<Members, int32_t>(members, memberById, [](const Members& r) { return r.MemberId; });
        index<NonMembers, int32_t>(nonMembers, nonMemberById, [](const NonMembers& r) { return r.NonMemberId; });
    }

    // The texts of a related record that is missing are blank.
    template <typename T, typename K>
    static const T& find(const std::unordered_map<K, const T*>& map, const K& key) {
        static const T blank{};
        auto it = map.find(key);
        return it == map.end() ? blank : *it->second;
    }
    const Division& division(int32_t id) const { return find(divisionById, id); }
    const Season& season(std::string_view id) const { return find(seasonById, std::string(clip(id))); }
    const Species& speciesOf(int32_t id) const { return find(speciesById, id); }
    const Trophy& trophy(int32_t id) const { return find(trophyById, id); }
    const Grade& grade(int32_t id) const { return find(gradeById, id); }
    const Teams& team(int32_t id) const { return find(teamById, id); }
    const Trips& trip(int32_t id) const { return find(tripById, id); }
    const Members& member(int32_t id) const { return find(memberById, id); }
    const NonMembers& nonMember(int32_t id) const { return find(nonMemberById, id); }
};

// One element of a row: its name and how its text is made.
template <typename T>
struct Column {
    const char* element;
    std::string (*value)(const T&, const Club&);
};

// One export file: its name, what it is read from and its row.
template <typename T>
struct Sheet {
    const char* fileName;
    std::vector<T> Club::*rows;
    std::vector<Column<T>> columns;
};

std::string yesNo(std::string_view flag) { return clip(flag) == "N" ? "NO" : "YES"; }
std::string num(int64_t n) { return std::to_string(n); }
std::string dec(const Decimal& d, int places) { return d.toString(places); }
std::string txt(std::string_view s) { return std::string(clip(s)); }

// The unit of a trip member's figures: Imperial seasons in inches or pounds,
// every other season in centimetres or kilograms.
std::string unitOf(const Season& s) {
    const bool length = clip(s.ScoringApplies) == "L";
    if (clip(s.Measurement) == "I") return length ? "ins" : "lbs";
    return length ? "cms" : "kgs";
}

// "Length", "Weight", "Both"; a season whose choice is not made yet ("N")
// keeps its letter, so that the export still says what is stored.
std::string scoringText(std::string_view code) {
    const std::string_view c = clip(code);
    if (c == "L") return "Length";
    if (c == "W") return "Weight";
    if (c == "B") return "Both";
    return std::string(c);
}

// A trip member or trophy winner is a visitor when no member is named or a
// non-member is.
bool isVisitor(int32_t memberId, int32_t nonMemberId) { return memberId < 1 || nonMemberId != 0; }

template <typename T>
std::string firstNameOf(const T& r, const Club& c) {
    return isVisitor(r.MemberId, r.NonMemberId) ? txt(c.nonMember(r.NonMemberId).FirstName)
                                                : txt(c.member(r.MemberId).FirstName);
}
template <typename T>
std::string lastNameOf(const T& r, const Club& c) {
    return isVisitor(r.MemberId, r.NonMemberId) ? txt(c.nonMember(r.NonMemberId).LastName)
                                                : txt(c.member(r.MemberId).LastName);
}

// The trip columns shared by the trip trophy and trip member rows.
template <typename T>
const Trips& tripOf(const T& r, const Club& c) {
    return c.trip(r.TripId);
}

const Sheet<Division> kDivisions{"Division.xml", &Club::divisions, {
    {"divisionname", [](const Division& r, const Club&) { return txt(r.DivisionName); }},
    {"inactivedivision", [](const Division& r, const Club&) { return yesNo(r.InactiveFlag); }},
    {"divisionid", [](const Division& r, const Club&) { return num(r.DivisionId); }},
    {"besttripsnumber", [](const Division& r, const Club&) { return num(r.BestTripsNumber); }},
}};

const Sheet<Season> kSeasons{"Season.xml", &Club::seasons, {
    {"seasonid", [](const Season& r, const Club&) { return txt(r.SeasonId); }},
    {"seasondesc", [](const Season& r, const Club&) { return txt(r.SeasonDesc); }},
    {"currentseason", [](const Season& r, const Club&) { return yesNo(r.CurrentSeasonFlag); }},
    {"measurement", [](const Season& r, const Club&) {
         return std::string(clip(r.Measurement) == "I" ? "Imperial" : "Metric"); }},
    {"handicap", [](const Season& r, const Club&) {
         return std::string(clip(r.Handicap) == "P" ? "Percentage" : "Number"); }},
    {"scoringapplies", [](const Season& r, const Club&) { return scoringText(r.ScoringApplies); }},
}};

const Sheet<Species> kSpecies{"Species.xml", &Club::species, {
    {"speciesname", [](const Species& r, const Club&) { return txt(r.SpeciesName); }},
    {"divisionname", [](const Species& r, const Club& c) { return txt(c.division(r.DivisionId).DivisionName); }},
    {"inactivespecies", [](const Species& r, const Club&) { return yesNo(r.InactiveFlag); }},
    {"fightfactor", [](const Species& r, const Club&) { return dec(r.FightFactor, 2); }},
    {"speciesid", [](const Species& r, const Club&) { return num(r.SpeciesId); }},
    {"divisionid", [](const Species& r, const Club&) { return num(r.DivisionId); }},
    {"reportposition", [](const Species& r, const Club&) { return num(r.ReportPosition); }},
    {"teampoints", [](const Species& r, const Club&) { return dec(r.TeamPoints, 2); }},
}};

const Sheet<Trophy> kTrophies{"Trophy.xml", &Club::trophies, {
    {"trophyname", [](const Trophy& r, const Club&) { return txt(r.TrophyName); }},
    {"trophydescription", [](const Trophy& r, const Club&) { return txt(r.Description); }},
    {"inactivetrophy", [](const Trophy& r, const Club&) { return yesNo(r.InactiveFlag); }},
    {"trophyid", [](const Trophy& r, const Club&) { return num(r.TrophyId); }},
}};

const Sheet<Grade> kGrades{"Grade.xml", &Club::grades, {
    {"gradename", [](const Grade& r, const Club&) { return txt(r.GradeName); }},
    {"inactivegrade", [](const Grade& r, const Club&) { return yesNo(r.InactiveFlag); }},
    {"gradeid", [](const Grade& r, const Club&) { return num(r.GradeId); }},
    {"reportposition", [](const Grade& r, const Club&) { return num(r.ReportPosition); }},
}};

const Sheet<Teams> kTeams{"Teams.xml", &Club::teams, {
    {"teamname", [](const Teams& r, const Club&) { return txt(r.Name); }},
    {"teamid", [](const Teams& r, const Club&) { return num(r.TeamId); }},
    {"tripid", [](const Teams& r, const Club&) { return num(r.TripId); }},
}};

const Sheet<Trips> kTrips{"Trips.xml", &Club::trips, {
    {"tripid", [](const Trips& r, const Club&) { return num(r.TripId); }},
    {"divisionname", [](const Trips& r, const Club& c) { return txt(c.division(r.DivisionId).DivisionName); }},
    {"season", [](const Trips& r, const Club&) { return txt(r.SeasonId); }},
    {"seasondesc", [](const Trips& r, const Club& c) { return txt(c.season(r.SeasonId).SeasonDesc); }},
    {"tripnumber", [](const Trips& r, const Club&) { return num(r.SeasonTripNumber); }},
    {"tripdate", [](const Trips& r, const Club&) { return r.TripDate.format("d6"); }},
    {"triplocation", [](const Trips& r, const Club&) { return txt(r.TripLocation); }},
    {"interclubdesc", [](const Trips& r, const Club&) { return txt(r.InterClubTripDesc); }},
    {"divisionid", [](const Trips& r, const Club&) { return num(r.DivisionId); }},
    {"allownonmembers", [](const Trips& r, const Club&) { return txt(r.AllowNonMembers); }},
}};

const Sheet<Members> kMembers{"Members.xml", &Club::members, {
    {"firstname", [](const Members& r, const Club&) { return txt(r.FirstName); }},
    {"lastname", [](const Members& r, const Club&) { return txt(r.LastName); }},
    {"ladiesflag", [](const Members& r, const Club&) { return yesNo(r.LadiesFlag); }},
    {"veteranflag", [](const Members& r, const Club&) { return yesNo(r.VeteranFlag); }},
    {"veteranstartseason", [](const Members& r, const Club&) { return txt(r.VeteranStartSeason); }},
    {"inactivemember", [](const Members& r, const Club&) { return yesNo(r.InactiveFlag); }},
    {"email", [](const Members& r, const Club&) { return txt(r.Email); }},
    {"fullname", [](const Members& r, const Club&) { return txt(r.FullName); }},
    {"memberid", [](const Members& r, const Club&) { return num(r.MemberId); }},
}};

const Sheet<SeasonTrophy> kSeasonTrophies{"SeasonTrophies.xml", &Club::seasonTrophies, {
    {"divisionname", [](const SeasonTrophy& r, const Club& c) { return txt(c.division(r.DivisionId).DivisionName); }},
    {"season", [](const SeasonTrophy& r, const Club&) { return txt(r.SeasonId); }},
    {"seasondesc", [](const SeasonTrophy& r, const Club& c) { return txt(c.season(r.SeasonId).SeasonDesc); }},
    {"trophyname", [](const SeasonTrophy& r, const Club& c) { return txt(c.trophy(r.TrophyId).TrophyName); }},
    {"firstname", [](const SeasonTrophy& r, const Club& c) { return txt(c.member(r.MemberId).FirstName); }},
    {"lastname", [](const SeasonTrophy& r, const Club& c) { return txt(c.member(r.MemberId).LastName); }},
    {"seasontrophyid", [](const SeasonTrophy& r, const Club&) { return num(r.SeasonTrophyId); }},
    {"divisionid", [](const SeasonTrophy& r, const Club&) { return num(r.DivisionId); }},
    {"trophyid", [](const SeasonTrophy& r, const Club&) { return num(r.TrophyId); }},
    {"memberid", [](const SeasonTrophy& r, const Club&) { return num(r.MemberId); }},
    {"positionaltrophy", [](const SeasonTrophy& r, const Club&) { return txt(r.PositionalTrophy); }},
    {"position", [](const SeasonTrophy& r, const Club&) { return txt(r.Position); }},
}};

const Sheet<TripTrophy> kTripTrophies{"TripTrophies.xml", &Club::tripTrophies, {
    {"firstname", firstNameOf<TripTrophy>},
    {"lastname", lastNameOf<TripTrophy>},
    {"trophyname", [](const TripTrophy& r, const Club& c) { return txt(c.trophy(r.TrophyId).TrophyName); }},
    {"season", [](const TripTrophy& r, const Club&) { return txt(r.SeasonId); }},
    {"seasondesc", [](const TripTrophy& r, const Club& c) { return txt(c.season(r.SeasonId).SeasonDesc); }},
    {"tripid", [](const TripTrophy& r, const Club&) { return num(r.TripId); }},
    {"divisionname", [](const TripTrophy& r, const Club& c) {
         return txt(c.division(tripOf(r, c).DivisionId).DivisionName); }},
    {"tripnumber", [](const TripTrophy& r, const Club& c) { return num(tripOf(r, c).SeasonTripNumber); }},
    {"tripdate", [](const TripTrophy& r, const Club& c) { return tripOf(r, c).TripDate.format("d6"); }},
    {"triplocation", [](const TripTrophy& r, const Club& c) { return txt(tripOf(r, c).TripLocation); }},
    {"interclubdesc", [](const TripTrophy& r, const Club& c) { return txt(tripOf(r, c).InterClubTripDesc); }},
    {"trophyhistoryid", [](const TripTrophy& r, const Club&) { return num(r.TrophyHistoryId); }},
    {"memberid", [](const TripTrophy& r, const Club&) { return num(r.MemberId); }},
    {"nonmemberid", [](const TripTrophy& r, const Club&) { return num(r.NonMemberId); }},
    {"trophyid", [](const TripTrophy& r, const Club&) { return num(r.TrophyId); }},
}};

const Sheet<GradeHistory> kGradeHistory{"GradeHistory.xml", &Club::gradeHistory, {
    {"firstname", [](const GradeHistory& r, const Club& c) { return txt(c.member(r.MemberId).FirstName); }},
    {"lastname", [](const GradeHistory& r, const Club& c) { return txt(c.member(r.MemberId).LastName); }},
    {"gradename", [](const GradeHistory& r, const Club& c) { return txt(c.grade(r.GradeId).GradeName); }},
    {"divisionname", [](const GradeHistory& r, const Club& c) { return txt(c.division(r.DivisionId).DivisionName); }},
    {"startseason", [](const GradeHistory& r, const Club&) { return txt(r.StartSeasonId); }},
    {"endseason", [](const GradeHistory& r, const Club&) { return txt(r.EndSeasonId); }},
    {"gradehistoryid", [](const GradeHistory& r, const Club&) { return num(r.GradeHistoryId); }},
    {"memberid", [](const GradeHistory& r, const Club&) { return num(r.MemberId); }},
    {"gradeid", [](const GradeHistory& r, const Club&) { return num(r.GradeId); }},
    {"divisionid", [](const GradeHistory& r, const Club&) { return num(r.DivisionId); }},
}};

const Sheet<TripMember> kTripMembers{"TripMember.xml", &Club::tripMembers, {
    {"tripmemberid", [](const TripMember& r, const Club&) { return num(r.TripMemberId); }},
    {"tripid", [](const TripMember& r, const Club&) { return num(r.TripId); }},
    {"divisionname", [](const TripMember& r, const Club& c) {
         return txt(c.division(tripOf(r, c).DivisionId).DivisionName); }},
    {"season", [](const TripMember& r, const Club& c) { return txt(tripOf(r, c).SeasonId); }},
    {"seasondesc", [](const TripMember& r, const Club& c) { return txt(c.season(tripOf(r, c).SeasonId).SeasonDesc); }},
    {"tripnumber", [](const TripMember& r, const Club& c) { return num(tripOf(r, c).SeasonTripNumber); }},
    {"tripdate", [](const TripMember& r, const Club& c) { return tripOf(r, c).TripDate.format("d6"); }},
    {"triplocation", [](const TripMember& r, const Club& c) { return txt(tripOf(r, c).TripLocation); }},
    {"interclubdesc", [](const TripMember& r, const Club& c) { return txt(tripOf(r, c).InterClubTripDesc); }},
    {"memberid", [](const TripMember& r, const Club&) { return num(r.MemberId); }},
    {"nonmemberid", [](const TripMember& r, const Club&) { return num(r.NonMemberId); }},
    // The team the person fished in, by name.
    {"teamname", [](const TripMember& r, const Club& c) { return r.TeamId ? txt(c.team(r.TeamId).Name) : std::string(); }},
    {"firstname", firstNameOf<TripMember>},
    {"lastname", lastNameOf<TripMember>},
    {"handicap", [](const TripMember& r, const Club&) { return num(r.Handicap); }},
    {"penalty", [](const TripMember& r, const Club&) { return num(r.Penalty); }},
    {"totalnumberfish", [](const TripMember& r, const Club&) { return num(r.TotalNumberFish); }},
    {"totalweightfish", [](const TripMember& r, const Club&) { return dec(r.TotalWeightFish, 2); }},
    {"varietyweightfish", [](const TripMember& r, const Club&) { return dec(r.VarietyWeightFish, 2); }},
    {"measurement", [](const TripMember& r, const Club& c) { return unitOf(c.season(tripOf(r, c).SeasonId)); }},
    {"totaltrippoints", [](const TripMember& r, const Club&) { return dec(r.TotalTripPoints, 2); }},
    {"progresspoints", [](const TripMember& r, const Club&) { return dec(r.ProgressPoints, 2); }},
    {"miscdetails", [](const TripMember& r, const Club&) { return txt(r.MiscDetails); }},
    {"teamid", [](const TripMember& r, const Club&) { return num(r.TeamId); }},
    {"tripcatchlist", [](const TripMember& r, const Club&) { return txt(r.TripCatchList); }},
}};

const Sheet<TripScore> kTripScores{"TripScore.xml", &Club::tripScores, {
    {"tripmemberid", [](const TripScore& r, const Club&) { return num(r.TripMemberId); }},
    {"speciesname", [](const TripScore& r, const Club& c) { return txt(c.speciesOf(r.SpeciesId).SpeciesName); }},
    {"speciesnumbercaught", [](const TripScore& r, const Club&) { return num(r.SpeciesNumberCaught); }},
    {"heaviestweight", [](const TripScore& r, const Club&) { return dec(r.HeaviestWeight, 3); }},
    {"bestlength", [](const TripScore& r, const Club&) { return dec(r.BestLength, 2); }},
    {"lineclass", [](const TripScore& r, const Club&) { return dec(r.LineClass, 2); }},
    {"heaviestmultiple", [](const TripScore& r, const Club&) { return dec(r.HeaviestMultiple, 3); }},
    {"tripscoreid", [](const TripScore& r, const Club&) { return num(r.TripScoreId); }},
    {"speciesid", [](const TripScore& r, const Club&) { return num(r.SpeciesId); }},
}};

const Sheet<TripCatch> kTripCatches{"TripCatch.xml", &Club::tripCatches, {
    {"tripmemberid", [](const TripCatch& r, const Club&) { return num(r.TripMemberId); }},
    {"speciesname", [](const TripCatch& r, const Club&) { return txt(r.SpeciesName); }},
    {"lineclass", [](const TripCatch& r, const Club&) { return dec(r.LineClass, 2); }},
    {"speciesweight", [](const TripCatch& r, const Club&) { return dec(r.SpeciesWeight, 3); }},
    {"specieslength", [](const TripCatch& r, const Club&) { return dec(r.SpeciesLength, 2); }},
    {"releasekill", [](const TripCatch& r, const Club&) { return txt(r.ReleaseKill); }},
    {"witnessname", [](const TripCatch& r, const Club&) { return txt(r.WitnessName); }},
    {"flycaught", [](const TripCatch& r, const Club&) { return txt(r.FlyCaught); }},
    {"score", [](const TripCatch& r, const Club&) { return dec(r.Score, 2); }},
    {"fightfactor", [](const TripCatch& r, const Club&) { return dec(r.FightFactor, 2); }},
    {"tripcatchid", [](const TripCatch& r, const Club&) { return num(r.TripCatchId); }},
    {"speciesid", [](const TripCatch& r, const Club&) { return num(r.SpeciesId); }},
}};

// Visitors have no file of their own elsewhere; without this one their
// flags, grade and e-mail address would not travel.
const Sheet<NonMembers> kNonMembers{"NonMembers.xml", &Club::nonMembers, {
    {"nonmemberid", [](const NonMembers& r, const Club&) { return num(r.NonMemberId); }},
    {"tripid", [](const NonMembers& r, const Club&) { return num(r.TripId); }},
    {"firstname", [](const NonMembers& r, const Club&) { return txt(r.FirstName); }},
    {"lastname", [](const NonMembers& r, const Club&) { return txt(r.LastName); }},
    {"ladiesflag", [](const NonMembers& r, const Club&) { return yesNo(r.LadiesFlag); }},
    {"veteranflag", [](const NonMembers& r, const Club&) { return yesNo(r.VeteranFlag); }},
    {"gradename", [](const NonMembers& r, const Club& c) { return txt(c.grade(r.GradeId).GradeName); }},
    {"fullname", [](const NonMembers& r, const Club&) { return txt(r.FullName); }},
    {"email", [](const NonMembers& r, const Club&) { return txt(r.Email); }},
    {"gradeid", [](const NonMembers& r, const Club&) { return num(r.GradeId); }},
}};

// Reads every record of T along its primary key, from the very first: a
// season whose id sorts before "1" is part of the club too.
template <typename T>
Status readAll(Store& store, std::string_view key, std::vector<T>& out) {
    return scoring::detail::walkRecords<T>(store, key, {}, [&](const T& r) {
        out.push_back(r);
        return true;
    });
}

template <typename T>
void writeSheet(const Sheet<T>& sheet, const Club& club, const std::string& folder, AllDataExport& out) {
    olmix::RecordQueue q;
    for (const Column<T>& c : sheet.columns) q.addText(std::string("LQ:") + c.element);
    for (const T& r : club.*sheet.rows) {
        size_t f = 1;
        for (const Column<T>& c : sheet.columns) q.setText(f++, c.value(r, club));
        q.add();
    }
    reports::ReportRun run;
    const std::string path = folder + sheet.fileName;
    reports::writeDataFile(path, "", "Row", q, run, false);
    out.messages.insert(out.messages.end(), run.messages.begin(), run.messages.end());
    if (run.dataFiles.empty()) return;
    out.files.push_back(path);
    out.rows += static_cast<long long>(q.records());
    std::error_code ec;
    out.bytes += static_cast<long long>(std::filesystem::file_size(path, ec));
}

// What is read, in order, with the status text shown meanwhile.
struct Reading {
    const char* label;
    const char* key;
    const char* status;
    Status (*read)(Store&, const char*, Club&);
};

template <typename T, std::vector<T> Club::*Rows>
Status readInto(Store& store, const char* key, Club& c) {
    return readAll(store, key, c.*Rows);
}

const Reading kReadings[] = {
    {"Division", "byDivisionId", "Collecting Division Data", readInto<Division, &Club::divisions>},
    {"Season", "bySeasonId", "Collecting Season Data", readInto<Season, &Club::seasons>},
    {"Species", "bySpeciesId", "Collecting Species Data", readInto<Species, &Club::species>},
    {"Trophy", "byTrophyId", "Collecting Trophy Data", readInto<Trophy, &Club::trophies>},
    {"Grade", "byGradeId", "Collecting Grade Data", readInto<Grade, &Club::grades>},
    {"Teams", "byTeamId", "Collecting Team Data", readInto<Teams, &Club::teams>},
    {"Trips", "byTripId", "Collecting Trip Data", readInto<Trips, &Club::trips>},
    {"Members", "byMemberId", "Collecting Members Data", readInto<Members, &Club::members>},
    {"SeasonTrophy", "bySeasonTrophyId", "Collecting Season Trophies Data", readInto<SeasonTrophy, &Club::seasonTrophies>},
    {"TripTrophy", "byTrophyHistoryId", "Collecting Trip Trophy Data", readInto<TripTrophy, &Club::tripTrophies>},
    {"GradeHistory", "byGradeHistoryId", "Collecting Grade History Data", readInto<GradeHistory, &Club::gradeHistory>},
    {"TripMember", "byTripMemberId", "Collecting Trip Member Data", readInto<TripMember, &Club::tripMembers>},
    {"TripScore", "byTripScoreId", "Collecting Trip Members Scores Data", readInto<TripScore, &Club::tripScores>},
    {"TripCatch", "byTripCatchId", "Collecting Trip Members Catch Data", readInto<TripCatch, &Club::tripCatches>},
    {"NonMembers", "byNonMemberId", "Collecting Non-Member Data", readInto<NonMembers, &Club::nonMembers>},
};

}  // namespace

Status ExportAllData(Store& store, const std::string& startFolder, AllDataExport& out,
                     const ExportProgress& progress) {
    out = AllDataExport();
    Club club;
    {
        std::vector<std::unique_ptr<FileUse>> open;
        for (const Reading& r : kReadings) {
            open.push_back(std::make_unique<FileUse>(store, r.label));
            if (!*open.back()) return open.back()->status();
        }
        // One read transaction, so that the files agree with each other even
        // while another station writes.
        Status inner = Status::ok();
        Status s = store.inTransaction(Location::Club, [&]() {
            for (const Reading& r : kReadings) {
                if (progress) progress(r.status);
                if (inner = r.read(store, r.key, club); !inner) return inner;
            }
            return Status::ok();
        });
        if (!inner) return inner;
        if (!s) return s;
    }
    club.buildIndexes();

    const std::string folder = exportDataFolder(startFolder);
    Message failure;
    if (!ensureFolder(folder, failure)) {
        out.messages.push_back(failure);
        return Status::ok();
    }
    writeSheet(kDivisions, club, folder, out);
    writeSheet(kSeasons, club, folder, out);
    writeSheet(kSpecies, club, folder, out);
    writeSheet(kGrades, club, folder, out);
    writeSheet(kTrophies, club, folder, out);
    writeSheet(kTrips, club, folder, out);
    writeSheet(kMembers, club, folder, out);
    writeSheet(kSeasonTrophies, club, folder, out);
    writeSheet(kTripTrophies, club, folder, out);
    writeSheet(kGradeHistory, club, folder, out);
    writeSheet(kTripMembers, club, folder, out);
    writeSheet(kTripScores, club, folder, out);
    writeSheet(kTripCatches, club, folder, out);
    writeSheet(kTeams, club, folder, out);
    writeSheet(kNonMembers, club, folder, out);
    return Status::ok();
}

Message exportDoneMessage(const std::string& startFolder) {
    Message m = programMessage("Data Files have been exported to " + fullFolder(startFolder) + "/exportdata");
    m.title = "Export Data Files";
    return m;
}

}  // namespace qv::exchange
