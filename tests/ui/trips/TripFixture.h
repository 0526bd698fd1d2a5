#pragma once
// A club of seasons, divisions, trips and members for the trip window tests.

#include <QApplication>

#include <memory>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/ScoringContext.h"
#include "tests/ui/UiFixture.h"
#include "ui/trips/TripContext.h"

namespace qv::testing {

class TripTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        trips::tripValues() = trips::TripValues();
    }
    template <typename F>
    void settings(F edit) {
        data::System sys;
        ASSERT_TRUE(data::readSystem(store(), sys).isOk());
        edit(sys);
        ASSERT_TRUE(data::writeSystem(store(), sys).isOk());
        if (scoring_) scoring_->setSettings(sys);
    }
    void addSeason(const char* id, const char* current = "N", const char* scoring = "W") {
        data::FileUse use(store(), "Season");
        data::Season s;
        s.SeasonId = id;
        s.SeasonDesc = id;
        s.CurrentSeasonFlag = current;
        s.ScoringApplies = scoring;
        s.Measurement = "M";
        s.Handicap = "P";
        ASSERT_TRUE(data::insertRecord(store(), s).isOk());
    }
    int32_t addTrip(int32_t division, const char* season, int32_t number, const char* allow = "N") {
        data::FileUse use(store(), "Trips");
        data::Trips t;
        t.DivisionId = division;
        t.SeasonId = season;
        t.SeasonTripNumber = number;
        t.TripDate = *Date::fromCivil(2025, 3, number % 28 + 1);
        t.TripLocation = "Reef " + std::to_string(number);
        t.AllowNonMembers = allow;
        EXPECT_TRUE(data::insertRecord(store(), t).isOk());
        return t.TripId;
    }
    int32_t addMember(const char* first, const char* last, const char* inactive = "N") {
        data::FileUse use(store(), "Members");
        data::Members m;
        m.FirstName = first;
        m.LastName = last;
        m.FullName = std::string(last) + ", " + first;
        m.LadiesFlag = "N";
        m.VeteranFlag = "N";
        m.InactiveFlag = inactive;
        EXPECT_TRUE(data::insertRecord(store(), m).isOk());
        return m.MemberId;
    }
    int32_t addGrade(const char* name, int16_t position) {
        data::FileUse use(store(), "Grade");
        data::Grade g;
        g.GradeName = name;
        g.ReportPosition = position;
        g.InactiveFlag = "N";
        EXPECT_TRUE(data::insertRecord(store(), g).isOk());
        return g.GradeId;
    }
    void grade(int32_t member, int32_t gradeId, int32_t division, const char* from) {
        data::FileUse use(store(), "GradeHistory");
        data::GradeHistory h;
        h.MemberId = member;
        h.GradeId = gradeId;
        h.DivisionId = division;
        h.StartSeasonId = from;
        EXPECT_TRUE(data::insertRecord(store(), h).isOk());
    }
    int32_t addTripMember(int32_t trip, int32_t member, const char* points = "0", int32_t nonMember = 0) {
        data::FileUse use(store(), "TripMember");
        data::TripMember tm;
        tm.TripId = trip;
        tm.MemberId = member;
        tm.NonMemberId = nonMember;
        tm.TotalTripPoints = *Decimal::parse(points);
        EXPECT_TRUE(data::insertRecord(store(), tm).isOk());
        return tm.TripMemberId;
    }
    template <typename T>
    T read(int32_t id, const char* key) {
        data::FileUse use(store(), T::kLabel);
        data::Record r = store().newRecord(T::kLabel);
        r.setNumber(0, id);
        EXPECT_TRUE(store().fetch(r, key).isOk()) << T::kLabel << " " << id;
        T out;
        out.fromRecord(r);
        return out;
    }
    data::Record record(const char* file, int32_t id, const char* key) {
        data::FileUse use(store(), file);
        data::Record r = store().newRecord(file);
        r.setNumber(0, id);
        EXPECT_TRUE(store().fetch(r, key).isOk()) << file << " " << id;
        return r;
    }
    data::Record fresh(const char* file) {
        data::FileUse use(store(), file);
        data::Record r = store().newRecord(file);
        store().primeForInsert(r);
        return r;
    }

};

}  // namespace qv::testing
