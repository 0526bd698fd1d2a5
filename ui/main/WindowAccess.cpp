#include "ui/main/WindowAccess.h"

#include <map>

namespace qv::ui {

namespace {

using session::Access;

const std::map<QString, Access>& table() {
    static const std::map<QString, Access> all = {
        {"winLoginAbout", Access::Open},
        {"winMain", Access::AnyUser},
        {"winHelp", Access::AnyUser},
        {"winChangePassword", Access::Staff},
        {"brwUsers", Access::Admins},
        {"frmUser", Access::Admins},
        {"brwDivision", Access::Staff},
        {"frmDivision", Access::Staff},
        {"brwGrade", Access::Staff},
        {"frmGrade", Access::Staff},
        {"brwSeason", Access::Staff},
        {"frmSeason", Access::Staff},
        {"brwSpecies", Access::Staff},
        {"frmSpecies", Access::Staff},
        {"brwTrophy", Access::Staff},
        {"frmTrophy", Access::Staff},
        {"winSystemConfiguration", Access::Staff},
        {"brwTrips", Access::Staff},
        {"frmTrips", Access::Staff},
        {"brwTripMembers", Access::Staff},
        {"frmTripMembers", Access::Staff},
        {"brwTeams", Access::Staff},
        {"fmTeams", Access::Staff},
        {"frmMembers", Access::Staff},
        {"frmGradeHistory", Access::Staff},
        {"frmNonMembers", Access::Staff},
        {"frmTrophyHistory", Access::Staff},
        {"frmSeasonTrophy", Access::Staff},
        // Windows the main frame offers that later versions add.
        {"brwMembers", Access::Staff},
        {"brwSeasonTrophy", Access::Staff},
        {"winImportExport", Access::Staff},
        {"winEmailReports", Access::Staff},
        {"winReports", Access::AnyUser},
        {"winReportPreview", Access::AnyUser},
    };
    return all;
}

}  // namespace

session::Access windowAccess(const QString& procedure) {
    auto it = table().find(procedure);
    return it == table().end() ? Access::Admins : it->second;
}

bool hasWindowAccess(const QString& procedure) { return table().count(procedure) > 0; }

}  // namespace qv::ui
