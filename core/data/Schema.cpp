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

// Numbered upgrade steps; step N brings a database from version N-1 to N.
// Step 1 is the first schema, which the create statements already make.
const std::vector<std::function<void(sql::Database&, Location)>>& upgradeSteps() {
    static const std::vector<std::function<void(sql::Database&, Location)>> steps = {
        [](sql::Database&, Location) {},
    };
    return steps;
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

void ensureSchema(sql::Database& db, Location location) {
    int version = db.userVersion();
    if (version > currentSchemaVersion())
        throw sql::SqlError({0, "the data was written by a newer version of the program (schema " +
                                    std::to_string(version) + ")"});
    sql::Transaction tx(db);
    std::set<std::string> done;
    for (const FileDef* f : Catalog::instance().files()) {
        if (f->location != location || f->isAlias() || !done.insert(f->table).second) continue;
        for (const auto& s : createStatements(*f)) db.exec(s);
    }
    const auto& steps = upgradeSteps();
    for (int v = version; v < currentSchemaVersion(); ++v) steps[v](db, location);
    if (version != currentSchemaVersion()) db.setUserVersion(currentSchemaVersion());
    tx.commit();
}

}  // namespace qv::data
