#pragma once
// Shared fixture of the Olmix tests: a temporary folder per test, a clean
// writer and reader, and the messages the library showed.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "olmix/Olmix.h"

class XmlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::random_device seed;
        dir_ = std::filesystem::temp_directory_path() /
               ("olmix-test-" + std::to_string(seed()) + "-" + std::to_string(seed()));
        std::filesystem::create_directories(dir_);
        olmix::setMessageHandler([this](const std::string& title, const std::string& text) {
            messages_.emplace_back(title, text);
        });
        resetLibrary();
    }

    void TearDown() override {
        resetLibrary();
        olmix::setMessageHandler({});
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }

    static void resetLibrary() {
        XML_CLOSEXMLFILE();
        XML_SETELEMENTPREFIX("");
        XML_FREE();
        XML_SETPROGRESSWINDOW(0);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    static std::string readFile(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void writeFile(const std::string& file, const std::string& text) {
        std::ofstream out(file, std::ios::binary);
        out << text;
    }

    // Every node of the reader as "path=value".
    static std::vector<std::string> nodes() {
        std::vector<std::string> out;
        std::string nodePath, value;
        for (std::uint32_t i = 1; olmix::nodeAt(i, nodePath, value); ++i)
            out.push_back(nodePath + "=" + value);
        return out;
    }

    // The path of the current node, names joined by "/", and its value.
    static std::string current() {
        olmix::RecordQueue names;
        names.addText("N:NAME");
        std::string value;
        if (XML_READCURRENTRECORD(names, value) != 0) return "<none>";
        std::string out;
        for (std::size_t i = 1; names.get(i); ++i) out += (i > 1 ? "/" : "") + names.text(1);
        return out + "=" + value;
    }

    std::filesystem::path dir_;
    std::vector<std::pair<std::string, std::string>> messages_;
};
