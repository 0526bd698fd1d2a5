#include "core/data/Schema.h"

#include <functional>
#include <set>

namespace qv::data {

namespace {

std::string columnType(const FieldDef& f) {
    return f.kind == FieldKind::Text ? "TEXT NOT NULL DEFAULT ''" : "INTEGER NOT NULL DEFAULT 0";
}

// A guard against values no program of ours would store.
std::string columnCheck(const FieldDef& f) {
    std::string c = quoted(f.name);
    switch (f.kind) {
        case FieldKind::Text:
            return "length(CAST(" + c + " AS BLOB)) <= " + std::to_string(f.width);
        case FieldKind::Short: return c + " BETWEEN -32768 AND 32767";
        case FieldKind::Byte: return c + " BETWEEN 0 AND 255";
        case FieldKind::Decimal: return c + " BETWEEN -9999999 AND 9999999";
        default: return c + " BETWEEN -2147483648 AND 2147483647";
    }
}

// Tables of our own beside the record files.
std::vector<std::string> internalTables(Location location) {
    if (location != Location::Club)
        return {"CREATE TABLE IF NOT EXISTS " + quoted(kStationSettingsTable) +
                " (Name TEXT PRIMARY KEY, Value TEXT NOT NULL DEFAULT '')"};
    return {"CREATE TABLE IF NOT EXISTS " + quoted(kLoginFailuresTable) +
                " (UserId TEXT PRIMARY KEY, Failures INTEGER NOT NULL DEFAULT 0, "
                "LastFailure INTEGER NOT NULL DEFAULT 0)",
            "CREATE TABLE IF NOT EXISTS " + quoted(kClubSettingsTable) +
                " (Name TEXT PRIMARY KEY, Value TEXT NOT NULL DEFAULT '')"};
}

// Numbered upgrade steps; step N brings a database from version N-1 to N.
// Step 1 is the first schema, which the create statements make.
const std::vector<std::function<void(sql::Database&, Location)>>& upgradeSteps() {
    static const std::vector<std::function<void(sql::Database&, Location)>> steps = {
        [](sql::Database&, Location) {},
        // 2: wrong passwords are counted in the club database.
        // 3: settings of the whole club (the organisation name) live there too.
        // 4: settings of one workstation (its mail server, its transfers).
        [](sql::Database& db, Location where) {
            if (where == Location::Club)
                for (const auto& s : internalTables(where)) db.exec(s);
        },
        [](sql::Database& db, Location where) {
            if (where == Location::Club)
                for (const auto& s : internalTables(where)) db.exec(s);
        },
        [](sql::Database& db, Location where) {
            if (where != Location::Club)
                for (const auto& s : internalTables(where)) db.exec(s);
        },
    };
    return steps;
}

// The record tables of a location, each once.
std::vector<const FileDef*> tablesOf(Location location) {
    std::vector<const FileDef*> out;
    std::set<std::string> done;
    for (const FileDef* f : Catalog::instance().files())
        if (f->location == location && !f->isAlias() && done.insert(f->table).second)
            out.push_back(f);
    return out;
}

const char* kindOf(Location location) {
    return location == Location::Club ? "club database" : "workstation database";
}

[[noreturn]] void refuse(const sql::Database& db, Location location, const std::string& why) {
    throw sql::SqlError({0, db.path() + " is not a Quillavon " + kindOf(location) + " (" + why +
                                "); nothing was written to it"});
}

std::set<std::string> namesOf(sql::Database& db, const std::string& sql) {
    std::set<std::string> out;
    sql::Statement& s = db.prepare(sql);
    while (s.step() == SQLITE_ROW) out.emplace(s.text(0));
    s.reset();
    return out;
}

// Throws when a table, column or index the definitions call for is missing.
void checkTables(sql::Database& db, Location location) {
    const std::set<std::string> tables =
        namesOf(db, "SELECT name FROM sqlite_schema WHERE type = 'table'");
    const std::set<std::string> indexes =
        namesOf(db, "SELECT name FROM sqlite_schema WHERE type = 'index'");
    for (const FileDef* f : tablesOf(location)) {
        if (!tables.count(f->table)) refuse(db, location, "the table " + f->table + " is missing");
        const std::set<std::string> columns =
            namesOf(db, "SELECT name FROM pragma_table_info(" + quoted(f->table) + ")");
        std::vector<std::string> wanted = {"_rev"};
        for (const FieldDef& fd : f->fields) wanted.push_back(fd.name);
        if (f->secretField() >= 0) wanted.push_back("_secret");
        for (const std::string& c : wanted)
            if (!columns.count(c)) refuse(db, location, "the column " + f->table + "." + c + " is missing");
        for (const KeyDef& k : f->keys) {
            if (k.autoNumber && idIsRecno(*f)) continue;
            if (!indexes.count(f->table + "_" + k.name))
                refuse(db, location, "the index " + f->table + "_" + k.name + " is missing");
        }
    }
    const std::vector<const char*> internal = location == Location::Club
                                                  ? std::vector<const char*>{kLoginFailuresTable, kClubSettingsTable}
                                                  : std::vector<const char*>{kStationSettingsTable};
    for (const char* t : internal)
        if (!tables.count(t)) refuse(db, location, std::string("the table ") + t + " is missing");
}

}  // namespace

int currentSchemaVersion() { return static_cast<int>(upgradeSteps().size()); }

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

bool idIsRecno(const FileDef& f) { return f.autoNumberField() >= 0; }

const char* collation(const FileDef& f, const KeyDef& k, const KeyComponent& c) {
    return (f.fields[c.field].kind == FieldKind::Text && !k.caseSensitive) ? "NOCASE" : "BINARY";
}

std::string selectColumns(const FileDef& f) {
    std::string s = "rowid, _rev";
    for (const auto& fd : f.fields) s += ", " + quoted(fd.name);
    return s;
}

std::vector<std::string> createStatements(const FileDef& f) {
    std::vector<std::string> out;
    int id = f.autoNumberField();
    std::string t = "CREATE TABLE IF NOT EXISTS " + quoted(f.table) + " (";
    for (size_t i = 0; i < f.fields.size(); ++i) {
        const FieldDef& fd = f.fields[i];
        if (static_cast<int>(i) == id)
            t += quoted(fd.name) + " INTEGER PRIMARY KEY";
        else
            t += quoted(fd.name) + " " + columnType(fd);
        t += " CHECK (" + columnCheck(fd) + "), ";
    }
    if (f.secretField() >= 0) t += "_secret TEXT NOT NULL DEFAULT '', ";
    t += "_rev INTEGER NOT NULL DEFAULT 0)";
    out.push_back(t);

    for (const KeyDef& k : f.keys) {
        if (k.autoNumber && idIsRecno(f)) continue;  // the record number is its own index
        std::string ix = std::string("CREATE ") + (k.unique ? "UNIQUE " : "") +
                         "INDEX IF NOT EXISTS " + quoted(f.table + "_" + k.name) + " ON " +
                         quoted(f.table) + " (";
        for (size_t i = 0; i < k.components.size(); ++i) {
            const KeyComponent& c = k.components[i];
            if (i) ix += ", ";
            ix += quoted(f.fields[c.field].name) + " COLLATE " + collation(f, k, c) +
                  (c.descending ? " DESC" : "");
        }
        out.push_back(ix + ")");
    }
    return out;
}

void createSchema(sql::Database& db, Location location) {
    sql::Transaction tx(db);
    for (const FileDef* f : tablesOf(location))
        for (const auto& s : createStatements(*f)) db.exec(s);
    for (const auto& s : internalTables(location)) db.exec(s);
    db.setUserVersion(currentSchemaVersion());
    tx.commit();
}

void checkSchema(sql::Database& db, Location location) {
    const int version = db.userVersion();
    if (version == 0) {
        const bool empty = namesOf(db, "SELECT name FROM sqlite_schema").empty();
        refuse(db, location, empty ? "the file is empty" : "it carries no schema version of ours");
    }
    if (version < 0 || version > currentSchemaVersion())
        throw sql::SqlError({0, db.path() + " was written by a newer version of the program (schema " +
                                    std::to_string(version) + "); nothing was written to it"});
    if (version == currentSchemaVersion()) {
        checkTables(db, location);
        return;
    }
    // An older database of ours: the upgrade and the check stand or fall together.
    sql::Transaction tx(db);
    const auto& steps = upgradeSteps();
    for (int v = version; v < currentSchemaVersion(); ++v) steps[v](db, location);
    checkTables(db, location);
    db.setUserVersion(currentSchemaVersion());
    tx.commit();
}

}  // namespace qv::data
