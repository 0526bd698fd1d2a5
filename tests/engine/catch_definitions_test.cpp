// The biggest species and line class definitions run by the engine's own
// stylesheet processor over small hand-made data files: who is placed, how
// ties share a place, the season scored by length, and the species nobody
// measured.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "engine/Transform.h"

namespace {

namespace fs = std::filesystem;

struct Catch {
    std::string angler, species, weight, length, lineClass, score, trip = "1";
};

std::string rowsXml(const std::vector<Catch>& catches, char scoring) {
    std::string x = "<?xml version=\"1.0\"?>\n<Data>\n";
    for (const Catch& c : catches)
        x += "<Row><organisationname>Test Club</organisationname><season>2029</season>"
             "<seasontripnumber>" + c.trip + "</seasontripnumber><tripdate>09/11/2029</tripdate>"
             "<triplocation>Harbour</triplocation><interclubtripdesc></interclubtripdesc>"
             "<divisionname>Division 1</divisionname><lengthmeasurement>cms</lengthmeasurement>"
             "<weightmeasurement>kgs</weightmeasurement><fullname>" + c.angler + "</fullname>"
             "<lastname>x</lastname><gradename>Grade 1</gradename><gradeposition>1</gradeposition>"
             "<speciesname>" + c.species + "</speciesname><speciesweight>" + c.weight + "</speciesweight>"
             "<specieslength>" + c.length + "</specieslength><releasekill>Release</releasekill>"
             "<lineclass>" + c.lineClass + "</lineclass><fightfactor>1.50</fightfactor>"
             "<score>" + c.score + "</score><flycaught>Fly</flycaught><witnessname>W</witnessname>"
             "<scoringapplies>" + std::string(1, scoring) + "</scoringapplies></Row>\n";
    return x + "</Data>\n";
}

// The text of each table row, cells joined by '|', without the markup.
std::vector<std::string> tableRows(const std::string& html) {
    std::vector<std::string> rows;
    const std::regex tr("<tr[^>]*>([\\s\\S]*?)</tr>"), td("<td[^>]*>([\\s\\S]*?)</td>"), tag("<[^>]*>");
    for (auto r = std::sregex_iterator(html.begin(), html.end(), tr); r != std::sregex_iterator(); ++r) {
        const std::string inner = (*r)[1];
        if (inner.find("<th") != std::string::npos) continue;
        std::string line;
        bool first = true;
        for (auto c = std::sregex_iterator(inner.begin(), inner.end(), td); c != std::sregex_iterator(); ++c) {
            line += (first ? "" : "|") + std::regex_replace((*c)[1].str(), tag, "");
            first = false;
        }
        rows.push_back(line);
    }
    return rows;
}

class CatchDefinitions : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        data = fs::temp_directory_path() / ("quillavon-catch-defs-" + std::to_string(rd()));
        fs::create_directories(data);
    }
    void TearDown() override { fs::remove_all(data); }

    std::vector<std::string> run(const char* definition, const char* dataFile, const std::vector<Catch>& catches,
                                 char scoring = 'W') {
        std::ofstream(data / dataFile, std::ios::binary) << rowsXml(catches, scoring);
        const qv::engine::TransformResult r =
            qv::engine::transform(std::string(QUILLAVON_DEFINITIONS) + "/" + definition, data.string() + "/");
        EXPECT_TRUE(r.ok) << definition << ": " << r.error;
        return tableRows(r.html);
    }

    fs::path data;
};

using Rows = std::vector<std::string>;

