#include "core/exchange/MemberHistoryCsv.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <unordered_map>

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/exchange/Csv.h"
#include "core/exchange/ExchangeFolders.h"
#include "core/scoring/Seasons.h"

namespace qv::exchange {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::walkRecords;

namespace {

struct SpeciesColumn {
    int32_t id = 0;
    std::string name;
};

// One member's line as it is gathered.
struct History {
    int trips = 0;
    std::string firstDate, firstLocation, division, season;
    std::map<int32_t, long long> caught;  // species → fish
    long long total = 0;
};

constexpr const char* kEnd = "\r\n";

}  // namespace

Status ExportMemberHistory(Store& store, int32_t divisionId, const std::string& startFolder,
                           MemberHistoryExport& out) {
    out = MemberHistoryExport();
    out.file = memberHistoryFile(startFolder);
    std::vector<std::unique_ptr<FileUse>> open;
    for (const char* l : {"Species", "Members", "TripMember", "Trips", "Division", "Season", "TripScore"}) {
        open.push_back(std::make_unique<FileUse>(store, l));
        if (!*open.back()) return open.back()->status();
    }

    // The division's species in report-position order.
    std::vector<SpeciesColumn> species;
    Status s = walkRecords<Species>(store, "byDivisionIdReportPosition", {number(divisionId)}, [&](const Species& sp) {
        if (sp.DivisionId != divisionId) return false;
        species.push_back({sp.SpeciesId, std::string(clip(sp.SpeciesName))});
        return true;
    });
    if (!s) return s;

    // The division's trips, by id.
    std::unordered_map<int32_t, Trips> trips;
    s = walkRecords<Trips>(store, "byTripId", {}, [&](const Trips& t) {
        if (t.DivisionId == divisionId) trips.emplace(t.TripId, t);
        return true;
    });
    if (!s) return s;
    Division division;
    division.DivisionId = divisionId;
    if (s = fetchRecord(store, division, "byDivisionId"); s.isFailed()) return s;

    // Every trip member of those trips, in member-key order, with its catch.
    std::map<int32_t, History> lines;
    s = walkRecords<TripMember>(store, "byMemberId", {number(1)}, [&](const TripMember& tm) {
        auto trip = trips.find(tm.TripId);
        if (trip == trips.end()) return true;
        History& h = lines[tm.MemberId];
        if (h.trips++ == 0) {
            Season season;
            season.SeasonId = trip->second.SeasonId;
            if (fetchRecord(store, season, "bySeasonId").isFailed()) season = Season();
            h.firstDate = trip->second.TripDate.format("D6");
            h.firstLocation = clip(trip->second.TripLocation);
            h.division = clip(division.DivisionName);
            h.season = clip(fitText(season.SeasonDesc, 20));
        }
        h.total += tm.TotalNumberFish;
        Status inner = walkRecords<TripScore>(store, "byTripMemberId", {number(tm.TripMemberId)}, [&](const TripScore& row) {
            if (row.TripMemberId != tm.TripMemberId) return false;
            h.caught[row.SpeciesId] += row.SpeciesNumberCaught;
            return true;
        });
        if (!inner) s = inner;
        return inner.isOk();
    });
    if (!s) return s;

    std::string text = "MemberName,FirstTripDate,FirstTripLocation,Division,Season,TotalNumberTrips,";
    for (const SpeciesColumn& c : species) text += csvField(c.name) + ",";
    text += "TotalNumberFishCaught";
    text += kEnd;
    for (const auto& [memberId, h] : lines) {
        Members m;
        m.MemberId = memberId;
        if (fetchRecord(store, m, "byMemberId").isFailed()) m = Members();
        const std::string name = std::string(clip(m.FirstName)) + " " + std::string(clip(m.LastName));
        for (const std::string* v : {&name, &h.firstDate, &h.firstLocation, &h.division, &h.season})
            text += csvField(*v) + ",";
        text += std::to_string(h.trips) + ",";
        for (const SpeciesColumn& c : species) {
            auto it = h.caught.find(c.id);
            text += std::to_string(it == h.caught.end() ? 0 : it->second) + ",";
        }
        text += std::to_string(h.total);
        text += kEnd;
        ++out.members;
    }

    // Written whole under a temporary name, then put in place.
    const std::string temp = out.file + ".new";
    bool written = false;
    {
        std::ofstream f(temp, std::ios::binary | std::ios::trunc);
        if (f) {
            f.write(text.data(), static_cast<std::streamsize>(text.size()));
            f.flush();
            written = f.good();
        }
    }
    std::error_code ec;
    if (written) std::filesystem::rename(temp, out.file, ec);
    if (!written || ec) {
        std::filesystem::remove(temp, ec);
        out.message = programMessage("Error creating Member History Export File");
        out.message.title = "File Access Error";
        return Status::ok();
    }
    out.message = programMessage("Data has been exported to " + fullFolder(startFolder) + "/DATA/EXPORT.CSV");
    out.message.title = "Member History Export";
    return Status::ok();
}

}  // namespace qv::exchange
