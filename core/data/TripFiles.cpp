// Files of the trips: layouts, keys and rules.

#include "core/data/CatalogBuilder.h"
#include "core/data/TripRecords.h"

namespace qv::data::build {

void addTripFiles(std::vector<std::unique_ptr<FileDef>>& out) {
    const Location C = Location::Club;
    auto add = [&](FileDef f) { out.push_back(std::make_unique<FileDef>(std::move(f))); };

    FileDef trp = file("Trips", "TRP", "TRIP.TPS", C, 116, Trips::fieldDefs());
    key(trp, "byTripId", "TripId", Primary | Auto, "Trip already exists");
    flags(trp, {"AllowNonMembers"});
    key(trp, "bySeasonIdDivisionId", "SeasonId, DivisionId", Dup, "TRP:bySeasonIdDivisionId");
    key(trp, "byDivisionIdSeasonIdTripId", "DivisionId, SeasonId, TripId", Dup,
        "Trip already entered for same divison and season");
    key(trp, "byDivisionId", "DivisionId", Dup, "Foreign Key byDivisionId");
    key(trp, "bySeasonId", "SeasonId", Dup, "Foreign Key bySeasonId");
    key(trp, "byDivisionIdSesaonIdTripNumberUnique", "SeasonId, DivisionId, SeasonTripNumber",
        Unique, "Trip Number already entered for division and season");
    key(trp, "byTripDate", "TripDate", Dup, "byTripDate");
    key(trp, "byTripIdDivisionIdSeasonIdRestrict", "TripId, DivisionId, SeasonId, SeasonTripNumber",
        Unique, "Trip already entered for same divison and season");
    key(trp, "bySeasonIdTripId", "SeasonId, TripId", Dup, "Trip already exists for season");
    range(trp, "SeasonTripNumber", 0, 999, "Trip number for season", "0 .. 999");
    FileDef trb = alias(trp, "TripsBrowse", "TRB");
    trb.keys[1].description = "TRB:bySeasonIdDivisionId";
    add(trb);
    add(trp);

    FileDef trm = file("TripMember", "TRM", "TRIPMEM.TPS", C, 308, TripMember::fieldDefs());
    key(trm, "byNonMemberIdbyTripId", "NonMemberId, TripId", Dup,
        "Searches on Nonmember Id and Trip Id");
    key(trm, "byTripIdbyTeamId", "TripId, TeamId", Dup, "Searsches on TripId and TeamId");
    key(trm, "byTeamId", "TeamId", Dup, "Foreign key byTeamId");
    key(trm, "byNonMemberId", "NonMemberId", Dup, "Foreign key byNonMemberId");
    key(trm, "byMemberIdUnique", "TripId, MemberId, NonMemberId", Unique,
        "Member already entered for trip");
    key(trm, "byTripMemberId", "TripMemberId", Primary | Auto, "byTripMemberId");
    key(trm, "byTripId", "TripId", Dup, "Foreign Key byTripId");
    key(trm, "byMemberId", "MemberId", Dup, "Foreign Key byMemberId");
    key(trm, "byMemberIdbyTripId", "MemberId, TripId", Dup, "Searches on MemberId and TripId");
    add(alias(trm, "TripMemberBrowse", "TRI"));
    add(trm);

    FileDef tsc = file("TripScore", "TSC", "TRIPSCOR.TPS", C, 32, TripScore::fieldDefs());
    key(tsc, "byTripScoreId", "TripScoreId", Primary | Auto, "byTripScoreId");
    key(tsc, "byTripMemberIdSpeciesId", "TripMemberId, SpeciesId", Dup,
        "Species already recorded for member on this trip");
    key(tsc, "byTripMemberId", "TripMemberId", Dup, "Foreign Key byTripMemberId");
    key(tsc, "bySpeciesId", "SpeciesId", Dup, "Foreign Key bySpeciesId");
    add(alias(tsc, "TripScoreBrowse", "TSB"));
    add(tsc);

    FileDef tpc = file("TripCatch", "TPC", "TRIPCATC.TPS", C, 222, TripCatch::fieldDefs());
    key(tpc, "byTripMemberIdSpeciesId", "TripMemberId, SpeciesId", Dup,
        "searches on TripMemberId then SpeciesId");
    key(tpc, "byTripCatchId", "TripCatchId", Primary | Auto, "byTripCatchId");
    key(tpc, "byTripMemberId", "TripMemberId", Dup, "Foreign Key - byTripMemberId");
    key(tpc, "bySpeciesId", "SpeciesId", Dup, "Foreign Key bySpeciesId");
    add(alias(tpc, "TripCatchBrowse", "TCB"));
    add(tpc);

    FileDef tty = file("TripTrophy", "TTY", "TRITROPH.TPS", C, 40, TripTrophy::fieldDefs());
    key(tty, "byNonMemberId", "NonMemberId", Dup, "TTY:byNonMemberId");
    key(tty, "byMemberIdTrophyIdRestrict", "MemberId, TrophyId, SeasonId", Unique,
        "Trophy already allocated for this Season");
    key(tty, "byTrophyHistoryId", "TrophyHistoryId", Primary | Auto, "byTrophyHistoryId");
    key(tty, "byMemberId", "MemberId", Dup, "Foreign Key byMemberId");
    key(tty, "byTrophyId", "TrophyId", Dup, "Foreign Key byTrophyId");
    key(tty, "bySeasonId", "SeasonId", Dup, "Foreign Key bySeasonId");
    key(tty, "byMemberIdSeasonId", "MemberId, SeasonId", Dup,
        "Member already allocated this trophy for season");
    key(tty, "byTripId", "TripId", Dup, "byTripId");
    add(tty);

    FileDef tea = file("Teams", "TEA", "TEAMS.TPS", C, 108, Teams::fieldDefs());
    key(tea, "byTeamId", "TeamId", Primary | Auto, "byTeamId");
    key(tea, "byName", "Name", Dup, "byName");
    key(tea, "byTripId", "TripId", Dup, "Foreign Key byTripId");
    add(tea);
}

}  // namespace qv::data::build
