// Files of the club's records: layouts, keys and rules.

#include "core/data/CatalogBuilder.h"
#include "core/data/ClubRecords.h"

namespace qv::data::build {

void addClubFiles(std::vector<std::unique_ptr<FileDef>>& out) {
    const Location C = Location::Club;
    auto add = [&](FileDef f) { out.push_back(std::make_unique<FileDef>(std::move(f))); };

    FileDef div = file("Division", "DIV", "DIVISION.TPS", C, 109, Division::fieldDefs());
    key(div, "byDivisionName", "DivisionName", Dup, "byDivisionName");
    key(div, "byInactiveFlag", "InactiveFlag", Dup, "byInactiveFlag");
    key(div, "byDivisionId", "DivisionId", Primary | Auto, "byDivisionId");
    flags(div, {"InactiveFlag"});
    add(div);

    FileDef sea = file("Season", "SEA", "SEASON.TPS", C, 71, Season::fieldDefs());
    key(sea, "bySeasonId", "SeasonId", Primary, "bySeasonId");
    key(sea, "bySeasonDesc", "SeasonDesc", Dup, "bySeasonDesc");
    key(sea, "byCurrentSeason", "CurrentSeasonFlag desc, SeasonId", Dup, "byCurrentSeason");
    range(sea, "SeasonId", 0, 9999, "Unique ID for the season (user defined)", "0 .. 9999");
    defaultValue(sea, "Measurement", "M");
    defaultValue(sea, "Handicap", "P");
    defaultValue(sea, "ScoringApplies", "N");
    flags(sea, {"CurrentSeasonFlag"});
    choices(sea, "Measurement", "M,I");
    choices(sea, "Handicap", "P,N");
    choices(sea, "ScoringApplies", "W,L,B,N");  // N: no choice made yet
    add(alias(sea, "SeasonBrowse", "SEB"));
    add(sea);

    FileDef gra = file("Grade", "GRA", "GRADE.TPS", C, 57, Grade::fieldDefs());
    key(gra, "byGradeId", "GradeId", Primary | Auto, "byGradeId");
    key(gra, "byReportPostion", "ReportPosition", Unique, "byReportPosition");
    key(gra, "byGradeName", "GradeName", Dup, "byGradeName");
    key(gra, "byInactiveFlag", "InactiveFlag", Dup, "byInactiveFlag");
    flags(gra, {"InactiveFlag"});
    add(gra);

    FileDef spe = file("Species", "SPE", "SPECIES.TPS", C, 119, Species::fieldDefs());
    key(spe, "byDivisionIdReportPosition", "DivisionId, ReportPosition", Unique,
        "Report Position already used");
    key(spe, "bySpeciesId", "SpeciesId", Primary | Auto, "bySpeciesId");
    key(spe, "byDivisionId", "DivisionId", Dup, "Foreign Key byDivisionId");
    key(spe, "bySpeciesName", "SpeciesName", Dup, "bySpeciesName");
    key(spe, "byInactiveFlag", "InactiveFlag", Dup, "byInactiveFlag");
    flags(spe, {"InactiveFlag"});
    add(spe);

    FileDef tro = file("Trophy", "TRO", "TROPHY.TPS", C, 205, Trophy::fieldDefs());
    key(tro, "byTrophyId", "TrophyId", Primary | Auto, "byTrophyId");
    key(tro, "byTrophyName", "TrophyName", Dup, "byTrophyName");
    key(tro, "byInactiveFlag", "InactiveFlag", Dup, "byInactiveFlag");
    flags(tro, {"InactiveFlag"});
    add(tro);

    FileDef mem = file("Members", "MEM", "MEMBERS.TPS", C, 327, Members::fieldDefs());
    key(mem, "byFullName", "FullName", Dup, "byFulName");
    key(mem, "byMemberId", "MemberId", Primary | Auto, "byMemberId");
    key(mem, "byLastName", "LastName", Dup, "byLastName");
    key(mem, "byInactiveFlag", "InactiveFlag", Dup, "byInactiveFlag");
    flags(mem, {"LadiesFlag", "VeteranFlag", "InactiveFlag"});
    add(alias(mem, "MemberBrowse", "MBB"));
    add(mem);

    FileDef non = file("NonMembers", "NON", "NONMEMB.TPS", C, 314, NonMembers::fieldDefs());
    key(non, "byFullName", "FullName", Dup, "by full name");
    key(non, "byNonMemberId", "NonMemberId", Primary | Auto, "Unique Id");
    key(non, "byTripId", "TripId", Dup, "Foreign key byTripId");
    key(non, "byGradeId", "GradeId", Dup, "Foreign Key by GradeId");
    key(non, "byLastName", "LastName", Dup, "by last name");
    flags(non, {"LadiesFlag", "VeteranFlag"});
    add(non);

    FileDef grh = file("GradeHistory", "GRH", "GRADEHIS.TPS", C, 56, GradeHistory::fieldDefs());
    key(grh, "byGradeHistoryId", "GradeHistoryId", Primary | Auto, "byGradeHistoryId");
    key(grh, "byMemberIdStartSeasonId", "MemberId, StartSeasonId", Dup,
        "Member grade already entered for season");
    key(grh, "byMemberId", "MemberId", Dup, "Foreign Key byMemberId");
    key(grh, "byGradeId", "GradeId", Dup, "ForeignKey byGradeId");
    key(grh, "byDivisionId", "DivisionId", Dup, "Foreign Key byDivisionId");
    key(grh, "byStartSeasonId", "StartSeasonId", Dup, "byStartSeasonId");
    key(grh, "byEndSeasonId", "EndSeasonId", Dup, "byEndSeasonId");
    key(grh, "byMemberIdGradeIdRestrict", "MemberId, DivisionId, GradeId, StartSeasonId, EndSeasonId",
        Unique, "Member grade already entered for division's season");
    key(grh, "byMemberIdDivisionIdStartSeasonId", "MemberId, DivisionId, StartSeasonId", Dup,
        "Member grade already entered for division's season");
    range(grh, "StartSeasonId", 0, 9999, "Season started in grade", "0 .. 9999");
    range(grh, "EndSeasonId", 0, 9999, "Season ended in grade (blank for current grade)",
          "0 .. 9999");
    add(alias(grh, "GradeHistoryBrowse", "GHB"));
    add(grh);

    FileDef sty = file("SeasonTrophy", "STY", "SEASTROPH.TPS", C, 38, SeasonTrophy::fieldDefs());
    key(sty, "bySeasonTrophyId", "SeasonTrophyId", Primary | Auto, "bySeasonTrophyId");
    key(sty, "bySeasonId", "SeasonId", Dup, "Foreign Key - bySeasonId");
    key(sty, "byTrophyId", "TrophyId", Dup, "Foreign Key - byTrophyId");
    key(sty, "byMemberId", "MemberId", Dup, "Foreign Key - byMemberId");
    key(sty, "bySeasonIdTrophyIdMemberId", "SeasonId, TrophyId, MemberId", Unique,
        "Trophy already allocated for this season");
    key(sty, "byDivisionIdSeasonIdPositionalTrophyIdPosition",
        "DivisionId, SeasonId, PositionalTrophy, TrophyId, Position", Dup,
        "Position already allocated for division this season");
    key(sty, "byDivisionId", "DivisionId", Dup, "Foreign Key - byDivisionId");
    flags(sty, {"PositionalTrophy"});
    add(sty);

    FileDef use = file("Users", "USE", "USER.TPS", C, 114, Users::fieldDefs());
    use.fields[use.fieldIndex("UserPassword")].secret = true;
    key(use, "byUserCounter", "Counter", Primary | Auto, "byUserCounter");
    key(use, "bySecurityLevel", "SecurityLevel", Dup, "Foreign Key bySecurityLevel");
    key(use, "byUserId", "UserId", Unique | CaseSensitive, "byUserId");
    key(use, "byName", "Name", Dup, "byName");
    add(use);

    FileDef acc = file("AccessLevels", "ACC", "ACCESS.TPS", C, 20, AccessLevels::fieldDefs());
    key(acc, "bySecurityLevel", "SecurityLevel", Primary | CaseSensitive, "bySecurityLevel");
    add(acc);

    FileDef clv = file("ClientVersion", "CLV", "CVERSION.TPS", C, 5, ClientVersion::fieldDefs());
    clv.singleRecord = true;
    add(clv);
}

}  // namespace qv::data::build
