// The archives and the import: real 7z files, the club restored from one,
// and every kind of bad archive refused with the data folder untouched.

#include <sqlite3.h>

#include <cstdio>
#include <functional>

#include "core/data/Schema.h"
#include "core/data/SystemSettings.h"
#include "core/exchange/Archive.h"
#include "core/exchange/ClubDatabase.h"
#include "core/exchange/DatabaseCopy.h"
#include "core/exchange/Transfer.h"
#include "core/exchange/TransferStamp.h"
#include "tests/core/exchange/ArchiveCraft.h"
#include "tests/core/exchange/ExchangeFixture.h"

namespace qvtest {
namespace {

using namespace qv::exchange;

std::string run(const std::string& command) {
    std::string out;
    FILE* p = ::popen(command.c_str(), "r");
    char buf[4096];
    for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) out.append(buf, n);
    if (p) ::pclose(p);
    return out;
}

void sql(const fs::path& db, const std::string& text) {
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
    sqlite3_close(h);
}

TEST(TransferStampText, ReadsTheWordTheDateAndTheMinute) {
    EXPECT_EQ(transferStampText("Export", *Date::fromCivil(2026, 12, 6), TimeOfDay::fromClock(14, 5, 59)),
              "Export 06/12/2026 14:05");
}

class Transfers : public ExchangeTest {
protected:
    TransferRequest request() {
        TransferRequest r;
        r.startFolder = start();
        r.clubDatabase = clubDb().string();
        return r;
    }
    TransferOutcome exportNow() {
        TransferOutcome out;
        runExport(*store, globals, request(), out);
        return out;
    }
    TransferOutcome importNow(const ExtractLimits& limits = {}) {
        TransferRequest r = request();
        r.limits = limits;
        TransferOutcome out;
        runImport(*store, globals, r, out);
        return out;
    }
    int divisions() {
        int n = 0;
        scoring::detail::walkRecords<Division>(*store, "byDivisionId", {}, [&](const Division&) { return ++n; });
        return n;
    }
    fs::path importArchivePath() { return folder() / "import" / "Quillavon.7z"; }
    // A sound club database, as the export packs it.
    std::string soundDatabase() {
        const fs::path copy = folder() / "copy.db";
        std::string why;
        DatabaseCopy snapshot;
        EXPECT_TRUE(snapshot.begin(clubDb(), copy, true, why, kLockWait) && snapshot.commit(why)) << why;
        std::string bytes = readFile(copy);
        fs::remove(copy);
        return bytes;
    }
};

TEST_F(Transfers, TheExportIsARealSevenZipArchiveOfTheClubDatabase) {
    division();
    TransferOutcome out = exportNow();
    ASSERT_TRUE(out.done);
    EXPECT_TRUE(out.messages.empty());
    EXPECT_EQ(out.stamp.rfind("Export ", 0), 0u);
    const fs::path archive = folder() / "export" / "Quillavon.7z";
    const std::string listing = run(std::string(QV_SEVENZIP) + " l '" + archive.string() + "'");
    EXPECT_NE(listing.find("QUILLAVON.DB"), std::string::npos) << listing;
    const std::string unpacked = run(std::string(QV_SEVENZIP) + " x -so '" + archive.string() + "' 2>/dev/null");
    ASSERT_FALSE(unpacked.empty());
    const fs::path copy = folder() / "unpacked.db";
    std::ofstream(copy, std::ios::binary) << unpacked;
    std::string why;
    EXPECT_TRUE(checkClubDatabase(copy, why)) << why;
    // The settings record notes the export, and so do the globals.
    System sys;
    ASSERT_TRUE(readSystem(*store, sys).isOk());
    EXPECT_EQ(clip(sys.TransferDetails), out.stamp);
    EXPECT_EQ(globals.TransferStatus.str(), out.stamp);
    EXPECT_FALSE(fs::exists(folder() / "DATA" / "FTP.log")) << "a local export contacts no server";
}

TEST_F(Transfers, AnImportBacksUpFirstThenPutsTheArchivedClubBack) {
    division();
    ASSERT_TRUE(exportNow().done);
    division();
    ASSERT_EQ(divisions(), 2);
    fs::create_directories(importArchivePath().parent_path());
    fs::copy_file(folder() / "export" / "Quillavon.7z", importArchivePath());

    TransferOutcome out = importNow();
    ASSERT_TRUE(out.done) << (out.messages.empty() ? "" : out.messages.back().text);
    EXPECT_EQ(divisions(), 1);
    EXPECT_EQ(out.stamp.rfind("Import ", 0), 0u);
    // The backup holds the two divisions the import replaced.
    const fs::path backup = folder() / "backup" / "Quillavon.7z";
    std::ofstream(folder() / "backup.db", std::ios::binary)
        << run(std::string(QV_SEVENZIP) + " x -so '" + backup.string() + "' 2>/dev/null");
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open((folder() / "backup.db").c_str(), &h), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT count(*) FROM Division", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 2);
    sqlite3_finalize(st);
    sqlite3_close(h);
}

TEST_F(Transfers, AnArchiveFromAnOlderVersionIsBroughtUpToDateAndImported) {
    division();
    const fs::path older = folder() / "older.db";
    std::ofstream(older, std::ios::binary) << soundDatabase();
    sql(older, "PRAGMA user_version = " + std::to_string(qv::data::currentSchemaVersion() - 1));
    fs::create_directories(importArchivePath().parent_path());
    ASSERT_TRUE(craftArchive(importArchivePath(), {{"QUILLAVON.DB", readFile(older)}}));
    division();
    TransferOutcome out = importNow();
    ASSERT_TRUE(out.done) << (out.messages.empty() ? "" : out.messages.back().text);
    EXPECT_EQ(divisions(), 1);
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open(clubDb().c_str(), &h), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "PRAGMA user_version", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), qv::data::currentSchemaVersion());
    sqlite3_finalize(st);
    sqlite3_close(h);
}

