#pragma once
// A workstation, a store and answers given in advance, for window tests.

#include <QApplication>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/scoring/ScoringContext.h"
#include "core/session/Globals.h"
#include "tests/core/session/AppFixture.h"
#include "ui/framework/AppContext.h"
#include "ui/framework/MessageService.h"

namespace qv::testing {

class UiTest : public WorkstationTest {
protected:
    void SetUp() override {
        WorkstationTest::SetUp();
        store_ = openStore();
        g_ = session::Globals();
        ctx_ = std::make_unique<ui::AppContext>(ui::AppContext{*store_, g_, folder(), data::System()});
        scope_ = std::make_unique<ui::MessageBackendScope>(&messages_);
    }
    void TearDown() override {
        ctx_->scoring = nullptr;
        scoring_.reset();
        scope_.reset();
        ctx_.reset();
        store_.reset();
        WorkstationTest::TearDown();
    }
    ui::AppContext& ctx() { return *ctx_; }
    // Logs in a "Scorer" with the run's scoring context, as the program does.
    void beScorer() {
        g_.SecurityLevel = "Scorer";
        data::System sys;
        ASSERT_TRUE(data::readSystem(store(), sys).isOk());
        scoring_ = std::make_unique<scoring::ScoringContext>(store(), sys, g_);
        ctx_->scoring = scoring_.get();
    }
    data::Store& store() { return *store_; }
    // Texts of the messages shown so far.
    std::vector<std::string> shownTexts() const {
        std::vector<std::string> out;
        for (const auto& s : messages_.shown()) out.push_back(s.message.text);
        return out;
    }
    int count(const char* file) {
        data::FileUse use(*store_, file);
        std::unique_ptr<data::Cursor> c;
        int n = 0;
        if (!store_->walk(file, "", {}, false, c)) return -1;
        data::Record r = store_->newRecord(file);
        while (c->next(r)) ++n;
        return n;
    }

    int32_t addDivision(const char* name, const char* inactive = "N") {
        data::FileUse use(*store_, "Division");
        data::Division d;
        d.DivisionName = name;
        d.InactiveFlag = inactive;
        EXPECT_TRUE(data::insertRecord(*store_, d).isOk());
        return d.DivisionId;
    }
    void addSpecies(const char* name, int32_t divisionId, int16_t position) {
        data::FileUse use(*store_, "Species");
        data::Species s;
        s.SpeciesName = name;
        s.DivisionId = divisionId;
        s.ReportPosition = position;
        s.InactiveFlag = "N";
        EXPECT_TRUE(data::insertRecord(*store_, s).isOk());
    }

    ui::ScriptedMessages messages_;
    session::Globals g_;
    std::unique_ptr<scoring::ScoringContext> scoring_;

private:
    std::unique_ptr<data::Store> store_;
    std::unique_ptr<ui::AppContext> ctx_;
    std::unique_ptr<ui::MessageBackendScope> scope_;
};

}  // namespace qv::testing
