// The exchange commands on the demo club: what each prints and leaves on
// disk, and who may run them.

#include "tests/cli/CliRunner.h"

using namespace qvcli;

namespace {

using Exchange = DemoWorkstation;

TEST_F(Exchange, ExportXmlWritesEveryFileAndSaysWhere) {
    Outcome r = as("scorer", "export-xml");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* name : {"Division.xml", "TripMember.xml", "Teams.xml"})
        EXPECT_NE(r.out.find("file: " + (folder() / "exportdata" / name).string()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Export Data Files: Data Files have been exported to "), std::string::npos);
    EXPECT_NE(slurp(folder() / "exportdata" / "Division.xml").find("<divisionname>"), std::string::npos);
}

TEST_F(Exchange, ExportCsvNeedsADivisionAndWritesCrLfLines) {
    EXPECT_EQ(as("scorer", "export-csv").exitCode, 2);
    Outcome r = as("scorer", "export-csv --division 1");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Member History Export: Data has been exported to "), std::string::npos) << r.out;
    const std::string csv = slurp(data() / "EXPORT.CSV");
    EXPECT_EQ(csv.rfind("MemberName,FirstTripDate,FirstTripLocation,Division,Season,TotalNumberTrips,", 0), 0u);
    EXPECT_NE(csv.find("TotalNumberFishCaught\r\n"), std::string::npos);
}

TEST_F(Exchange, AnArchiveExportedAndImportedLeavesAWorkingClub) {
    Outcome sent = as("admin", "archive export");
    ASSERT_EQ(sent.exitCode, 0) << sent.err;
    EXPECT_NE(sent.out.find("transfer: Export "), std::string::npos) << sent.out;
    fs::create_directories(folder() / "import");
    fs::copy_file(folder() / "export" / "Quillavon.7z", folder() / "import" / "Quillavon.7z");
    ASSERT_EQ(as("admin", "add Division DivisionName=Extra InactiveFlag=N").exitCode, 0);

    Outcome back = as("admin", "archive import");
    ASSERT_EQ(back.exitCode, 0) << back.err;
    EXPECT_NE(back.out.find("transfer: Import "), std::string::npos) << back.out;
    EXPECT_EQ(cli("", "start").exitCode, 0);
    Outcome list = as("admin", "list Division");
    EXPECT_EQ(list.out.find("Extra"), std::string::npos) << list.out;
}

TEST_F(Exchange, AMemberMayNotExportOrImport) {
    for (const char* command : {"export-xml", "export-csv --division 1", "archive export", "archive import"}) {
        Outcome r = as("member", command);
        EXPECT_EQ(r.exitCode, 1) << command;
    }
    EXPECT_FALSE(fs::exists(folder() / "exportdata"));
    EXPECT_FALSE(fs::exists(folder() / "export"));
}

}  // namespace
