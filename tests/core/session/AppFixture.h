#pragma once
// A fresh workstation in a temporary folder for each test.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "core/data/ClubRecords.h"
#include "core/data/SystemSettings.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"

namespace qv::testing {

class WorkstationTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("quillavon-app-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        ASSERT_TRUE(data::initWorkstation(folder()).isOk());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::string folder() const { return folder_.string(); }
    std::unique_ptr<data::Store> openStore() {
        std::unique_ptr<data::Store> s;
        EXPECT_TRUE(data::openWorkstation(folder(), s).isOk());
        return s;
    }
    void addUser(const std::string& id, const std::string& password, const std::string& level,
                 const std::string& name = "Test User") {
        auto store = openStore();
        data::FileUse use(*store, "Users");
        data::Users u;
        u.UserId = id;
        u.UserPassword = password;
        u.SecurityLevel = level;
        u.Name = name;
        ASSERT_TRUE(data::insertRecord(*store, u).isOk());
    }
    // Rewrites one settings field through the file layer.
    template <typename F>
    void editSettings(F edit) {
        auto store = openStore();
        data::System sys;
        ASSERT_TRUE(data::readSystem(*store, sys).isOk());
        edit(sys);
        ASSERT_TRUE(data::writeSystem(*store, sys).isOk());
    }

private:
    std::filesystem::path folder_;
};

}  // namespace qv::testing
