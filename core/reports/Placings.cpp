#include "core/reports/Placings.h"

#include <algorithm>

#include "core/data/FixedText.h"
#include "core/scoring/Standings.h"

namespace qv::reports {

using namespace qv::data;

namespace {

struct ClassName {
    char letter;
    const char* name;
};
constexpr ClassName kClasses[] = {{'L', "Ladies"}, {'M', "Men"}, {'V', "Veteran"}, {'N', "Non-Veteran"}};

const char* className(char letter) {
    for (const ClassName& c : kClasses)
        if (c.letter == letter) return c.name;
    return nullptr;
}

Status gradeName(NameBook& names, std::string_view idText, std::string& out) {
    Grade g;
    if (Status s = names.grade(static_cast<int32_t>(numericValue(idText)), g); !s) return s;
    out = std::string(clip(g.GradeName));
    return Status::ok();
}

}  // namespace

Status placingGroupLabel(NameBook& names, std::string_view code, ClassStyle style, std::string& out) {
    code = clip(code);
    if (code.size() == 1 && className(code[0])) {
        out = className(code[0]);
        return Status::ok();
    }
    if (code.size() >= 2 && code[0] == '~' && className(code[1])) {
        if (Status s = gradeName(names, code.substr(2), out); !s) return s;
        const std::string cls = className(code[1]);
        out += style == ClassStyle::Bracketed ? " (" + cls + ")" : " " + cls;
        return Status::ok();
    }
    return gradeName(names, code, out);
}

std::string placeWords(int position) {
    switch (position) {
        case 1: return "First Place";
        case 2: return "Second Place";
        case 3: return "Third Place";
        default: return "";
    }
}

Status seasonPlacings(scoring::ScoringContext& ctx, int32_t divisionId, std::string_view seasonId,
                      std::vector<scoring::SubGradeStanding>& out) {
    if (Status s = scoring::BuildSubGradeStandings(ctx, divisionId, seasonId); !s) return s;
    out = ctx.subGradeStandings;
    std::stable_sort(out.begin(), out.end(), [](const scoring::SubGradeStanding& a, const scoring::SubGradeStanding& b) {
        if (a.GradeId != b.GradeId) return a.GradeId < b.GradeId;
        if (a.Position != b.Position) return a.Position < b.Position;
        return a.MemberId < b.MemberId;
    });
    return Status::ok();
}

}  // namespace qv::reports
