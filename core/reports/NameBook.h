#pragma once
// The records a report names over and over (divisions, seasons, grades,
// trophies, members and visitors), each read once per build. A record that
// is not there reads as a blank one; only a failure of the file layer comes
// back as a status.

#include <cstdint>
#include <map>
#include <string>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/messages/Status.h"

namespace qv::reports {

class NameBook {
public:
    explicit NameBook(data::Store& store) : store_(store) {}

    data::Status division(int32_t id, data::Division& out);
    data::Status season(const std::string& id, data::Season& out);
    data::Status grade(int32_t id, data::Grade& out);
    data::Status trophy(int32_t id, data::Trophy& out);
    data::Status member(int32_t id, data::Members& out);
    // A winner as the prize lists name one: first and last name, and an
    // asterisk after a visitor's (non-member's) last name.
    data::Status winnerName(int32_t memberId, int32_t nonMemberId, std::string& out);

private:
    data::Store& store_;
    std::map<int32_t, data::Division> divisions_;
    std::map<std::string, data::Season> seasons_;
    std::map<int32_t, data::Grade> grades_;
    std::map<int32_t, data::Trophy> trophies_;
    std::map<int32_t, data::Members> members_;
};

// First name, a blank, last name, each without trailing blanks.
std::string plainName(const std::string& first, const std::string& last);

}  // namespace qv::reports
