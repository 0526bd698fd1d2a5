// A workstation folder copied or moved elsewhere goes on with its own data;
// a data folder set to an absolute path stays shared.

#include <gtest/gtest.h>

#include <filesystem>

#include "core/session/Startup.h"
#include "tests/core/session/AppFixture.h"

using namespace qv;
using namespace qv::data;
namespace fs = std::filesystem;

namespace {

class CopiedWorkstation : public qv::testing::WorkstationTest {
protected:
    void TearDown() override {
        if (!copy_.empty()) fs::remove_all(copy_);
        WorkstationTest::TearDown();
    }
    // A copy of the workstation folder, as a club copies one to a new PC.
    std::string copy(const std::string& suffix = "-copy") {
        copy_ = folder() + suffix;
        fs::copy(folder(), copy_, fs::copy_options::recursive);
        return copy_;
    }
    static void addDivisionAt(const std::string& start, const char* name) {
        session::Globals g;
        auto r = session::runStartup(start, g);
        ASSERT_TRUE(r.goOn);
        FileUse use(*r.store, "Division");
        Division d;
        d.DivisionName = name;
        ASSERT_TRUE(insertRecord(*r.store, d).isOk());
    }
    static int divisionsAt(const std::string& start) {
        std::unique_ptr<Store> store;
        EXPECT_TRUE(openWorkstation(start, store).isOk());
        FileUse use(*store, "Division");
        std::unique_ptr<Cursor> c;
        if (!store->walk("Division", "", {}, false, c)) return -1;
        Record r = store->newRecord("Division");
        int n = 0;
        while (c->next(r)) ++n;
        return n;
    }

private:
    std::string copy_;
};

}  // namespace

TEST_F(CopiedWorkstation, WritesToItsOwnData) {
    addDivisionAt(folder(), "Sea");
    const std::string other = copy();
    addDivisionAt(other, "Lake");
    EXPECT_EQ(divisionsAt(folder()), 1) << "the original club's data is untouched";
    EXPECT_EQ(divisionsAt(other), 2);

    session::Globals g;
    auto r = session::runStartup(other, g);
    EXPECT_EQ(r.clubDatabase, other + "/DATA/QUILLAVON.DB");
    EXPECT_EQ(r.dataFolder, "DATA/") << "the setting as stored";
}

TEST_F(CopiedWorkstation, AnAbsoluteDataFolderStaysShared) {
    editSettings([&](System& s) { s.DataFileLocation = folder() + "/DATA/"; });
    const std::string other = copy();
    addDivisionAt(other, "Lake");
    EXPECT_EQ(divisionsAt(folder()), 1) << "both stations write to the one club";
    EXPECT_EQ(divisionsAt(other), 1);
}

TEST_F(CopiedWorkstation, ADeepStartFolderIsNotCutShort) {
    // The data folder setting is 100 characters wide; the start folder joined
    // to it may be longer.
    const std::string deep = copy("-" + std::string(110 - folder().size() % 10, 'd'));
    ASSERT_GT(deep.size() + std::string("/DATA/QUILLAVON.DB").size(), 100u);
    addDivisionAt(deep, "Estuary");
    EXPECT_EQ(divisionsAt(deep), 1);
    EXPECT_TRUE(fs::exists(deep + "/DATA/QUILLAVON.DB"));
}
