#include "core/reports/Certificate.h"

#include <algorithm>
#include <map>
#include <vector>

#include "core/data/FixedText.h"
#include "core/reports/ReportLookups.h"
#include "core/scoring/Seasons.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

constexpr int kColumns = 10;

olmix::RecordQueue headingRow() {
    olmix::RecordQueue q;
    q.addInteger("LQ0:TOTALNUMBERFISH");
    q.addText("LQ0:FULLNAME");
    q.addInteger("LQ0:TRIPCOUNT");
    for (const char* f : {"LQ0:SEASONDESC", "LQ0:DIVISIONNAME", "LQ0:ORGANISATIONNAME"}) q.addText(f);
    return q;
}

olmix::RecordQueue speciesRow() {
    olmix::RecordQueue q;
    for (const char* group : {"LQ4:SPECIESNAME", "LQ4:SPECIESNUMBERCAUGHT"})
        for (int k = 1; k <= kColumns; ++k) q.addText(group + std::to_string(k));
    return q;
}

// The first `n` characters of a UTF-8 text.
std::string firstCharacters(std::string_view s, size_t n) {
    size_t at = 0;
    for (size_t count = 0; at < s.size() && count < n; ++count) {
        ++at;
        while (at < s.size() && (static_cast<unsigned char>(s[at]) & 0xC0) == 0x80) ++at;
    }
    return std::string(s.substr(0, at));
}

}  // namespace

Status BuildCertificate(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.reportFile = "reports/rptCertificate.rpt";
    run.windowTitle = kCertificateTitle;
    OpenFiles files(store, {"Trips", "TripMember", "TripScore", "Species", "Division", "Season", "Members"});
    if (!files.status()) return files.status();

    Division division;
    Season season;
    if (Status s = divisionAndSeason(store, g.DivisionId, g.SeasonId.str(), division, season); !s) return s;
    Members member;
    member.MemberId = g.MemberId;
    if (Status s = fetchRecord(store, member, "byMemberId"); s.isFailed()) return s;
    std::vector<Species> species;
    if (Status s = divisionSpecies(store, g.DivisionId, species); !s) return s;
    std::stable_sort(species.begin(), species.end(),
                     [](const Species& a, const Species& b) { return a.ReportPosition < b.ReportPosition; });

    // The member's trips of the division and season, and their fish.
    std::vector<TripMember> fished;
    Status s = walkRecords<TripMember>(store, "byMemberId", {number(g.MemberId)}, [&](const TripMember& tm) {
        if (tm.MemberId != g.MemberId) return false;
        fished.push_back(tm);
        return true;
    });
    if (!s) return s;
    int32_t trips = 0, fish = 0;
    std::map<int32_t, int64_t> caught;  // species → number
    for (const TripMember& tm : fished) {
        Trips t;
        t.TripId = tm.TripId;
        if (s = fetchRecord(store, t, "byTripId"); s.isFailed()) return s;
        if (!s || t.DivisionId != g.DivisionId || !sameText(t.SeasonId, g.SeasonId.str())) continue;
        ++trips;
        fish += tm.TotalNumberFish;
        s = walkRecords<TripScore>(store, "byTripMemberId", {number(tm.TripMemberId)}, [&](const TripScore& row) {
            if (row.TripMemberId != tm.TripMemberId) return false;
            caught[row.SpeciesId] += row.SpeciesNumberCaught;
            return true;
        });
        if (!s) return s;
    }

    // Columns 1 to 9 one species each; the tenth the tenth species, or
    // "Combined" and the fish of the tenth species onwards.
    olmix::RecordQueue columns = speciesRow();
    columns.clear();
    int64_t combined = 0;
    for (size_t k = 0; k < species.size(); ++k) {
        const int64_t n = caught.count(species[k].SpeciesId) ? caught[species[k].SpeciesId] : 0;
        const size_t col = std::min<size_t>(k, kColumns - 1) + 1;
        if (k < kColumns - 1 || species.size() == kColumns) {
            columns.setText(col, firstCharacters(clip(species[k].SpeciesName), 20));
            columns.setText(col + kColumns, std::to_string(n));
        } else {
            combined += n;
            columns.setText(col, "Combined");
            columns.setText(col + kColumns, std::to_string(combined));
        }
    }
    columns.add();

    olmix::RecordQueue heading = headingRow();
    heading.clear();
    size_t f = 1;
    heading.setInteger(f++, fish);
    heading.setText(f++, std::string(clip(member.FirstName)) + " " + std::string(clip(member.LastName)));
    heading.setInteger(f++, trips);
    heading.setText(f++, season.SeasonDesc);
    heading.setText(f++, division.DivisionName);
    heading.setText(f++, g.OrganisationName.str());
    heading.add();

    run.dataFlag = trips > 0 ? 'Y' : 'N';
    const std::string folder = dataFolder(startFolder);
    writeDataFile(folder + "rptCertificate.xml", "", "Row", heading, run, false);
    writeDataFile(folder + "rptCertificateFishHistory.xml", "", "Row", columns, run, false);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
