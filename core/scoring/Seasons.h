#pragma once
// Season ids are texts holding a whole number and compare as texts with
// trailing blanks ignored. Also the season's scoring letters, and a small walk
// helper shared by the scoring files.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"

namespace qv::scoring {

// <0, 0, >0 as `a` sorts before, equal to or after `b`.
int compareSeason(std::string_view a, std::string_view b);
inline bool sameSeason(std::string_view a, std::string_view b) { return compareSeason(a, b) == 0; }

// The letters of a season that scoring reads.
struct SeasonRules {
    bool found = false;
    std::string scoring;   // SEA:ScoringApplies: "W", "L", "B" or anything else
    std::string handicap;  // SEA:Handicap: "P" percent, anything else points
};

// Reads the Season record of `seasonId`; a season that is not there gives
// found = false and blank letters.
data::Status readSeasonRules(data::Store& store, std::string_view seasonId, SeasonRules& out);

// Season rules read once per season for the length of one build.
class SeasonBook {
public:
    explicit SeasonBook(data::Store& store) : store_(store) {}
    data::Status rules(std::string_view seasonId, const SeasonRules*& out);

private:
    data::Store& store_;
    std::map<std::string, SeasonRules, std::less<>> seen_;
};

namespace detail {

// Walks the records of T along `key` from `from`; `visit` returns false to stop.
template <typename T, typename F>
data::Status walkRecords(data::Store& store, std::string_view key,
                         const std::vector<data::FieldValue>& from, F&& visit) {
    std::unique_ptr<data::Cursor> cursor;
    if (data::Status s = store.walk(T::kLabel, key, from, false, cursor); !s) return s;
    data::Record rec = store.newRecord(T::kLabel);
    T row;
    for (;;) {
        data::Status s = cursor->next(rec);
        if (s.isNotFound()) return data::Status::ok();
        if (!s) return s;
        row.fromRecord(rec);
        if (!visit(row)) return data::Status::ok();
    }
}

inline data::FieldValue number(int64_t n) { return data::FieldValue{n, {}}; }
inline data::FieldValue text(std::string_view t) { return data::FieldValue{0, std::string(t)}; }

}  // namespace detail

}  // namespace qv::scoring
