#pragma once
// Shared pieces of the data store tests: a fresh workstation in a folder of
// its own under the temp directory, removed again when the test ends, and a
// few helpers for adding, finding and walking records.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/data/ClubRecords.h"
#include "core/data/Store.h"
#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"

namespace qvtest {

namespace fs = std::filesystem;
using namespace qv::data;

inline std::string describe(const Status& s) {
    if (!s.isFailed()) return s.isOk() ? "ok" : "not found";
    return std::to_string(s.message().number) + " " + s.message().title + ": " + s.message().text;
}

// A folder of its own, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        static int counter = 0;
        path_ = fs::temp_directory_path() /
                ("quillavon-test-" + std::to_string(::getpid()) + "-" + std::to_string(++counter));
        fs::remove_all(path_);
        fs::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& path() const { return path_; }
    std::string str() const { return path_.string(); }

  private:
    fs::path path_;
};

// A fresh workstation with its store open on the club files.
class WorkstationTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(initWorkstation(folder.str()).isOk());
        ASSERT_TRUE(openWorkstation(folder.str(), store).isOk());
        openClubFiles(*store);
    }

    // Another station: its own connections to the same databases.
    std::unique_ptr<Store> otherStation() {
        auto s = std::make_unique<Store>(store->paths());
        openClubFiles(*s);
        return s;
    }

    static void openClubFiles(Store& s) {
        for (const FileDef* f : Catalog::instance().files())
            if (f->location == Location::Club) {
                ASSERT_TRUE(s.open(f->label).isOk()) << f->label;
            }
    }

    TempFolder folder;
    std::unique_ptr<Store> store;
};

// Inserts `r` (numbered by the store when its id is 0) and returns it as stored.
template <typename T>
T add(Store& s, T r) {
    Status st = insertRecord(s, r);
    EXPECT_TRUE(st.isOk()) << T::kLabel << ": " << describe(st);
    return r;
}

// Every record of the file along `key` (record number order when empty).
template <typename T>
std::vector<T> walkAll(Store& s, std::string_view key = "", std::vector<FieldValue> from = {},
                       bool reverse = false) {
    std::vector<T> out;
    Cursor c = s.walk(T::kLabel, key, from, reverse);
    Record r = s.newRecord(T::kLabel);
    while (c.next(r).isOk()) {
        T t;
        t.fromRecord(r);
        out.push_back(t);
    }
    return out;
}

template <typename T>
size_t countOf(Store& s) {
    return walkAll<T>(s).size();
}

inline FieldValue textValue(std::string t) {
    return {0, std::move(t)};
}
inline FieldValue numberValue(int64_t n) {
    return {n, {}};
}

inline Members member(std::string fullName) {
    return {.FullName = std::move(fullName)};
}

inline Trips trip(int32_t division, std::string season, int32_t number) {
    return {.DivisionId = division, .SeasonId = std::move(season), .SeasonTripNumber = number};
}

inline TripMember angler(int32_t tripId, int32_t memberId, int32_t nonMemberId = 0) {
    return {.TripId = tripId, .MemberId = memberId, .NonMemberId = nonMemberId};
}

}  // namespace qvtest
