#pragma once
// A made-up but realistic club for a new installation, so that a new user
// sees divisions, seasons, members, scored trips and trophies at once.

#include <cstddef>

#include "core/messages/Status.h"

namespace qv::data {
class Store;
}

namespace qv::demo {

// The made-up club's name, printed at the head of its reports.
inline constexpr const char* kDemoOrganisation = "Riverbend Angling Club";

// How many records of each kind the demo club wrote.
struct DemoClubCounts {
    size_t divisions = 0, seasons = 0, grades = 0, species = 0, trophies = 0;
    size_t members = 0, gradeHistory = 0, nonMembers = 0, trips = 0, teams = 0;
    size_t tripMembers = 0, catches = 0, summaries = 0;
    size_t tripTrophies = 0, seasonTrophies = 0, users = 0;
};

// The demo users' log-on ids and passwords.
struct DemoUser {
    const char* userId;
    const char* password;
    const char* name;
    const char* securityLevel;
};
extern const DemoUser kDemoUsers[4];

// Fills the club of `store` with the demo club, through the file layer so
// that every key, range and relation rule applies. The club must hold no
// records other than its security levels: a club with data is refused with a
// message and left as it was. Everything is written in one transaction, so a
// failure part way leaves the club empty. The same records come out on
// every run and every platform.
data::Status buildDemoClub(data::Store& store, DemoClubCounts* counts = nullptr);

}  // namespace qv::demo