TEST_F(CatchDefinitions, LineClassPlacesTheTopThreeWithTies) {
    const std::vector<Catch> catches = {
        // 6 kg: two share first, so the next is third, and a tie there shows both.
        {"Ann", "Snapper", "5.100", "40.00", "6.00", "100.00"},
        {"Bob", "Snapper", "7.250", "45.00", "6.00", "120.00", "2"},
        {"Cat", "Snapper", "7.250", "44.00", "6.00", "120.00", "3"},
        {"Dan", "Snapper", "3.000", "46.00", "6.00", "90.00"},
        {"Vic", "Tarakihi", "0.900", "20.00", "6", "100.00"},
        // 8 kg: a three-way tie for second fills the places.
        {"Quin", "Snapper", "1.500", "41.00", "8.00", "90.00"},
        {"Ray", "Snapper", "1.500", "41.00", "8.00", "80.00"},
        {"Sam", "Snapper", "1.500", "41.00", "8.00", "80.00"},
        {"Tom", "Snapper", "1.500", "41.00", "8.00", "80.00"},
        {"Uma", "Snapper", "1.500", "41.00", "8.00", "70.00"},
        // 15 kg: fewer than three catches, one not weighed.
        {"Hal", "Gurnard", "0.000", "30.00", "15.00", "50.00"},
        {"Ida", "Gurnard", "1.300", "25.00", "15.00", "55.00"},
        // 2 kg: listed first although caught last.
        {"Zed", "Gurnard", "0.500", "20.00", "2.00", "10.00"},
    };
    const Rows expected = {
        "Line class 2.00   1 catches",
        "1|Zed|Gurnard|0.500|20.00|1.50|10.00|1|09/11/2029",
        "Line class 6.00   5 catches",
        "1|Bob|Snapper|7.250|45.00|1.50|120.00|2|09/11/2029",
        "1|Cat|Snapper|7.250|44.00|1.50|120.00|3|09/11/2029",
        "3|Ann|Snapper|5.100|40.00|1.50|100.00|1|09/11/2029",
        "3|Vic|Tarakihi|0.900|20.00|1.50|100.00|1|09/11/2029",
        "Line class 8.00   5 catches",
        "1|Quin|Snapper|1.500|41.00|1.50|90.00|1|09/11/2029",
        "2|Ray|Snapper|1.500|41.00|1.50|80.00|1|09/11/2029",
        "2|Sam|Snapper|1.500|41.00|1.50|80.00|1|09/11/2029",
        "2|Tom|Snapper|1.500|41.00|1.50|80.00|1|09/11/2029",
        "Line class 15.00   2 catches",
        "1|Ida|Gurnard|1.300|25.00|1.50|55.00|1|09/11/2029",
        "2|Hal|Gurnard||30.00|1.50|50.00|1|09/11/2029",
    };
    EXPECT_EQ(run("rptLineClass.rpt", "rptLineClass.xml", catches), expected);
}

TEST_F(CatchDefinitions, LineClassWithOneCatchOrNone) {
    EXPECT_EQ(run("rptLineClass.rpt", "rptLineClass.xml", {{"Solo", "Snapper", "2.000", "30.00", "6.00", "50.00"}}),
              (Rows{"Line class 6.00   1 catches", "1|Solo|Snapper|2.000|30.00|1.50|50.00|1|09/11/2029"}));
    EXPECT_EQ(run("rptLineClass.rpt", "rptLineClass.xml", {}), Rows{});
}

const std::vector<Catch> kSpecies = {
    {"Ann", "Snapper", "5.100", "40.00", "6.00", "1"},
    {"Bob", "Snapper", "7.250", "45.00", "6.00", "1", "2"},
    {"Cat", "Snapper", "7.250", "44.00", "8.00", "1", "3"},
    {"Dan", "Snapper", "3.000", "46.00", "6.00", "1"},
    {"Fay", "Kahawai", "0.000", "0.00", "10.00", "0"},
    {"Gus", "Kahawai", "0.000", "0.00", "10.00", "0"},
    {"Hal", "Blue Cod", "1.200", "0.00", "15.00", "1"},
    {"Ida", "Blue Cod", "1.100", "25.00", "15.00", "1", "2"},
};

TEST_F(CatchDefinitions, BiggestSpeciesByWeightSharesFirstPlace) {
    const Rows expected = {
        "Blue Cod|Hal|Grade 1|1.200||15.00|Release|1|09/11/2029|2",
        "Kahawai|no fish measured|||2",
        "Snapper|Bob|Grade 1|7.250|45.00|6.00|Release|2|09/11/2029|4",
        "|Cat|Grade 1|7.250|44.00|8.00|Release|3|09/11/2029|",
    };
    EXPECT_EQ(run("rptBiggestSpecies.rpt", "rptBiggestSpecies.xml", kSpecies), expected);
}

TEST_F(CatchDefinitions, BiggestSpeciesInASeasonScoredByLength) {
    const Rows expected = {
        "Blue Cod|Ida|Grade 1|1.100|25.00|15.00|Release|2|09/11/2029|2",
        "Kahawai|no fish measured|||2",
        "Snapper|Dan|Grade 1|3.000|46.00|6.00|Release|1|09/11/2029|4",
    };
    EXPECT_EQ(run("rptBiggestSpecies.rpt", "rptBiggestSpecies.xml", kSpecies, 'L'), expected);
    // The trip's report leaves out the trip and date columns.
    const Rows trip = {
        "Blue Cod|Ida|Grade 1|1.100|25.00|15.00|Release|2",
        "Kahawai|no fish measured|2",
        "Snapper|Dan|Grade 1|3.000|46.00|6.00|Release|4",
    };
    EXPECT_EQ(run("rptBiggestSpeciesTrip.rpt", "rptBiggestSpecies.xml", kSpecies, 'L'), trip);
}

}  // namespace
