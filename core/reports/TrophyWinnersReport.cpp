#include "core/reports/TrophyWinnersReport.h"

#include <array>
#include <cstdio>
#include <map>

#include "core/data/FixedText.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/reports/NameBook.h"
#include "core/reports/OpenFiles.h"
#include "core/reports/Placings.h"
#include "core/scoring/Seasons.h"
#include "core/scoring/Winners.h"

namespace qv::reports {

using namespace qv::data;
using scoring::detail::number;
using scoring::detail::text;
using scoring::detail::walkRecords;

namespace {

constexpr const char* kFiles[] = {"Division", "Season",     "Grade",       "Trophy",     "Members", "NonMembers",
                                  "Trips",    "TripMember", "GradeHistory", "TripTrophy", "SeasonTrophy"};

// A row of the season winners: a trophy or group and its three places.
struct Podium {
    std::string name;
    std::array<std::string, 3> places;

    // A second name for a place joins the first: ties show every winner.
    void place(int position, const std::string& who) {
        if (position < 1 || position > 3 || who.empty()) return;
        std::string& slot = places[static_cast<size_t>(position - 1)];
        slot = slot.empty() ? who : slot + " / " + who;
    }
};

struct TripWin {
    int32_t trip = 0;
    std::string grade;
    std::string winner;
};

struct TrophyWin {
    std::string type;  // "T01", "S01", ...
    std::string trophy;
    std::string description;
    std::string winner;
};

std::string numbered(char kind, int count) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%c%02d", kind, count);
    return buf;
}

class Builder {
public:
    Builder(scoring::ScoringContext& ctx, int32_t divisionId, std::string seasonId)
        : ctx_(ctx), store_(ctx.store()), names_(ctx.store()), division_(divisionId), season_(std::move(seasonId)) {}

    Status collect() {
        if (Status s = positionalTrophies(); !s) return s;
        if (Status s = placings(); !s) return s;
        if (Status s = readTrips(); !s) return s;
        if (Status s = tripWinners(); !s) return s;
        if (Status s = tripTrophies(); !s) return s;
        return otherSeasonTrophies();
    }

    NameBook& names() { return names_; }
    std::vector<Podium> podiums;
    std::vector<TripWin> tripWins;
    std::vector<TrophyWin> trophies;

private:
    // The season trophies of this division and season with the flag, in
    // (trophy, position) order.
    Status seasonTrophies(const char* positional, std::vector<SeasonTrophy>& out) {
        return walkRecords<SeasonTrophy>(store_, "byDivisionIdSeasonIdPositionalTrophyIdPosition",
                                         {number(division_), text(season_), text(positional)},
                                         [&](const SeasonTrophy& t) {
                                             if (t.DivisionId != division_ || !scoring::sameSeason(t.SeasonId, season_))
                                                 return false;
                                             if (t.PositionalTrophy == positional) out.push_back(t);
                                             return t.PositionalTrophy == positional;
                                         });
    }

    Status positionalTrophies() {
        std::vector<SeasonTrophy> rows;
        if (Status s = seasonTrophies("Y", rows); !s) return s;
        for (size_t i = 0; i < rows.size(); ++i) {
            const SeasonTrophy& t = rows[i];
            if (i == 0 || rows[i - 1].TrophyId != t.TrophyId) {
                Trophy trophy;
                if (Status s = names_.trophy(t.TrophyId, trophy); !s) return s;
                podiums.push_back({std::string(clip(trophy.TrophyName)), {}});
            }
            std::string who;
            if (Status s = names_.winnerName(t.MemberId, 0, who); !s) return s;
            podiums.back().place(static_cast<int>(numericValue(t.Position)), who);
        }
        return Status::ok();
    }

    Status placings() {
        std::vector<scoring::SubGradeStanding> rows;
        PlacingBook book(ctx_);
        if (Status s = book.placings(division_, season_, rows); !s) return s;
        for (size_t i = 0; i < rows.size(); ++i) {
            const scoring::SubGradeStanding& p = rows[i];
            if (i == 0 || rows[i - 1].GradeId != p.GradeId) {
                Podium podium;
                if (Status s = placingGroupLabel(names_, p.GradeId, ClassStyle::Plain, podium.name); !s) return s;
                podiums.push_back(podium);
            }
            std::string who;
            if (Status s = names_.winnerName(p.MemberId, 0, who); !s) return s;
            podiums.back().place(p.Position, who);
        }
        return Status::ok();
    }

    Status readTrips() {
        return walkRecords<Trips>(store_, "bySeasonIdDivisionId", {text(season_), number(division_)},
                                  [&](const Trips& t) {
                                      if (!scoring::sameSeason(t.SeasonId, season_) || t.DivisionId != division_)
                                          return false;
                                      trips_.push_back(t);
                                      return true;
                                  });
    }

    Status tripWinners() {
        scoring::GradeBook grades(store_);
        if (Status s = grades.readAll(); !s) return s;
        for (const Trips& trip : trips_) {
            if (Status s = scoring::BuildTripGradeWinners(ctx_, trip.TripId, grades); !s) return s;
            for (const scoring::TripGradeWinner& w : ctx_.tripGradeWinners) {
                TripWin win{trip.SeasonTripNumber, {}, {}};
                Grade grade;
                if (Status s = names_.grade(w.GradeId, grade); !s) return s;
                win.grade = std::string(clip(grade.GradeName));
                if (Status s = names_.winnerName(w.MemberId, w.NonMemberId, win.winner); !s) return s;
                tripWins.push_back(win);
            }
        }
        return Status::ok();
    }

