// One gate before club data: start-up checks, login, level; and the files it
// opens are ours or refused.

#include <sys/stat.h>

#include "tests/cli/CliRunner.h"

using namespace qvcli;

namespace {

using Gate = DemoWorkstation;

bool mentions(const std::string& text, const std::string& what) {
    return text.find(what) != std::string::npos;
}

TEST_F(Gate, NoRecordCommandRunsWithoutALogin) {
    // The hostile add as first found: an Administrator made from the command line.
    Outcome sneak = cli("", "add Users UserId=evil Name=Evil SecurityLevel=Administrator UserPassword=x");
    EXPECT_EQ(sneak.exitCode, 2);
    EXPECT_TRUE(mentions(sneak.err, "needs --user ID")) << sneak.err;
    EXPECT_TRUE(mentions(sneak.err, "usage: quillavon-cli")) << sneak.err;
    for (const char* args : {"list Members", "change Division DivisionId=1 DivisionName=X",
                             "delete Division DivisionId=1", "recalc --season 2026",
                             "winners --trip 1"})
        EXPECT_EQ(cli("", args).exitCode, 2) << args;
    EXPECT_EQ(cli("QUILLAVON_PASSWORD=x", "login --user evil").exitCode, 1);
    EXPECT_TRUE(mentions(as("admin", "list Division").out, "Offshore Boat"));
}

TEST_F(Gate, EachCommandNeedsItsLevel) {
    Outcome member = as("member", "add Division DivisionName=Sneaky");
    EXPECT_EQ(member.exitCode, 1);
    EXPECT_EQ(member.err, "Quillavon: This needs the security level Developer, Scorer or "
                          "Administrator; you are logged in as Member.\n");
    EXPECT_EQ(as("member", "passwd").exitCode, 1) << "a Member may not change a password";
    EXPECT_EQ(as("scorer", "list Users").exitCode, 1);
    EXPECT_EQ(as("scorer", "list System").exitCode, 1);
    EXPECT_EQ(as("scorer", "passwd --for admin").exitCode, 1);
    EXPECT_EQ(as("scorer", "useradd UserId=x Name=X SecurityLevel=Scorer").exitCode, 1);
    EXPECT_EQ(as("scorer", "add Division DivisionName=Estuary").exitCode, 0);
    EXPECT_EQ(as("member", "winners --trip 1").exitCode, 0) << "reports are for every user";
    EXPECT_FALSE(mentions(as("admin", "list Division").out, "Sneaky"));
}

TEST_F(Gate, PasswordsNeverTravelInTheCommandLine) {
    Outcome add = as("admin", "add Users UserId=evil Name=Evil SecurityLevel=Administrator");
    EXPECT_EQ(add.exitCode, 2);
    EXPECT_TRUE(mentions(add.err, "useradd")) << add.err;
    Outcome change = as("admin", "change Users Counter=1 UserPassword=taken");
    EXPECT_EQ(change.exitCode, 2);
    EXPECT_TRUE(mentions(change.err, "UserPassword is never taken from a command line")) << change.err;
    EXPECT_EQ(as("admin", "change System FtpPassword=s3cret").exitCode, 2);

    // useradd and passwd --for read the new password from the environment or standard input.
    Outcome added = cli("QUILLAVON_PASSWORD=admin1", "useradd UserId=kim Name=Kim SecurityLevel=Scorer --user admin",
                    "fresh-one\n");
    ASSERT_EQ(added.exitCode, 0) << added.err;
    EXPECT_EQ(cli("QUILLAVON_PASSWORD=fresh-one", "login --user kim").exitCode, 0);
    EXPECT_EQ(as("admin", "useradd UserId=lee Name=Lee SecurityLevel=Boss", "pw\n").exitCode, 1);
    Outcome reset = cli("QUILLAVON_PASSWORD=admin1 QUILLAVON_NEW_PASSWORD=again2", "passwd --for kim --user admin");
    ASSERT_EQ(reset.exitCode, 0) << reset.err;
    EXPECT_EQ(cli("QUILLAVON_PASSWORD=again2", "login --user kim").exitCode, 0);

    // The FTP password is kept (it is sent to the server) but never printed.
    sql(data() / "WORKSTATION.DB", "UPDATE System SET FtpPassword = 'hunter2'");
    Outcome listed = as("admin", "list System");
    ASSERT_EQ(listed.exitCode, 0) << listed.err;
    EXPECT_FALSE(mentions(listed.out, "hunter2"));
    EXPECT_TRUE(mentions(listed.out, "FtpPassword=\"\""));
}

TEST_F(Gate, AVersionMismatchStopsEveryCommand) {
    sql(clubDb(), "UPDATE ClientVersion SET VersionNumberServer = '9.9'");
    Outcome add = as("admin", "add Division DivisionName=Written");
    EXPECT_EQ(add.exitCode, 1);
    EXPECT_TRUE(mentions(add.err, "Incorrect Version Number reported (Expected 9.9")) << add.err;
    sql(clubDb(), "UPDATE ClientVersion SET VersionNumberServer = '1.0'");
    EXPECT_FALSE(mentions(as("admin", "list Division").out, "Written"));
}

TEST_F(Gate, AForeignDatabaseIsRefusedAndLeftAsItWas) {
    fs::remove(clubDb());
    sql(clubDb(), "CREATE TABLE notes (x); INSERT INTO notes VALUES ('mine')");
    const std::string before = slurp(clubDb());
    Outcome r = as("admin", "add Division DivisionName=X");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(mentions(r.err, clubDb().string() + " is not a Quillavon club database")) << r.err;
    EXPECT_EQ(slurp(clubDb()), before) << "nothing may be written to a foreign file";
}

TEST_F(Gate, ADamagedDatabaseIsRefused) {
    // A dropped table used to be made anew, empty, and its numbers reused.
    sql(clubDb(), "DROP TABLE Trips");
    Outcome r = as("admin", "add Trips TripNumber=1");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(mentions(r.err, "the table Trips is missing")) << r.err;
    sql(clubDb(), "DROP INDEX Members_byLastName");
    EXPECT_EQ(as("admin", "list Division").exitCode, 1);
}

TEST_F(Gate, AMissingDatabaseIsNamedAndNeverMade) {
    fs::remove(clubDb());
    Outcome r = as("admin", "add Division DivisionName=X");
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(mentions(r.err, clubDb().string() + " is missing")) << r.err;
    EXPECT_FALSE(fs::exists(clubDb())) << "only init makes databases";

    const fs::path ws = data() / "WORKSTATION.DB";
    std::ofstream(ws, std::ios::trunc).close();
    Outcome empty = cli("", "start");
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_TRUE(mentions(empty.err, ws.string() + " is not a Quillavon workstation database (the file is empty)"))
        << empty.err;
    fs::remove(ws);
    Outcome missing = as("admin", "list Division");
    EXPECT_TRUE(mentions(missing.err, ws.string() + " is missing")) << missing.err;
    EXPECT_FALSE(fs::exists(ws));
}

TEST_F(Gate, WrongPasswordsLockTheIdAcrossProcesses) {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(cli("QUILLAVON_PASSWORD=guess", "login --user admin").exitCode, 1);
    // Another process (it could be another station) is held off, even with the right password.
    // (The last failure is dated now, so that a slow machine does not outlast the wait.)
    sql(clubDb(), "UPDATE _LoginFailures SET LastFailure = strftime('%s', 'now')");
    Outcome held = as("admin", "login");
    EXPECT_EQ(held.exitCode, 1);
    EXPECT_TRUE(mentions(held.err, "Too many wrong passwords for this user id")) << held.err;
    // Unknown ids are counted the same way, so the lock tells nothing.
    for (int i = 0; i < 5; ++i) cli("QUILLAVON_PASSWORD=guess", "login --user nobody");
    sql(clubDb(), "UPDATE _LoginFailures SET LastFailure = strftime('%s', 'now')");
    EXPECT_TRUE(mentions(cli("QUILLAVON_PASSWORD=guess", "login --user nobody").err, "Too many"));
    // Once the wait is over the right password gets in and clears the count.
    sql(clubDb(), "UPDATE _LoginFailures SET LastFailure = LastFailure - 120");
    EXPECT_EQ(as("admin", "login").exitCode, 0);
    EXPECT_EQ(cli("QUILLAVON_PASSWORD=guess", "login --user admin").exitCode, 1);
    EXPECT_EQ(as("admin", "login").exitCode, 0) << "one wrong password after a success does not lock";
}

TEST_F(Gate, FilesAreTheGroupsOnly) {
    struct stat st {};
    ASSERT_EQ(::stat(data().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0770u);
    for (const char* f : {"QUILLAVON.DB", "WORKSTATION.DB"}) {
        ASSERT_EQ(::stat((data() / f).c_str(), &st), 0);
        EXPECT_EQ(st.st_mode & 0777, 0660u) << f;
    }
}

TEST_F(Gate, GrabOpensAWindowOnlyForItsLevel) {
    const std::string env = "QT_QPA_PLATFORM=offscreen QUILLAVON_PASSWORD=";
    const std::string png = (folder() / "users.png").string();
    EXPECT_EQ(runProgram(QUILLAVON_APP, folder(), env + "member1", "--grab brwUsers " + png + " --user member").exitCode, 1);
    EXPECT_EQ(runProgram(QUILLAVON_APP, folder(), env, "--grab brwUsers " + png).exitCode, 2);
    EXPECT_FALSE(fs::exists(png));
    EXPECT_EQ(runProgram(QUILLAVON_APP, folder(), env + "admin1", "--grab brwUsers " + png + " --user admin").exitCode, 0);
    EXPECT_TRUE(fs::exists(png));
}

}  // namespace
