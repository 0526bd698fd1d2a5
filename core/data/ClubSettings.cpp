#include "core/data/ClubSettings.h"

#include "core/data/FixedText.h"
#include "core/data/Schema.h"

namespace qv::data {

namespace {

constexpr const char* kOrganisation = "OrganisationName";

Status failure(const sql::SqlError& e) {
    MessageContext ctx;
    ctx.file = "ClubSettings";
    ctx.errorText = e.error().describe();
    return Status::failed(standardMessage(26, ctx));
}

}  // namespace

Status readOrganisationName(Store& store, std::string& out) {
    out.clear();
    return store.inTransaction(Location::Club, [&]() -> Status {
        try {
            sql::Statement& s = store.database(*Catalog::instance().file("Division"))
                                    .prepare("SELECT Value FROM " + quoted(kClubSettingsTable) + " WHERE Name = ?1");
            s.bind(1, std::string_view(kOrganisation));
            if (s.step() == SQLITE_ROW) out = std::string(s.text(0));
            s.reset();
            return Status::ok();
        } catch (const sql::SqlError& e) {
            return failure(e);
        }
    });
}

Status writeOrganisationName(Store& store, std::string_view name) {
    const std::string value = fitText(name, kOrganisationNameWidth);
    return store.inTransaction(Location::Club, [&]() -> Status {
        try {
            sql::Statement& s = store.database(*Catalog::instance().file("Division"))
                                    .prepare("INSERT INTO " + quoted(kClubSettingsTable) +
                                             " (Name, Value) VALUES (?1, ?2) ON CONFLICT (Name) DO UPDATE SET Value = ?2");
            s.bind(1, std::string_view(kOrganisation));
            s.bind(2, std::string_view(value));
            const int rc = s.step();
            s.reset();
            if (rc != SQLITE_DONE) throw sql::SqlError(store.database(*Catalog::instance().file("Division")).lastError());
            return Status::ok();
        } catch (const sql::SqlError& e) {
            return failure(e);
        }
    });
}

}  // namespace qv::data