// A bad archive, how to make it, and what the refusal must say.
struct BadArchive {
    const char* what;
    std::function<void(const fs::path&)> make;
    const char* says;
};

class BadArchives : public Transfers {};

TEST_F(BadArchives, AreRefusedAndLeaveTheDataFolderByteForByte) {
    division();
    const std::string sound = soundDatabase();
    const std::vector<BadArchive> cases = {
        {"path traversal", [&](const fs::path& a) { craftArchive(a, {{"../QUILLAVON.DB", sound}}); },
         "outside its folder"},
        {"absolute path", [&](const fs::path& a) { craftArchive(a, {{"/tmp/QUILLAVON.DB", sound}}); },
         "outside its folder"},
        {"symlink", [](const fs::path& a) {
             craftArchive(a, {{"QUILLAVON.DB", "", AE_IFLNK, "/etc/passwd"}}); }, "link"},
        {"huge entry", [](const fs::path& a) {
             craftArchive(a, {{"QUILLAVON.DB", std::string(3 << 20, '\0')}}); }, "larger than"},
        {"corrupt database", [&](const fs::path& a) {
             std::string broken = sound;
             for (size_t i = 4096; i < broken.size(); i += 7) broken[i] = static_cast<char>(i);
             craftArchive(a, {{"QUILLAVON.DB", broken}}); }, "Import of data aborted"},
        {"not a database", [](const fs::path& a) {
             craftArchive(a, {{"QUILLAVON.DB", std::string(8192, 'x')}}); }, "Import of data aborted"},
        {"foreign database", [&](const fs::path& a) {
             const fs::path f = folder() / "foreign.db";
             sql(f, "CREATE TABLE accounts(id, balance); INSERT INTO accounts VALUES (1, 2)");
             craftArchive(a, {{"QUILLAVON.DB", readFile(f)}}); }, "club database this program can open"},
        {"newer schema", [&](const fs::path& a) {
             const fs::path f = folder() / "newer.db";
             std::ofstream(f, std::ios::binary) << sound;
             sql(f, "PRAGMA user_version = 99");
             craftArchive(a, {{"QUILLAVON.DB", readFile(f)}}); }, "newer version"},
        {"index out of step with its table", [&](const fs::path& a) {
             const fs::path f = folder() / "unindexed.db";
             std::ofstream(f, std::ios::binary) << sound;
             // The name changes where the name index does not see it.
             sql(f, "PRAGMA writable_schema = ON;"
                    "CREATE TABLE Hidden AS SELECT * FROM sqlite_schema WHERE name = 'Division_byDivisionName';"
                    "DELETE FROM sqlite_schema WHERE name = 'Division_byDivisionName'");
             sql(f, "UPDATE Division SET DivisionName = 'Renamed'");
             sql(f, "PRAGMA writable_schema = ON; INSERT INTO sqlite_schema SELECT * FROM Hidden");
             sql(f, "DROP TABLE Hidden");
             craftArchive(a, {{"QUILLAVON.DB", readFile(f)}}); }, "damaged"},
        {"database with a trigger", [&](const fs::path& a) {
             const fs::path f = folder() / "trigger.db";
             std::ofstream(f, std::ios::binary) << sound;
             sql(f, "CREATE TRIGGER t AFTER INSERT ON Division BEGIN DELETE FROM Members; END");
             craftArchive(a, {{"QUILLAVON.DB", readFile(f)}}); }, "triggers"},
        {"no club database", [](const fs::path& a) { craftArchive(a, {{"notes.txt", "hello"}}); },
         "no club database"},
        {"two databases", [&](const fs::path& a) {
             craftArchive(a, {{"a/QUILLAVON.DB", sound}, {"b/QUILLAVON.DB", sound}}); }, "two files"},
        {"damaged archive", [&](const fs::path& a) {
             craftArchive(a, {{"QUILLAVON.DB", sound}});
             std::string bytes = readFile(a);
             for (size_t i = bytes.size() / 3; i < bytes.size() / 3 + 64; ++i) bytes[i] = static_cast<char>(~bytes[i]);
             std::ofstream(a, std::ios::binary | std::ios::trunc) << bytes; }, "An error (2) occurred"},
        {"not an archive", [](const fs::path& a) { std::ofstream(a) << "plain text"; },
         "An error (2) occurred during file compression."},
        {"missing archive", [](const fs::path&) {}, "An error (2) occurred during file compression."},
    };
    ExtractLimits limits;
    limits.entryBytes = 2 << 20;
    for (const BadArchive& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(folder() / "import");
        fs::create_directories(folder() / "import");
        c.make(importArchivePath());
        const auto before = dataFolderBytes();
        TransferOutcome out = importNow(limits);
        EXPECT_FALSE(out.done);
        std::string said;
        for (const Message& m : out.messages) said += m.text + "\n";
        EXPECT_NE(said.find(c.says), std::string::npos) << said;
        EXPECT_TRUE(dataFolderBytes() == before);
        EXPECT_EQ(divisions(), 1);
        // Nothing is left behind in the import folder but the archive.
        for (const auto& e : fs::directory_iterator(folder() / "import"))
            EXPECT_EQ(e.path().filename(), "Quillavon.7z");
    }
}

