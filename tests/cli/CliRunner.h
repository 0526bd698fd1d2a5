#pragma once
// The command-line and desktop programs run as separate processes on a demo
// workstation of their own, as a user (or an intruder) would run them.

#include <gtest/gtest.h>
#include <sqlite3.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace qvcli {

namespace fs = std::filesystem;

struct Outcome {
    int exitCode = -1;
    std::string out;  // standard output
    std::string err;  // standard error
};

inline std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Runs `program` with `env` and `args` in `folder`, feeding `input`.
inline Outcome runProgram(const std::string& program, const fs::path& folder, const std::string& env,
                      const std::string& args, const std::string& input = "") {
    const fs::path errFile = folder.string() + ".stderr";
    const fs::path inFile = folder.string() + ".stdin";
    std::ofstream(inFile, std::ios::binary) << input;
    const std::string cmd = "env -u QUILLAVON_PASSWORD -u QUILLAVON_NEW_PASSWORD " + env + " '" +
                            program + "' -C '" + folder.string() + "' " + args + " 2>'" +
                            errFile.string() + "' <'" + inFile.string() + "'";
    Outcome r;
    FILE* p = ::popen(cmd.c_str(), "r");
    char buf[4096];
    for (size_t n; p && (n = std::fread(buf, 1, sizeof buf, p)) > 0;) r.out.append(buf, n);
    const int status = p ? ::pclose(p) : -1;
    r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    r.err = slurp(errFile);
    fs::remove(errFile);
    fs::remove(inFile);
    return r;
}

// A demo workstation made by `init --demo` in a folder of its own.
class DemoWorkstation : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        folder_ = fs::temp_directory_path() / ("quillavon-cli-" + std::to_string(rd()) + std::to_string(rd()));
        fs::create_directories(folder_);
        ASSERT_EQ(cli("", "init --demo").exitCode, 0);
    }
    void TearDown() override { fs::remove_all(folder_); }

    Outcome cli(const std::string& env, const std::string& args, const std::string& input = "") {
        return runProgram(QUILLAVON_CLI, folder_, env, args, input);
    }
    // As a demo user, whose password is the id followed by "1".
    Outcome as(const std::string& user, const std::string& args, const std::string& input = "") {
        return cli("QUILLAVON_PASSWORD=" + user + "1", args + " --user " + user, input);
    }
    fs::path data() const { return folder_ / "DATA"; }
    fs::path clubDb() const { return data() / "QUILLAVON.DB"; }
    const fs::path& folder() const { return folder_; }

    // Runs SQL straight on a database file, behind the program's back.
    static void sql(const fs::path& db, const std::string& text) {
        sqlite3* h = nullptr;
        ASSERT_EQ(sqlite3_open(db.c_str(), &h), SQLITE_OK);
        char* error = nullptr;
        const int rc = sqlite3_exec(h, text.c_str(), nullptr, nullptr, &error);
        EXPECT_EQ(rc, SQLITE_OK) << (error ? error : "");
        sqlite3_free(error);
        sqlite3_close(h);
    }

private:
    fs::path folder_;
};

}  // namespace qvcli
