// The program's own season, points, catch and release and fly definitions
// run on small hand-made data files: positions shared by equal totals,
// members without a row for every column (and the last member missing
// columns the others have), the season race's running totals, a member's
// species cells past the eighth, and only fly catches grouped by angler and
// species.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "engine/ReportEngine.h"
#include "engine/Transform.h"

namespace {

namespace fs = std::filesystem;
using namespace qv::engine;

using Fields = std::vector<std::pair<std::string, std::string>>;

std::string rowsXml(const std::vector<Fields>& rows) {
    std::string xml = "<Data>\n";
    for (const Fields& row : rows) {
        xml += "  <Row>";
        for (const auto& [name, value] : row) xml += "<" + name + ">" + value + "</" + name + ">";
        xml += "</Row>\n";
    }
    return xml + "</Data>\n";
}

struct Member {
    int id;
    const char* name;
    const char* grade;
    const char* gradePosition;
    std::vector<std::pair<int, const char*>> cells;  // column id, data; the total is added
    const char* total;
    bool totalLast = false;  // the total row after the member's other rows, as a file may have it
};

// The points reports' file: trips 101..103 shown as "1".."3", the total 9999.
// Ann and Bob tie; Bob has no row for trip 2, and Eve, the last member, only
// one for trip 2, so trips 1 and 3 come from the others.
const Member kPointsMembers[] = {
    {1, "Ann Avery", "A Grade", "1", {{101, "10.00"}, {102, "0.00"}, {103, "20.00"}}, "30.00"},
    {2, "Bob Brown", "A Grade", "1", {{101, "15.00"}, {103, "15.00"}}, "30.00"},
    {3, "Cat Cole", "A Grade", "1", {{101, "12.50"}, {102, "0.00"}, {103, "0.00"}}, "12.50", true},
    {4, "Dan Drew", "", "0", {{101, "5.00"}}, "5.00"},
    {5, "Eve Ellis", "B Grade", "2", {{102, "40.00"}}, "40.00"},
};

std::string pointsFile() {
    std::vector<Fields> rows;
    for (const Member& m : kPointsMembers) {
        auto row = [&](int column, const std::string& name, const char* data) {
            rows.push_back({{"organisationname", "Club"}, {"seasondesc", "Season 2031"}, {"divisionname", "Lake"},
                            {"columnid", std::to_string(column)}, {"columnname", name}, {"data", data},
                            {"totaltrippoints", m.total}, {"fullname", m.name}, {"gradename", m.grade},
                            {"gradeposition", m.gradePosition}, {"memberid", std::to_string(m.id)}});
        };
        if (!m.totalLast) row(9999, "Total", m.total);
        for (const auto& [column, data] : m.cells) row(column, std::to_string(column - 100), data);
        if (m.totalLast) row(9999, "Total", m.total);
    }
    return rowsXml(rows);
}

// The season report's file: species 1..3, then total fish (9997), weight
// (9998) and points (9999); Ann caught no kahawai or gurnard, Bob no gurnard.
std::string seasonFile() {
    struct Angler {
        int id;
        const char* name;
        const char* grade;
        std::vector<std::pair<int, const char*>> fish;
        const char* totalFish;
        const char* points;
    };
    const Angler anglers[] = {
        {1, "Ann Avery", "A Grade", {{1, "2"}}, "2", "9.00"},
        {2, "Bob Brown", "A Grade", {{1, "1"}, {2, "3"}}, "4", "8.00"},
        {3, "Cat Cole", "B Grade", {{1, "0"}, {2, "1"}, {3, "4"}}, "5", "7.00"},
    };
    const std::map<int, std::string> names = {{1, "Snapper"}, {2, "Kahawai"}, {3, "Gurnard"}, {9997, "Total Fish"},
                                              {9998, "Total Weight (kgs)"}, {9999, "Total Points"}};
    std::vector<Fields> rows;
    for (const Angler& a : anglers) {
        auto row = [&](int column, const char* data) {
            rows.push_back({{"organisationname", "Club"}, {"divisionname", "Lake"}, {"seasondesc", "Season 2031"},
                            {"gradename", a.grade}, {"fullname", a.name}, {"totaltrippoints", "1"},
                            {"columnid", std::to_string(column)}, {"columnname", names.at(column)}, {"data", data},
                            {"memberid", std::to_string(a.id)}});
        };
        row(9999, a.points);
        for (const auto& [column, data] : a.fish) row(column, data);
        row(9997, a.totalFish);
        row(9998, "1.00");
    }
    return rowsXml(rows);
}

// The catch and release file: a total row, then ten species rows, per member.
std::string catchReleaseFile() {
    struct Angler {
        const char* name;
        const char* kind;
        const char* total;
        std::vector<int> points;
    };
    const Angler anglers[] = {
        {"Ann Avery", "Release", "55.00", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {"Bob Brown", "Release", "60.00", {0, 0, 0, 0, 0, 0, 0, 0, 0, 60}},
        {"Cat Cole", "Caught", "3.00", {3, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
    };
    std::vector<Fields> rows;
    for (const Angler& a : anglers) {
        auto row = [&](const std::string& column, const std::string& name, const std::string& data) {
            rows.push_back({{"organisationname", "Club"}, {"seasondesc", "Season 2031"}, {"divisionname", "Lake"},
                            {"columnid", column}, {"columnname", name}, {"data", data}, {"releasekill", a.kind},
                            {"totaltrippoints", a.total}, {"fullname", a.name}, {"gradename", "A Grade"},
                            {"gradeposition", "1"}});
        };
        row("9999", "Total", a.total);
        for (size_t i = 0; i < a.points.size(); ++i)
            row(std::to_string(i + 1), "Species " + std::to_string(i + 1), std::to_string(a.points[i]) + ".00");
    }
    return rowsXml(rows);
}

// The fly report's file: four fly catches (one written " Fly ") by two
// anglers, and Ann's biggest fish, not caught on the fly.
std::string flyFile() {
    struct Catch {
        const char* name;
        const char* species;
        const char* weight;
        const char* fly;
        const char* score;
        int trip;
    };
    const Catch catches[] = {{"Ann Avery", "Snapper", "2.50", "Fly", "10.00", 1},
                             {"Bob Brown", "Snapper", "3.10", "Fly", "12.00", 2},
                             {"Ann Avery", "Kahawai", "1.20", "Fly", "8.00", 2},
                             {"Ann Avery", "Snapper", "9.90", "Non-Fly", "30.00", 3},
                             {"Bob Brown", "Kahawai", "1.50", " Fly ", "9.00", 3}};
    std::vector<Fields> rows;
    for (const Catch& c : catches)
        rows.push_back({{"season", "Season 2031"}, {"seasontripnumber", std::to_string(c.trip)},
                        {"tripdate", "0" + std::to_string(c.trip) + "/01/2031"}, {"divisionname", "Lake"},
                        {"lengthmeasurement", "cms"}, {"weightmeasurement", "kgs"}, {"fullname", c.name},
                        {"gradename", "A Grade"}, {"speciesname", c.species}, {"speciesweight", c.weight},
                        {"specieslength", "0"}, {"releasekill", "Kept"}, {"score", c.score}, {"flycaught", c.fly},
                        {"scoringapplies", "W"}});
    return rowsXml(rows);
}

class Definitions : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        start = fs::temp_directory_path() / ("quillavon-definitions-" + std::to_string(rd()));
        fs::create_directories(start / "DATA");
    }
    void TearDown() override { fs::remove_all(start); }

    // The HTML of the program's definition `name` on the data file `file`.
    std::string run(const std::string& name, const std::string& file, const std::string& xml) {
        std::ofstream(start / "DATA" / file, std::ios::binary) << xml;
        const ReportEngine engine(EngineSetup{start.string(), installedDefinitionFolders("/nowhere/bin/quillavon"), {}});
        const std::string definition = engine.locate("reports/" + name);
        EXPECT_FALSE(definition.empty()) << name;
        TransformResult r = transform(definition, "file://" + (start / "DATA").string() + "/");
        EXPECT_TRUE(r.ok) << name << ": " << r.error;
        return r.html;
    }

    fs::path start;
};

const char* const kPointsHeading =
    "<tr><th style=\"white-space: nowrap;\">Pos</th><th class=\"name\">Angler</th><th>Trip 1</th><th>Trip 2</th>"
    "<th>Trip 3</th><th>Total</th></tr>";

// The points table's rows, grade by grade, the members without a grade last.
const char* const kPointsRows[] = {
    "<tr class=\"grade\"><td colspan=\"6\">A Grade</td></tr>",
    "<tr><td class=\"pos\">1</td><td class=\"name\">Ann Avery</td><td class=\"n\">10.00</td><td class=\"z\">0.00</td>"
    "<td class=\"n\">20.00</td><td class=\"t\">30.00</td></tr>",
    "<tr bgcolor=\"#f2f5f9\"><td class=\"pos\">1</td><td class=\"name\">Bob Brown</td><td class=\"n\">15.00</td>"
    "<td class=\"z\"></td><td class=\"n\">15.00</td><td class=\"t\">30.00</td></tr>",
    "<tr><td class=\"pos\">3</td><td class=\"name\">Cat Cole</td><td class=\"n\">12.50</td><td class=\"z\">0.00</td>"
    "<td class=\"z\">0.00</td><td class=\"t\">12.50</td></tr>",
    "<tr class=\"grade\"><td colspan=\"6\">B Grade</td></tr>",
    "<tr><td class=\"pos\">1</td><td class=\"name\">Eve Ellis</td><td class=\"z\"></td><td class=\"n\">40.00</td>"
    "<td class=\"z\"></td><td class=\"t\">40.00</td></tr>",
    "<tr class=\"grade\"><td colspan=\"6\">No grade</td></tr>",
    "<tr><td class=\"pos\">1</td><td class=\"name\">Dan Drew</td><td class=\"n\">5.00</td><td class=\"z\"></td>"
    "<td class=\"z\"></td><td class=\"t\">5.00</td></tr>",
};

// Each piece found in `html`, in this order.
void expectInOrder(const std::string& html, const std::vector<std::string>& pieces, const std::string& what) {
    size_t at = 0;
    for (const std::string& piece : pieces) {
        const size_t found = html.find(piece, at);
        ASSERT_NE(found, std::string::npos) << what << ": " << piece << "\nin\n" << html;
        at = found + piece.size();
    }
}

TEST_F(Definitions, PointsTablesShareAPlaceOnEqualTotalsAndLeaveMissingTripsBlank) {
    for (const char* name : {"rptProgressPts.rpt", "rptChampionshipPts.rpt"}) {
        const std::string html = run(name, "rptProgressPts.xml", pointsFile());
        std::vector<std::string> pieces = {kPointsHeading};
        pieces.insert(pieces.end(), std::begin(kPointsRows), std::end(kPointsRows));
        expectInOrder(html, pieces, name);
    }
}

TEST_F(Definitions, TheSeasonRaceAddsUpEachLeadersTripsAMissingTripAddingNothing) {
    const std::string html = run("rptProgressPts.rpt", "rptProgressPts.xml", pointsFile());
    expectInOrder(html,
                  {"The Season Race",
                   "chart:A%20Grade~Trip~Points%7C1~2~3%7CAnn%20Avery~10.00~10.00~30.00"
                   "%7CBob%20Brown~15.00~15.00~30.00%7CCat%20Cole~12.50~12.50~12.50\"",
                   "chart:B%20Grade~Trip~Points%7C1~2~3%7CEve%20Ellis~0.00~40.00~40.00\"",
                   "chart:No%20grade~Trip~Points%7C1~2~3%7CDan%20Drew~5.00~5.00~5.00\""},
                  "race");
    EXPECT_EQ(run("rptChampionshipPts.rpt", "rptProgressPts.xml", pointsFile()).find("chart:"), std::string::npos);
}

TEST_F(Definitions, TheSeasonReportShowsNoFishAsNoughtInSpeciesOrderThenTheTotals) {
    const std::string html = run("rptSeason.rpt", "rptSeason.xml", seasonFile());
    expectInOrder(html,
                  {"<th>Snapper</th><th>Kahawai</th><th>Gurnard</th><th>Total Fish</th><th>Total Weight (kgs)</th>"
                   "<th>Total Points</th>",
                   "<tr><td class=\"pos\">1</td><td class=\"name\">Ann Avery</td><td class=\"n\">2</td>"
                   "<td class=\"z\">0</td><td class=\"z\">0</td><td class=\"n\">2</td><td class=\"n\">1.00</td>"
                   "<td class=\"t\">9.00</td></tr>",
                   "<td class=\"pos\">2</td><td class=\"name\">Bob Brown</td><td class=\"n\">1</td>"
                   "<td class=\"n\">3</td><td class=\"z\">0</td>",
                   "<td colspan=\"8\">B Grade</td>",
                   "<td class=\"pos\">1</td><td class=\"name\">Cat Cole</td><td class=\"z\">0</td>"
                   "<td class=\"n\">1</td><td class=\"n\">4</td>"},
                  "season");
}

TEST_F(Definitions, CatchAndReleaseShowsEveryOneOfTenSpeciesInOrder) {
    const std::string html = run("rptCatchRelease.rpt", "rptCatchRelease.xml", catchReleaseFile());
    const std::string dash = "<td class=\"z\">\u2013</td>";
    std::string heading, ann, bob = "<td nowrap>Bob Brown</td><td nowrap>A Grade</td>";
    for (int i = 1; i <= 10; ++i) {
        heading += "<th class=\"sp\">Species " + std::to_string(i) + "</th>";
        ann += "<td align=\"right\">" + std::to_string(i) + ".00</td>";
        if (i < 10) bob += dash;
    }
    bob += "<td align=\"right\">60.00</td><td class=\"t\">60.00</td>";
    expectInOrder(html,
                  {"Fish Released", heading + "<th>Total</th>", bob,
                   "<td nowrap>Ann Avery</td><td nowrap>A Grade</td>" + ann + "<td class=\"t\">55.00</td>",
                   "Fish Kept", heading,
                   "<td nowrap>Cat Cole</td><td nowrap>A Grade</td><td align=\"right\">3.00</td>" + dash},
                  "catch and release");
}

TEST_F(Definitions, TheFlyReportGroupsOnlyFlyCatchesByAnglerAndSpecies) {
    const std::string html = run("rptFly.rpt", "rptFly.xml", flyFile());
    expectInOrder(html,
                  {"4 of the season's 5 recorded fish were caught on the fly.",
                   "<td nowrap>Bob Brown</td><td>A Grade</td><td align=\"right\">2</td><td align=\"right\">21.00</td>"
                   "<td nowrap>Snapper, 3.10 kgs</td>",
                   "<td nowrap>Ann Avery</td><td>A Grade</td><td align=\"right\">2</td><td align=\"right\">18.00</td>"
                   "<td nowrap>Snapper, 2.50 kgs</td>",
                   "Kahawai  <span class=\"small\">2 caught on the fly</span>", "<td nowrap>Bob Brown</td>",
                   "<td nowrap>Ann Avery</td>", "Snapper  <span class=\"small\">2 caught on the fly</span>",
                   "<td nowrap>Bob Brown</td>", "<td nowrap>Ann Avery</td>"},
                  "fly");
    EXPECT_EQ(html.find("9.90"), std::string::npos);
}

}  // namespace
