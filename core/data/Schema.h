#pragma once
// The SQL schema generated from the file definitions, and its upgrades.

#include <string>
#include <vector>

#include "core/data/Definitions.h"
#include "core/data/Sqlite.h"

namespace qv::data {

// The schema version this program writes. Each database keeps its own.
int currentSchemaVersion();

// Creates the tables and indexes of `location` in a new database. Only the
// making of a workstation calls this. Throws sql::SqlError.
void createSchema(sql::Database& db, Location location);

// Checks that an existing database is one of ours for `location`: a schema
// version this program knows, and every table, column and index the
// definitions call for. An older version of our own schema is brought up to
// date by the numbered steps, in one transaction that is undone when the
// result is not right. Anything else is refused with an error naming the
// file, and nothing is written to it. Throws sql::SqlError.
void checkSchema(sql::Database& db, Location location);

// The table that counts wrong passwords per typed user id, across stations.
inline constexpr const char* kLoginFailuresTable = "_LoginFailures";
// Settings that every workstation of the club shares, by name.
inline constexpr const char* kClubSettingsTable = "_ClubSettings";
// Settings of one workstation, by name.
inline constexpr const char* kStationSettingsTable = "_StationSettings";

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
