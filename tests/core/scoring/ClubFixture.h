#pragma once
// A fresh workstation with a small club built record by record, a scoring
// context for a logged-in "Scorer", and helpers to add and read records.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"
#include "core/scoring/ScoringContext.h"
#include "core/scoring/Seasons.h"

namespace qvtest {

namespace fs = std::filesystem;
using namespace qv;
using namespace qv::data;
using namespace qv::scoring;

inline Decimal dec(const char* text) { return *Decimal::parse(text); }

inline std::string describe(const Status& s) {
    if (!s.isFailed()) return s.isOk() ? "ok" : "not found";
    return s.message().title + ": " + s.message().text;
}

class ClubTest : public ::testing::Test {
protected:
    void SetUp() override {
        static int counter = 0;
        folder_ = fs::temp_directory_path() /
                  ("quillavon-scoring-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        ASSERT_TRUE(initWorkstation(folder_.string()).isOk());
        System settings;
        ASSERT_TRUE(openWorkstation(folder_.string(), store, &settings).isOk());
        for (const char* l : {"Division", "Season", "Grade", "Species", "Members", "NonMembers",
                              "GradeHistory", "Trips", "TripMember", "TripScore", "TripCatch"})
            uses_.push_back(std::make_unique<FileUse>(*store, l));
        globals.SecurityLevel = "Scorer";
        ctx = std::make_unique<ScoringContext>(*store, settings, globals);
    }
    void TearDown() override {
        ctx.reset();
        uses_.clear();
        store.reset();
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    template <typename F>
    void editSettings(F edit) {
        System s = ctx->settings();
        edit(s);
        ctx->setSettings(s);
    }

    template <typename T>
    T put(T r) {
        Status s = insertRecord(*store, r);
        EXPECT_TRUE(s.isOk()) << describe(s);
        return r;
    }
    int32_t division() {
        Division d;
        d.DivisionName = "Division";
        d.InactiveFlag = "N";
        return put(d).DivisionId;
    }
    void season(const std::string& id, const char* scoring = "W", const char* handicap = "P",
                const char* current = "N") {
        Season s;
        s.SeasonId = id;
        s.ScoringApplies = scoring;
        s.Handicap = handicap;
        s.CurrentSeasonFlag = current;
        s.Measurement = "M";
        put(s);
    }
    int32_t grade(const std::string& name) {
        Grade g;
        g.GradeName = name;
        g.ReportPosition = static_cast<int16_t>(++gradePosition_);
        g.InactiveFlag = "N";
        return put(g).GradeId;
    }
    int32_t member(const char* first = "Ann", const char* last = "Smith", const char* lady = "N",
                   const char* veteran = "N", const char* veteranStart = "") {
        Members m;
        m.FirstName = first;
        m.LastName = last;
        m.LadiesFlag = lady;
        m.VeteranFlag = veteran;
        m.VeteranStartSeason = veteranStart;
        m.InactiveFlag = "N";
        m.FullName = std::string(first) + " " + last;
        return put(m).MemberId;
    }
    void history(int32_t memberId, int32_t divisionId, int32_t gradeId, const char* start,
                 const char* end = "") {
        GradeHistory h;
        h.MemberId = memberId;
        h.DivisionId = divisionId;
        h.GradeId = gradeId;
        h.StartSeasonId = start;
        h.EndSeasonId = end;
        put(h);
    }
    int32_t trip(int32_t divisionId, const std::string& seasonId, int32_t dayNumber = 80000) {
        Trips t;
        t.DivisionId = divisionId;
        t.SeasonId = seasonId;
        t.SeasonTripNumber = ++tripNumber_;
        t.TripDate = Date(dayNumber);
        t.AllowNonMembers = "Y";
        return put(t).TripId;
    }
    int32_t nonMember(int32_t tripId, int32_t gradeId) {
        NonMembers n;
        n.TripId = tripId;
        n.FirstName = "Visitor";
        n.GradeId = gradeId;
        return put(n).NonMemberId;
    }
    TripMember angler(int32_t tripId, int32_t memberId, const char* points, int32_t penalty = 0,
                      int32_t handicap = 0, int32_t nonMemberId = 0) {
        TripMember tm;
        tm.TripId = tripId;
        tm.MemberId = memberId;
        tm.NonMemberId = nonMemberId;
        tm.TotalTripPoints = dec(points);
        tm.Penalty = penalty;
        tm.Handicap = handicap;
        return put(tm);
    }
    // A species of the division at report position `position`.
    int32_t speciesIn(int32_t divisionId, const char* name, int16_t position) {
        Species sp;
        sp.DivisionId = divisionId;
        sp.SpeciesName = name;
        sp.ReportPosition = position;
        sp.InactiveFlag = "N";
        return put(sp).SpeciesId;
    }
    // How many of one species a trip member caught (a trip score row).
    void caught(int32_t tripMemberId, int32_t speciesId, int32_t count) {
        TripScore row;
        row.TripMemberId = tripMemberId;
        row.SpeciesId = speciesId;
        row.SpeciesNumberCaught = count;
        put(row);
    }
    TripMember readTripMember(int32_t id) {
        TripMember tm;
        tm.TripMemberId = id;
        EXPECT_TRUE(fetchRecord(*store, tm, "byTripMemberId").isOk());
        return tm;
    }

    // The workstation's start folder.
    const fs::path& folder() const { return folder_; }

    std::unique_ptr<Store> store;
    session::Globals globals;
    std::unique_ptr<ScoringContext> ctx;

private:
    fs::path folder_;
    std::vector<std::unique_ptr<FileUse>> uses_;
    int gradePosition_ = 0;
    int tripNumber_ = 0;
};

}  // namespace qvtest
