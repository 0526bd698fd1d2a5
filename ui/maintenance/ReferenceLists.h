#pragma once
// The club's reference lists: divisions, grades, seasons, species and
// trophies, each a browse list with its form.

#include "ui/framework/BrowseList.h"
#include "ui/framework/StandardForm.h"

namespace qv::maintenance {

// The list and form of each reference file, for the windows and the tests.
ui::BrowseSpec divisionList();
ui::BrowseSpec gradeList();
ui::BrowseSpec seasonList();
ui::BrowseSpec speciesList(ui::AppContext& ctx);
ui::BrowseSpec trophyList();
ui::FormSpec divisionForm();
ui::FormSpec gradeForm();
ui::FormSpec seasonForm();
// New species choose among active divisions; existing ones among all.
ui::FormSpec speciesForm(bool newSpecies);
ui::FormSpec trophyForm();

// The text of a season's current-season clash, for each other current season.
std::string currentSeasonClash(const std::string& seasonId);

void registerReferenceWindows();

}  // namespace qv::maintenance
