#pragma once
// The SQL schema generated from the file definitions, and its upgrades.

#include <string>
#include <vector>

#include "core/data/Definitions.h"
#include "core/data/Sqlite.h"

namespace qv::data {

// The schema version this program writes. Each database keeps its own.
int currentSchemaVersion();

// Creates every table and index of `location` that is missing and brings an
// older database up to the current version. Throws sql::SqlError; refuses a
// database written by a newer program.
void ensureSchema(sql::Database& db, Location location);

// SQL pieces shared by the schema and the file layer.
std::string quoted(const std::string& name);
// True when the file's auto-numbered field doubles as the record number.
bool idIsRecno(const FileDef& f);
// The collation of key component `c` of key `k`: "NOCASE" or "BINARY".
const char* collation(const FileDef& f, const KeyDef& k, const KeyComponent& c);
// "rowid", "_rev" and every field, in field order.
std::string selectColumns(const FileDef& f);
std::vector<std::string> createStatements(const FileDef& f);

}  // namespace qv::data
