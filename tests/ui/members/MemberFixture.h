#pragma once
// A small club for the member and trophy window tests, and a way to answer
// a form that a window opens modally.

#include <QApplication>
#include <QTimer>

#include <functional>
#include <memory>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/scoring/ScoringContext.h"
#include "tests/ui/UiFixture.h"
#include "ui/members/MemberWindows.h"

namespace qv::testing {

class MemberTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        members::memberValues() = members::MemberValues();
        g_.SecurityLevel = "Administrator";
    }
    template <typename T>
    T put(T r) {
        data::FileUse use(store(), T::kLabel);
        EXPECT_TRUE(data::insertRecord(store(), r).isOk()) << T::kLabel;
        return r;
    }
    void addSeason(const char* id, const char* current = "N") {
        data::Season s;
        s.SeasonId = id;
        s.SeasonDesc = id;
        s.CurrentSeasonFlag = current;
        s.ScoringApplies = "W";
        s.Measurement = "M";
        s.Handicap = "P";
        put(s);
    }
    int32_t addGrade(const char* name, int16_t position, const char* inactive = "N") {
        data::Grade g;
        g.GradeName = name;
        g.ReportPosition = position;
        g.InactiveFlag = inactive;
        return put(g).GradeId;
    }
    int32_t addMember(const char* first, const char* last, const char* inactive = "N") {
        data::Members m;
        m.FirstName = first;
        m.LastName = last;
        m.FullName = std::string(last) + ", " + first;
        m.LadiesFlag = m.VeteranFlag = "N";
        m.InactiveFlag = inactive;
        return put(m).MemberId;
    }
    int32_t addGrading(int32_t member, int32_t division, int32_t grade, const char* start, const char* end = "") {
        data::GradeHistory h;
        h.MemberId = member;
        h.DivisionId = division;
        h.GradeId = grade;
        h.StartSeasonId = start;
        h.EndSeasonId = end;
        return put(h).GradeHistoryId;
    }
    int32_t addTrip(int32_t division, const char* season, const char* allowNonMembers = "N") {
        data::Trips t;
        t.DivisionId = division;
        t.SeasonId = season;
        t.SeasonTripNumber = ++tripNumber_;
        t.AllowNonMembers = allowNonMembers;
        return put(t).TripId;
    }
    void addAngler(int32_t trip, int32_t member) {
        data::TripMember tm;
        tm.TripId = trip;
        tm.MemberId = member;
        put(tm);
    }
    int32_t addTrophy(const char* name, const char* inactive = "N") {
        data::Trophy t;
        t.TrophyName = name;
        t.InactiveFlag = inactive;
        return put(t).TrophyId;
    }
    data::Record fresh(const char* file) {
        data::FileUse use(store(), file);
        data::Record r = store().newRecord(file);
        store().primeForInsert(r);
        return r;
    }
    template <typename T>
    data::Record stored(const T& r) {
        data::FileUse use(store(), T::kLabel);
        data::Record rec = store().newRecord(T::kLabel);
        EXPECT_TRUE(store().fetchByRecno(rec, r.stamp.recno).isOk());
        return rec;
    }
    template <typename T>
    T reread(T r, const char* key) {
        data::FileUse use(store(), T::kLabel);
        EXPECT_TRUE(data::fetchRecord(store(), r, key).isOk());
        return r;
    }
    // Every record of a file, in record order.
    template <typename T>
    std::vector<T> all() {
        data::FileUse use(store(), T::kLabel);
        std::vector<T> out;
        std::unique_ptr<data::Cursor> c;
        if (!store().walk(T::kLabel, "", {}, false, c)) return out;
        data::Record r = store().newRecord(T::kLabel);
        while (c->next(r)) {
            T t;
            t.fromRecord(r);
            out.push_back(t);
        }
        return out;
    }
    std::string lastShown() const { return messages_.shown().empty() ? "" : messages_.shown().back().message.text; }

    // Runs `fill` on the form a window opens modally next.
    static void whenFormOpens(std::function<void(ui::StandardForm&)> fill) {
        QTimer::singleShot(0, [fill] {
            auto* form = qobject_cast<ui::StandardForm*>(QApplication::activeModalWidget());
            if (!form) {
                ADD_FAILURE() << "no form opened";
                return;
            }
            fill(*form);
            if (form->isVisible()) form->reject();
        });
    }

    int32_t tripNumber_ = 0;
};

}  // namespace qv::testing
