// The integrity check of an arrived database, shared over several workers:
// each kind of damage is found whichever worker meets it, and a sound file
// passes however many workers share it.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "core/exchange/DatabaseCheck.h"
#include "tests/TextFiles.h"

namespace qvtest {
namespace {

namespace fs = std::filesystem;
using qv::exchange::databaseIsSound;

class DatabaseCheck : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("quillavon-check-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        // A big table with two indexes, a small one whose name needs quoting,
        // and one with a unique key.
        sql("CREATE TABLE Catches(Id INTEGER PRIMARY KEY, Angler INTEGER NOT NULL, Weight INTEGER);"
            "CREATE INDEX Catches_byAngler ON Catches(Angler);"
            "CREATE INDEX Catches_byWeight ON Catches(Weight);"
            "CREATE TABLE \"Angler's \"\"Notes\"\"\"(Id INTEGER PRIMARY KEY, Note TEXT);"
            "CREATE INDEX Notes_byNote ON \"Angler's \"\"Notes\"\"\"(Note);"
            "CREATE TABLE Grades(Id INTEGER PRIMARY KEY, Name TEXT);"
            "CREATE UNIQUE INDEX Grades_byName ON Grades(Name);"
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)"
            "  INSERT INTO Catches SELECT i, i % 97, i * 7 % 1000 FROM n;"
            "INSERT INTO \"Angler's \"\"Notes\"\"\" VALUES (1, 'calm'), (2, 'windy');"
            "INSERT INTO Grades VALUES (1, 'A'), (2, 'B');");
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    fs::path db() const { return folder_ / "arrived.db"; }

    void sql(const std::string& text) {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(db().c_str(), &h), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(h, text.c_str(), nullptr, nullptr, &error);
        sqlite3_close(h);
        ASSERT_EQ(rc, SQLITE_OK) << (error ? error : "");
    }

    // Changes a table behind the back of one of its indexes, so that the
    // file stays well formed but the index no longer matches its rows.
    void changeUnseenBy(const std::string& index, const std::string& change) {
        sql("PRAGMA writable_schema = ON;"
            "CREATE TABLE Hidden AS SELECT * FROM sqlite_schema WHERE name = '" + index + "';"
            "DELETE FROM sqlite_schema WHERE name = '" + index + "';");
        sql(change);
        sql("PRAGMA writable_schema = ON;"
            "INSERT INTO sqlite_schema SELECT * FROM Hidden;");
        sql("DROP TABLE Hidden");
    }

    // The result with one worker and with more, which must agree.
    bool sound(std::string& problem) {
        std::string alone;
        const bool one = databaseIsSound(db().string(), alone, 1);
        const bool shared = databaseIsSound(db().string(), problem, 3);
        EXPECT_EQ(one, shared) << alone << " / " << problem;
        return shared;
    }

private:
    fs::path folder_;
};

TEST_F(DatabaseCheck, ASoundFileWithAnyTableNamesPasses) {
    std::string problem;
    EXPECT_TRUE(sound(problem)) << problem;
}

TEST_F(DatabaseCheck, AnIndexOutOfStepWithItsTableIsFoundInAnyTable) {
    // The file-wide quick check alone passes these: the pages are all sound.
    // A changed row in the largest table, in a table whose name needs
    // quoting, and a second row under a unique key.
    for (const auto& [index, change] : std::vector<std::pair<std::string, std::string>>{
             {"Catches_byWeight", "UPDATE Catches SET Weight = Weight + 1 WHERE Id = 12345"},
             {"Notes_byNote", "UPDATE \"Angler's \"\"Notes\"\"\" SET Note = 'gale' WHERE Id = 2"},
             {"Grades_byName", "INSERT INTO Grades VALUES (3, 'A')"}}) {
        SCOPED_TRACE(index);
        SetUp();
        changeUnseenBy(index, change);
        std::string problem;
        EXPECT_FALSE(sound(problem));
        EXPECT_NE(problem.find(index), std::string::npos) << problem;
    }
}

TEST_F(DatabaseCheck, DamagedPagesAndFilesThatAreNoDatabaseAreRefused) {
    // Overwrite the middle of the file: b-tree pages of the big table.
    std::string bytes = readFile(db());
    ASSERT_GT(bytes.size(), 40000u);
    for (size_t i = bytes.size() / 2; i < bytes.size() / 2 + 3000; ++i) bytes[i] = static_cast<char>(i * 31);
    std::ofstream(db(), std::ios::binary | std::ios::trunc) << bytes;
    std::string problem;
    EXPECT_FALSE(sound(problem));
    EXPECT_FALSE(problem.empty());

    std::ofstream(db(), std::ios::binary | std::ios::trunc) << std::string(8192, 'x');
    EXPECT_FALSE(databaseIsSound(db().string(), problem, 2));
    EXPECT_FALSE(problem.empty());
    EXPECT_FALSE(databaseIsSound((db().string() + ".missing"), problem, 2));
}

}  // namespace
}  // namespace qvtest
