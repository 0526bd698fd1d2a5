#pragma once
// The state the scoring operations share: the file layer of the thread, the
// workstation's settings, the global values (for the logged-in user's level)
// and the working lists that the trip windows and reports read after a build.
//
// One context lives as long as the program's scoring session; the windows and
// the reports of one thread pass the same context around, so "one list for the
// whole program" is simply the list of that context. Tests and the command
// line make their own.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Decimal.h"
#include "core/data/Store.h"
#include "core/data/WorkstationRecords.h"
#include "core/messages/Status.h"
#include "core/session/Globals.h"

namespace qv::scoring {

// The one level for which scores are computed.
inline constexpr const char* kScorerLevel = "Scorer";

// GQ3: the winner (or a winner tied with others) of a grade on an earlier trip.
struct PriorTripWinner {
    int32_t TripId = 0;
    int32_t MemberId = 0;
    int32_t GradeId = 0;
    Decimal CalculatedPoints;
};

// The PriorTripWinners list, with the trip it was gathered for.
struct PriorTripWinners {
    bool built = false;
    int32_t tripId = 0;
    int32_t divisionId = 0;
    std::string seasonId;
    std::vector<PriorTripWinner> rows;
};

// GQ1: the winner (or a winner tied with others) of a grade on one trip.
struct TripGradeWinner {
    int32_t GradeId = 0;
    int32_t MemberId = 0;
    int32_t NonMemberId = 0;
    Decimal CalculatedPoints;
};

// GQ2: a placing in the season standings of a grade or class code.
struct SubGradeStanding {
    std::string GradeId;  // grade id as text, or a class code; at most 20 characters
    int16_t Position = 0;
    int32_t MemberId = 0;
    Decimal ProgressPoints;
};

// GQ4: the grade of an active member in an active division this season.
struct MemberGrade {
    int32_t DivisionId = 0;
    int32_t MemberId = 0;
    int32_t GradeId = 0;
};

// Told about long runs: the status line to show, and how far the run is
// (`total` is 0 when not known).
using Progress = std::function<void(std::string_view status, int done, int total)>;

// Catches and summary rows that could not be scored as entered. The values
// are still well defined (such a catch scores 0); the window shows text().
struct ScoreWarnings {
    int zeroLineClass = 0;  // catches or species rows with a line class of 0

    bool empty() const { return zeroLineClass == 0; }
    std::string text() const;
    ScoreWarnings& operator+=(const ScoreWarnings& o) {
        zeroLineClass += o.zeroLineClass;
        return *this;
    }
};

// What one scoring step did.
struct StepResult {
    // False when the step computed nothing: the user is not a "Scorer", or the
    // club's scoring mode does not use the step.
    bool ran = false;
    ScoreWarnings warnings;
    data::Status status = data::Status::ok();  // a failure of the file layer
};

class ScoringContext {
public:
    ScoringContext(data::Store& store, data::System settings,
                   session::Globals& globals = session::globals());

    data::Store& store() const { return *store_; }
    const data::System& settings() const { return settings_; }
    void setSettings(data::System s) { settings_ = std::move(s); }
    session::Globals& globals() const { return *globals_; }
    // Whether the logged-in user's level is exactly "Scorer".
    bool scorer() const;
    // Passes a status line on to `progress`, when one is set.
    void tell(std::string_view status, int done = 0, int total = 0) const;

    PriorTripWinners priorTripWinners;
    std::vector<TripGradeWinner> tripGradeWinners;
    std::vector<SubGradeStanding> subGradeStandings;
    std::vector<MemberGrade> memberGradeCache;
    Progress progress;

private:
    data::Store* store_;
    data::System settings_;
    session::Globals* globals_;
};

// The refusal given to a user who is not a "Scorer".
Message notScorerMessage();

}  // namespace qv::scoring
