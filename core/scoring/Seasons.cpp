#include "core/scoring/Seasons.h"

#include "core/data/FixedText.h"
#include "core/data/Typed.h"

namespace qv::scoring {

int compareSeason(std::string_view a, std::string_view b) {
    return compareText(a, b, /*caseSensitive=*/true);
}

data::Status readSeasonRules(data::Store& store, std::string_view seasonId, SeasonRules& out) {
    out = SeasonRules();
    data::FileUse use(store, "Season");
    if (!use) return use.status();
    data::Season sea;
    sea.SeasonId = std::string(clip(seasonId));
    data::Status s = data::fetchRecord(store, sea, "bySeasonId");
    if (s.isFailed()) return s;
    // The key ignores case; the season must be the same text.
    if (s.isOk() && sameSeason(sea.SeasonId, seasonId)) {
        out.found = true;
        out.scoring = std::string(clip(sea.ScoringApplies));
        out.handicap = std::string(clip(sea.Handicap));
    }
    return data::Status::ok();
}

data::Status SeasonBook::rules(std::string_view seasonId, const SeasonRules*& out) {
    std::string key(clip(seasonId));
    auto it = seen_.find(key);
    if (it == seen_.end()) {
        SeasonRules r;
        if (data::Status s = readSeasonRules(store_, key, r); !s) return s;
        it = seen_.emplace(key, std::move(r)).first;
    }
    out = &it->second;
    return data::Status::ok();
}

}  // namespace qv::scoring
