// The page copy held open in the target's transaction: an uncommitted copy
// leaves the target byte for byte as it was, a committed one holds the
// source's data.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/exchange/DatabaseCopy.h"
#include "tests/TextFiles.h"

namespace qvtest {
namespace {

namespace fs = std::filesystem;
using qv::exchange::DatabaseCopy;

class DatabaseCopying : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("quillavon-copy-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        sql(source(), "CREATE TABLE t(id INTEGER PRIMARY KEY, body BLOB);"
                      "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 30000)"
                      "  INSERT INTO t SELECT i, randomblob(200) FROM n;");
        sql(target(), "CREATE TABLE old(id INTEGER PRIMARY KEY, name TEXT);"
                      "INSERT INTO old VALUES (1, 'kept'), (2, 'as it was');");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }
    fs::path source() const { return folder_ / "source.db"; }
    fs::path target() const { return folder_ / "target.db"; }

    static void sql(const fs::path& db, const std::string& text) {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(h, text.c_str(), nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(h);
        sqlite3_close(h);
    }
    static std::string firstValue(const fs::path& db, const std::string& query) {
        sqlite3* h = nullptr;
        sqlite3_open(db.c_str(), &h);
        sqlite3_stmt* st = nullptr;
        std::string value = "(none)";
        if (sqlite3_prepare_v2(h, query.c_str(), -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            value = reinterpret_cast<const char*>(sqlite3_column_text(st, 0));
        sqlite3_finalize(st);
        sqlite3_close(h);
        return value;
    }

private:
    fs::path folder_;
};

TEST_F(DatabaseCopying, ACopyNotCommittedLeavesTheTargetByteForByte) {
    const std::string before = readFile(target());
    {
        DatabaseCopy copy;
        std::string why;
        ASSERT_TRUE(copy.begin(source().string(), target().string(), false, why, std::chrono::milliseconds(500)))
            << why;
    }
    EXPECT_EQ(readFile(target()), before);
    EXPECT_FALSE(fs::exists(target().string() + "-journal"));
    EXPECT_EQ(firstValue(target(), "SELECT name FROM old WHERE id = 2"), "as it was");
}

TEST_F(DatabaseCopying, ACommittedCopyHoldsTheSourcesData) {
    DatabaseCopy copy;
    std::string why;
    ASSERT_TRUE(copy.begin(source().string(), target().string(), false, why, std::chrono::milliseconds(500)))
        << why;
    ASSERT_TRUE(copy.commit(why)) << why;
    const std::string digest = "SELECT count(*) || ':' || sum(length(body)) || ':' || hex(max(body)) FROM t";
    EXPECT_EQ(firstValue(target(), digest), firstValue(source(), digest));
    EXPECT_EQ(firstValue(target(), "SELECT count(*) FROM sqlite_schema WHERE name = 'old'"), "0");
    EXPECT_EQ(firstValue(target(), "PRAGMA integrity_check"), "ok");
}

}  // namespace
}  // namespace qvtest
