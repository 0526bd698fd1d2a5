// The catalog of every file, alias and relation; and the FileDef look-ups.

#include <algorithm>
#include <memory>
#include <set>
#include <stdexcept>

#include "core/data/CatalogBuilder.h"
#include "core/data/Definitions.h"

namespace qv::data {

namespace {

std::string_view withoutPrefix(std::string_view name, std::string_view prefix) {
    if (name.size() > prefix.size() && name.substr(0, prefix.size()) == prefix &&
        name[prefix.size()] == ':')
        return name.substr(prefix.size() + 1);
    return name;
}

bool sameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

// Relations with referential rules, parent first.
struct RelationRow {
    const char* parent;
    const char* child;
    const char* childKey;
    const char* parentField;
    const char* childField;
    Mode update;
    Mode remove;
};

const RelationRow kRelations[] = {
    {"AccessLevels", "Users", "bySecurityLevel", "SecurityLevel", "SecurityLevel", Mode::Cascade,
     Mode::Restrict},
    {"Members", "GradeHistory", "byMemberId", "MemberId", "MemberId", Mode::Cascade, Mode::Cascade},
    {"Members", "TripTrophy", "byMemberId", "MemberId", "MemberId", Mode::None, Mode::Restrict},
    {"Members", "TripMember", "byMemberId", "MemberId", "MemberId", Mode::None, Mode::Restrict},
    {"NonMembers", "TripTrophy", "byNonMemberId", "NonMemberId", "NonMemberId", Mode::None,
     Mode::Restrict},
    {"NonMembers", "TripMember", "byNonMemberId", "NonMemberId", "NonMemberId", Mode::None,
     Mode::Restrict},
    {"Trips", "TripTrophy", "byTripId", "TripId", "TripId", Mode::Cascade, Mode::Cascade},
    {"Trips", "TripMember", "byTripId", "TripId", "TripId", Mode::Cascade, Mode::Restrict},
    {"Trips", "Teams", "byTripId", "TripId", "TripId", Mode::None, Mode::None},
    {"Teams", "TripMember", "byTeamId", "TeamId", "TeamId", Mode::None, Mode::Restrict},
    {"TripMember", "TripCatch", "byTripMemberId", "TripMemberId", "TripMemberId", Mode::Cascade,
     Mode::Cascade},
    {"TripMember", "TripScore", "byTripMemberId", "TripMemberId", "TripMemberId", Mode::Cascade,
     Mode::Cascade},
    {"Division", "Trips", "byDivisionId", "DivisionId", "DivisionId", Mode::None, Mode::None},
    {"Division", "Species", "byDivisionId", "DivisionId", "DivisionId", Mode::None, Mode::None},
    {"Season", "Trips", "bySeasonId", "SeasonId", "SeasonId", Mode::None, Mode::None},
    {"Grade", "GradeHistory", "byGradeId", "GradeId", "GradeId", Mode::None, Mode::None},
    {"Trophy", "TripTrophy", "byTrophyId", "TrophyId", "TrophyId", Mode::None, Mode::None},
    {"Species", "TripCatch", "bySpeciesId", "SpeciesId", "SpeciesId", Mode::None, Mode::None},
    {"Species", "TripScore", "bySpeciesId", "SpeciesId", "SpeciesId", Mode::None, Mode::None},
};

// Files opened together: lookup links from a child to its parent, and the
// files that windows use side by side without a link rule.
const std::pair<const char*, const char*> kOpenedTogether[] = {
    {"SeasonTrophy", "Season"},   {"SeasonTrophy", "Division"},  {"SeasonTrophy", "Trophy"},
    {"SeasonTrophy", "Members"},  {"TripTrophy", "Season"},      {"GradeHistory", "Season"},
    {"GradeHistory", "Division"}, {"NonMembers", "Grade"},       {"TripScoreBrowse", "Species"},
    {"Users", "AccessLevels"},    {"TripScore", "TripMember"},   {"TripScore", "Species"},
    {"TripCatch", "TripMember"},  {"TripCatch", "Species"},      {"Teams", "Trips"},
    {"TripMember", "Teams"},      {"TripMember", "NonMembers"},  {"TripMember", "Members"},
    {"TripMember", "Trips"},      {"TripTrophy", "NonMembers"},  {"TripTrophy", "Trips"},
    {"TripTrophy", "Members"},    {"TripTrophy", "Trophy"},      {"GradeHistory", "Members"},
    {"GradeHistory", "Grade"},    {"Species", "TripScoreBrowse"}, {"Species", "Division"},
    {"Trips", "Division"},        {"Trips", "Season"},           {"Grade", "NonMembers"},
    {"Season", "SeasonTrophy"},   {"Season", "GradeHistory"},    {"Season", "TripTrophy"},
    {"Members", "SeasonTrophy"},  {"Division", "SeasonTrophy"},  {"Division", "GradeHistory"},
    {"Trophy", "SeasonTrophy"},
};

std::vector<std::unique_ptr<FileDef>>& storage() {
    static std::vector<std::unique_ptr<FileDef>> defs;
    return defs;
}

}  // namespace

int FieldDef::bytes() const { return width; }

int FileDef::fieldIndex(std::string_view name) const {
    name = withoutPrefix(name, prefix);
    for (size_t i = 0; i < fields.size(); ++i)
        if (sameName(fields[i].name, name)) return static_cast<int>(i);
    return -1;
}

const KeyDef* FileDef::key(std::string_view name) const {
    name = withoutPrefix(name, prefix);
    for (const auto& k : keys)
        if (sameName(k.name, name)) return &k;
    return nullptr;
}

const KeyDef* FileDef::primaryKey() const {
    for (const auto& k : keys)
        if (k.primary) return &k;
    return nullptr;
}

const KeyDef* FileDef::autoNumberKey() const {
    for (const auto& k : keys)
        if (k.autoNumber) return &k;
    return nullptr;
}

int FileDef::autoNumberField() const {
    const KeyDef* k = autoNumberKey();
    return k ? k->components.front().field : -1;
}

bool FileDef::isPassword(int field) const {
    return fields[field].secret || fields[field].confidential;
}

int FileDef::secretField() const {
    for (size_t i = 0; i < fields.size(); ++i)
        if (fields[i].secret) return static_cast<int>(i);
    return -1;
}

int FileDef::layoutBytes() const {
    int n = 0;
    for (const auto& f : fields) n += f.bytes();
    return n;
}

const Catalog& Catalog::instance() {
    static const Catalog catalog;
    return catalog;
}

Catalog::Catalog() {
    auto& defs = storage();
    build::addClubFiles(defs);
    build::addTripFiles(defs);
    build::addWorkstationFiles(defs);
    for (const auto& d : defs) files_.push_back(d.get());

    auto need = [&](const char* label) {
        const FileDef* f = file(label);
        if (!f) throw std::logic_error(std::string("unknown file ") + label);
        return f;
    };
    for (const auto& r : kRelations) {
        RelationDef rel;
        rel.parent = need(r.parent);
        rel.child = need(r.child);
        rel.childKey = rel.child->key(r.childKey);
        int pf = rel.parent->fieldIndex(r.parentField);
        int cf = rel.child->fieldIndex(r.childField);
        if (!rel.childKey || pf < 0 || cf < 0)
            throw std::logic_error(std::string("bad relation ") + r.parent + "-" + r.child);
        rel.links.push_back({pf, cf});
        rel.update = r.update;
        rel.remove = r.remove;
        relations_.push_back(std::move(rel));
    }

    // Opening a file opens the files related to it, and theirs in turn.
    std::vector<std::set<const FileDef*>> direct(files_.size());
    auto index = [&](const FileDef* f) {
        return std::find(files_.begin(), files_.end(), f) - files_.begin();
    };
    auto link = [&](const FileDef* a, const FileDef* b) {
        direct[index(a)].insert(b);
        direct[index(b)].insert(a);
    };
    for (const auto& r : relations_) link(r.parent, r.child);
    for (const auto& [a, b] : kOpenedTogether) link(need(a), need(b));

    related_.resize(files_.size());
    for (size_t i = 0; i < files_.size(); ++i) {
        std::set<const FileDef*> seen{files_[i]};
        std::vector<const FileDef*> todo(direct[i].begin(), direct[i].end());
        while (!todo.empty()) {
            const FileDef* f = todo.back();
            todo.pop_back();
            if (!seen.insert(f).second) continue;
            related_[i].push_back(f);
            for (const FileDef* g : direct[index(f)]) todo.push_back(g);
        }
    }
}

const FileDef* Catalog::file(std::string_view label) const {
    for (const FileDef* f : files_)
        if (sameName(f->label, label)) return f;
    return nullptr;
}

std::vector<const RelationDef*> Catalog::childrenOf(const FileDef& parent) const {
    std::vector<const RelationDef*> out;
    for (const auto& r : relations_)
        if (r.parent->table == parent.table) out.push_back(&r);
    return out;
}

const std::vector<const FileDef*>& Catalog::related(const FileDef& f) const {
    for (size_t i = 0; i < files_.size(); ++i)
        if (files_[i] == &f) return related_[i];
    static const std::vector<const FileDef*> none;
    return none;
}

}  // namespace qv::data
