#include "core/data/NamedSettings.h"

#include "core/data/FixedText.h"
#include "core/data/Schema.h"

namespace qv::data {

namespace {

constexpr const char* kOrganisation = "OrganisationName";

Status failure(Location where, const sql::SqlError& e) {
    MessageContext ctx;
    ctx.file = where == Location::Club ? "ClubSettings" : "StationSettings";
    ctx.errorText = e.error().describe();
    return Status::failed(standardMessage(26, ctx));
}

// A record file of the location, whose database holds its settings table.
sql::Database& databaseOf(Store& store, Location where) {
    return store.database(*Catalog::instance().file(where == Location::Club ? "Division" : "System"));
}

const char* tableOf(Location where) {
    return where == Location::Club ? kClubSettingsTable : kStationSettingsTable;
}

}  // namespace

Status readSetting(Store& store, Location where, std::string_view name, std::string& out) {
    out.clear();
    return store.inTransaction(where, [&]() -> Status {
        try {
            sql::Statement& s =
                databaseOf(store, where).prepare("SELECT Value FROM " + quoted(tableOf(where)) + " WHERE Name = ?1");
            s.bind(1, name);
            if (s.step() == SQLITE_ROW) out = std::string(s.text(0));
            s.reset();
            return Status::ok();
        } catch (const sql::SqlError& e) {
            return failure(where, e);
        }
    });
}

Status writeSetting(Store& store, Location where, std::string_view name, std::string_view value) {
    return store.inTransaction(where, [&]() -> Status {
        try {
            sql::Database& db = databaseOf(store, where);
            sql::Statement& s = db.prepare("INSERT INTO " + quoted(tableOf(where)) +
                                           " (Name, Value) VALUES (?1, ?2) ON CONFLICT (Name) DO UPDATE SET Value = ?2");
            s.bind(1, name);
            s.bind(2, value);
            const int rc = s.step();
            s.reset();
            if (rc != SQLITE_DONE) throw sql::SqlError(db.lastError());
            return Status::ok();
        } catch (const sql::SqlError& e) {
            return failure(where, e);
        }
    });
}

Status readOrganisationName(Store& store, std::string& out) {
    return readSetting(store, Location::Club, kOrganisation, out);
}

Status writeOrganisationName(Store& store, std::string_view name) {
    return writeSetting(store, Location::Club, kOrganisation, fitText(name, kOrganisationNameWidth));
}

}  // namespace qv::data