    Status addTrophy(char kind, int count, int32_t trophyId, int32_t memberId, int32_t nonMemberId) {
        Trophy trophy;
        if (Status s = names_.trophy(trophyId, trophy); !s) return s;
        TrophyWin win{numbered(kind, count), std::string(clip(trophy.TrophyName)),
                      std::string(clip(trophy.Description)), {}};
        if (Status s = names_.winnerName(memberId, nonMemberId, win.winner); !s) return s;
        trophies.push_back(win);
        return Status::ok();
    }

    Status tripTrophies() {
        int count = 0;
        for (const Trips& trip : trips_) {
            std::vector<TripTrophy> won;
            Status s = walkRecords<TripTrophy>(store_, "byTripId", {number(trip.TripId)}, [&](const TripTrophy& t) {
                if (t.TripId != trip.TripId) return false;
                won.push_back(t);
                return true;
            });
            if (!s) return s;
            for (const TripTrophy& t : won)
                if (s = addTrophy('T', ++count, t.TrophyId, t.MemberId, t.NonMemberId); !s) return s;
        }
        return Status::ok();
    }

    Status otherSeasonTrophies() {
        std::vector<SeasonTrophy> rows;
        if (Status s = seasonTrophies("N", rows); !s) return s;
        int count = 0;
        for (const SeasonTrophy& t : rows)
            if (Status s = addTrophy('S', ++count, t.TrophyId, t.MemberId, 0); !s) return s;
        return Status::ok();
    }

    scoring::ScoringContext& ctx_;
    Store& store_;
    NameBook names_;
    int32_t division_;
    std::string season_;
    std::vector<Trips> trips_;
};

olmix::RecordQueue textLayout(std::initializer_list<const char*> fields) {
    olmix::RecordQueue q;
    for (const char* f : fields) q.addText(f);
    return q;
}

}  // namespace

Status BuildTrophyWinnersReport(scoring::ScoringContext& ctx, const std::string& startFolder, ReportRun& run) {
    Store& store = ctx.store();
    session::Globals& g = ctx.globals();
    run = ReportRun();
    run.windowTitle = kTrophyWinnersTitle;
    run.reportFile = kTrophyWinnersFile;
    OpenFiles files(store, kFiles);
    if (!files.status()) return files.status();

    const std::string seasonId(clip(g.SeasonId.str()));
    Builder b(ctx, g.DivisionId, seasonId);
    if (Status s = b.collect(); !s) return s;
    Division division;
    Season season;
    if (Status s = b.names().division(g.DivisionId, division); !s) return s;
    if (Status s = b.names().season(seasonId, season); !s) return s;

    olmix::RecordQueue q1 = textLayout({"LQ1:GRADENAME", "LQ1:FIRST", "LQ1:SECOND", "LQ1:THIRD"});
    for (const Podium& p : b.podiums) {
        q1.clear();
        q1.setText(1, p.name);
        for (size_t k = 0; k < 3; ++k) q1.setText(2 + k, p.places[k]);
        q1.add();
    }

    olmix::RecordQueue q2;
    q2.addText("LQ2:TRIPNUMBER");
    q2.addInteger("LQ2:TRIP");
    q2.addText("LQ2:COLUMNNAME");
    q2.addText("LQ2:DATA");
    for (const TripWin& w : b.tripWins) {
        q2.clear();
        q2.setText(1, "Trip " + std::to_string(w.trip));
        q2.setInteger(2, w.trip);
        q2.setText(3, w.grade);
        q2.setText(4, w.winner);
        q2.add();
    }

    olmix::RecordQueue q3 = textLayout({"LQ3:TROPHYTYPE", "LQ3:TROPHYNAME", "LQ3:COLUMNNAME", "LQ3:DATA"});
    for (const TrophyWin& t : b.trophies)
        for (const auto& [column, data] : {std::pair{"Description", t.description}, {"Winner", t.winner}}) {
            q3.clear();
            q3.setText(1, t.type);
            q3.setText(2, t.trophy);
            q3.setText(3, column);
            q3.setText(4, data);
            q3.add();
        }

    const char* flags[] = {q1.records() ? "Y" : "N", q2.records() ? "Y" : "N", q3.records() ? "Y" : "N"};
    olmix::RecordQueue q0 = textLayout({"LQ0:ORGANISATIONNAME", "LQ0:DIVISIONNAME", "LQ0:SEASONDESC",
                                        "LQ0:SEASONWINNERS", "LQ0:TRIPWINNERS", "LQ0:TROPHYWINNERS"});
    q0.setText(1, g.OrganisationName.str());
    q0.setText(2, std::string(clip(division.DivisionName)));
    q0.setText(3, std::string(clip(season.SeasonDesc)));
    for (size_t k = 0; k < 3; ++k) q0.setText(4 + k, flags[k]);
    q0.add();

    run.dataFlag = q1.records() || q2.records() || q3.records() ? 'Y' : 'N';
    const std::string folder = dataFolder(startFolder);
    writeDataFile(folder + "rptTrophyWinnersSeason.xml", "Quillavon XML for RptTrophyWinnersSeason report", "Row",
                  q1, run);
    writeDataFile(folder + "rptTrophyWinnersTrips.xml", "Quillavon XML for RptTrophyWinnersTrip report", "Row", q2,
                  run);
    writeDataFile(folder + "rptTrophyWinnersTrophy.xml", "Quillavon XML for RptTrophyWinnersTrophy report", "Row",
                  q3, run);
    writeDataFile(folder + "rptTrophyWinners.xml", "Quillavon XML for RptTrophyWinners report", "Row", q0, run);
    run.publish(g);
    return Status::ok();
}

}  // namespace qv::reports
