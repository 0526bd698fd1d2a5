#pragma once
// The values that windows pass to each other for the whole run. One copy for
// the process; strings are fixed-width (cut to their width, kept clipped).

#include <cstdint>
#include <string>
#include <string_view>

#include "core/data/Date.h"
#include "core/data/FixedText.h"

namespace qv::session {

template <size_t N>
class GlobalText {
public:
    GlobalText() = default;
    GlobalText(std::string_view s) : s_(fitText(s, N)) {}  // NOLINT: implicit on purpose
    GlobalText& operator=(std::string_view s) {
        s_ = fitText(s, N);
        return *this;
    }
    const std::string& str() const { return s_; }
    operator std::string_view() const { return s_; }  // NOLINT
    bool empty() const { return s_.empty(); }
    static constexpr size_t width() { return N; }
    friend bool operator==(const GlobalText& a, std::string_view b) { return a.s_ == clip(b); }

private:
    std::string s_;
};

struct Globals {
    // Chosen in the lists and read by the windows they open.
    int32_t DivisionId = 0;
    GlobalText<20> SeasonId;
    int32_t TripId = 0;
    int32_t TripMemberId = 0;
    int32_t MemberId = 0;

    // The logged-in user.
    GlobalText<50> UserId;
    GlobalText<50> UserPassword;
    GlobalText<50> UserName;
    GlobalText<50> SecurityLevel;  // blank until a login succeeds
    GlobalText<20> NewPassword;

    GlobalText<50> TransferStatus;

    // The trip summary shown above the trip-member windows.
    GlobalText<100> DivisionName;
    GlobalText<20> TripSumNumber;
    Date TripSumTripDate;
    GlobalText<50> TripSumTripLocation;
    GlobalText<25> TripSumInterClubDesc;
    int32_t TripCatchTotal = 0;

    // What a report builder leaves for the report window.
    GlobalText<256> WindowTitle;
    GlobalText<256> ReportFile;
    GlobalText<1> ReportDataFlag;
    GlobalText<50> OrganisationName;

    // Set when the login window's OK is pressed; later openings are the About box.
    bool LoggedIn = false;
    // The data folder's version record could not be read at start-up.
    bool ClientVersionUnreadable = false;
    // Marks that the member-grade table must be rebuilt: a "Scorer" saved a
    // current season, changed members, or changed a member's grade history.
    bool SeasonsChanged = false;
    bool MembersChanged = false;
    bool GradeHistoryChanged = false;

    // Blanks and zeros, as at the start of a run.
    void clear() { *this = Globals(); }
};

// The one Globals object of the process.
Globals& globals();

}  // namespace qv::session