TEST_F(Transfers, AnImportWithoutABackupDoesNotHappen) {
    division();
    ASSERT_TRUE(exportNow().done);
    fs::create_directories(importArchivePath().parent_path());
    fs::copy_file(folder() / "export" / "Quillavon.7z", importArchivePath());
    std::ofstream(folder() / "backup") << "a file where the backup folder goes";
    const auto before = dataFolderBytes();
    TransferOutcome out = importNow();
    EXPECT_FALSE(out.done);
    ASSERT_FALSE(out.messages.empty());
    EXPECT_EQ(out.messages[0].text, "An error (2) occurred during file compression.");
    EXPECT_TRUE(dataFolderBytes() == before);
}

TEST_F(Transfers, AnExportPacksTheCommittedDataAndGivesUpOnAStationThatKeepsWriting) {
    division();
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(clubDb().c_str(), &other), SQLITE_OK);
    // Another station has begun a change it has not committed.
    ASSERT_EQ(sqlite3_exec(other, "BEGIN IMMEDIATE; DELETE FROM Division;", nullptr, nullptr, nullptr), SQLITE_OK);
    ASSERT_TRUE(exportNow().done);
    const fs::path archive = folder() / "export" / "Quillavon.7z";
    const fs::path unpacked = folder() / "unpacked";
    fs::create_directories(unpacked);
    std::vector<std::string> names;
    std::string why;
    ASSERT_EQ(extractArchive(archive, unpacked, {}, names, why), 0) << why;
    sqlite3* h = nullptr;
    ASSERT_EQ(sqlite3_open((unpacked / "QUILLAVON.DB").c_str(), &h), SQLITE_OK);
    sqlite3_stmt* st = nullptr;
    sqlite3_prepare_v2(h, "SELECT count(*) FROM Division", -1, &st, nullptr);
    ASSERT_EQ(sqlite3_step(st), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(st, 0), 1);
    sqlite3_finalize(st);
    sqlite3_close(h);

    // A station that holds the database to write is waited for, then the
    // export gives up and the archive made before stays as it was.
    sqlite3_exec(other, "ROLLBACK; BEGIN EXCLUSIVE;", nullptr, nullptr, nullptr);
    const std::string before = readFile(archive);
    TransferRequest r = request();
    r.lockWait = std::chrono::milliseconds(300);
    TransferOutcome out;
    runExport(*store, globals, r, out);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_FALSE(out.done);
    ASSERT_FALSE(out.messages.empty());
    EXPECT_EQ(out.messages[0].text, "An error (2) occurred during file compression.");
    EXPECT_NE(out.messages.back().text.find("ensure all users are out of the system"), std::string::npos)
        << out.messages.back().text;
    EXPECT_EQ(readFile(archive), before);
}

TEST_F(Transfers, AnImportWaitsForAnotherStationThenGivesUpLeavingTheDataAlone) {
    division();
    ASSERT_TRUE(exportNow().done);
    division();
    fs::create_directories(importArchivePath().parent_path());
    fs::copy_file(folder() / "export" / "Quillavon.7z", importArchivePath());
    // Another station in the middle of reading the club's data.
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(clubDb().c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN; SELECT count(*) FROM Division;", nullptr, nullptr, nullptr), SQLITE_OK);
    const auto before = dataFolderBytes();
    TransferRequest r = request();
    r.lockWait = std::chrono::milliseconds(500);
    TransferOutcome out;
    runImport(*store, globals, r, out);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_FALSE(out.done);
    ASSERT_FALSE(out.messages.empty());
    EXPECT_NE(out.messages.back().text.find("ensure all users are out of the system"), std::string::npos)
        << out.messages.back().text;
    EXPECT_TRUE(dataFolderBytes() == before);
    EXPECT_EQ(divisions(), 2);
}

}  // namespace
}  // namespace qvtest
