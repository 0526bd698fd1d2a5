#pragma once
// A small club on a fresh workstation for the exchange tests, with helpers to
// read the files they write and to fingerprint the data folder.

#include <fstream>
#include <map>
#include <sstream>

#include "core/data/ClubRecords.h"
#include "core/data/TripRecords.h"
#include "tests/TextFiles.h"
#include "tests/core/scoring/ClubFixture.h"

namespace qvtest {

class ExchangeTest : public ClubTest {
protected:
    void SetUp() override {
        ClubTest::SetUp();
        for (const char* l : {"Trophy", "TripTrophy", "SeasonTrophy", "Teams"})
            more_.push_back(std::make_unique<FileUse>(*store, l));
    }
    void TearDown() override {
        more_.clear();
        ClubTest::TearDown();
    }
    std::string start() const { return folder().string(); }
    fs::path clubDb() const { return folder() / "DATA" / "QUILLAVON.DB"; }

    int32_t trophy(const char* name) {
        Trophy t;
        t.TrophyName = name;
        t.InactiveFlag = "N";
        return put(t).TrophyId;
    }

    // Every file of the data folder with its bytes.
    std::map<std::string, std::string> dataFolderBytes() const {
        std::map<std::string, std::string> all;
        for (const auto& e : fs::directory_iterator(folder() / "DATA")) all[e.path().filename()] = readFile(e.path());
        return all;
    }

private:
    std::vector<std::unique_ptr<FileUse>> more_;
};

}  // namespace qvtest
