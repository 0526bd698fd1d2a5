// What the member windows share: the values passed with the trip windows,
// the season choices and the user's level.

#include "core/scoring/ScoringContext.h"
#include "ui/members/MemberWindows.h"

namespace qv::members {

MemberValues& memberValues() {
    static MemberValues values;
    return values;
}

ui::Choices seasonChoices(ui::AppContext& ctx, bool withBlank) {
    ui::Choices out;
    if (withBlank) out.emplace_back(QString(), QString());
    for (auto& c : ui::recordChoices(ctx, "Season", "bySeasonId", "SeasonId", "SeasonId")) out.push_back(c);
    return out;
}

std::string latestSeason(ui::AppContext& ctx) {
    const ui::Choices seasons = seasonChoices(ctx, false);
    return seasons.empty() ? std::string() : seasons.back().first.toStdString();
}

NameTable nameTable(ui::AppContext& ctx, const char* file, const char* key, const char* idField,
                    const char* nameField) {
    auto out = std::make_shared<std::map<int64_t, QString>>();
    for (const auto& [id, name] : ui::recordChoices(ctx, file, key, idField, nameField)) (*out)[id.toLongLong()] = name;
    return out;
}

ui::BrowseColumn lookedUp(QString header, NameTable names, const char* field, int widthChars) {
    return {std::move(header), "", widthChars, [names, field](const data::Record& r) {
                auto it = names->find(r.number(r.field(field)));
                return it == names->end() ? QString() : it->second;
            }};
}

bool notInactive(const data::Record& r) { return r.text(r.field("InactiveFlag")) != "Y"; }
bool markedActive(const data::Record& r) { return r.text(r.field("InactiveFlag")) == "N"; }

bool isScorer(const ui::AppContext& ctx) { return ctx.globals.SecurityLevel == scoring::kScorerLevel; }

}  // namespace qv::members
