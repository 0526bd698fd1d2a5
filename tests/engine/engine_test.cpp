// The report engine: definitions found in the start folder before the
// installed ones, their failures as the engine's messages, the exports, and
// definitions that try to write or reach the network.

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "engine/ReportEngine.h"
#include "tests/PdfText.h"

namespace {

namespace fs = std::filesystem;
using namespace qv::engine;
using qvtest::pdfText;

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}


class Engine : public ::testing::Test {
protected:
    void SetUp() override {
        std::random_device rd;
        start = fs::temp_directory_path() / ("quillavon-engine-" + std::to_string(rd()));
        installed = start / "installed";
        fs::create_directories(start / "reports");
        fs::create_directories(start / "DATA");
        fs::create_directories(installed);
        write(start / "DATA" / "rows.xml",
              "<Data><Row><name>Ann &amp; Co</name><points>12.50</points></Row></Data>");
        write(installed / "rptList.rpt", definition("Installed"));
    }
    void TearDown() override { fs::remove_all(start); }

    static void write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    static std::string definition(const std::string& heading, const std::string& extra = "") {
        return R"(<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform")"
               R"( xmlns:exsl="http://exslt.org/common" extension-element-prefixes="exsl">)"
               R"(<xsl:param name="data"/><xsl:template match="/"><html><body><h1>)" +
               heading + R"(</h1><xsl:for-each select="document(concat($data, 'rows.xml'))/Data/Row">)"
               R"(<p><xsl:value-of select="name"/>: <xsl:value-of select="points"/></p></xsl:for-each>)" +
               extra + "</body></html></xsl:template></xsl:stylesheet>";
    }
    ReportEngine engine() { return ReportEngine({start.string(), {installed.string()}, {"Test Club", "List", "07/12/2026"}}); }

    fs::path start, installed;
};

TEST_F(Engine, ADefinitionInTheStartFolderComesFirst) {
    ReportEngine e = engine();
    ASSERT_TRUE(e.openReport("reports/rptList.rpt")) << e.lastError()->text;
    EXPECT_NE(e.report()->html().find("Installed"), std::string::npos);
    EXPECT_NE(e.report()->html().find("Ann &amp; Co: 12.50"), std::string::npos) << e.report()->html();
    write(start / "reports" / "rptList.rpt", definition("Our own"));
    ASSERT_TRUE(e.openReport("reports/rptList.rpt"));
    EXPECT_NE(e.report()->html().find("Our own"), std::string::npos);
}

TEST_F(Engine, FailuresComeBackAsTheEnginesMessages) {
    ReportEngine e = engine();
    EXPECT_FALSE(e.openReport("reports/rptNowhere.rpt"));
    ASSERT_TRUE(e.lastError());
    EXPECT_EQ(e.lastError()->title, "REPORT ENGINE ERROR - 501");
    EXPECT_EQ(e.lastError()->text,
              "The report definition was not found|Report:reports/rptNowhere.rpt|Current selection:");

    write(start / "reports" / "rptBroken.rpt", "<xsl:stylesheet version='1.0'");
    EXPECT_FALSE(e.openReport("reports/rptBroken.rpt"));
    EXPECT_EQ(e.lastError()->title, "REPORT ENGINE ERROR - 502");
    EXPECT_NE(e.lastError()->text.find("|Report:"), std::string::npos);
    EXPECT_FALSE(e.report());
    EXPECT_FALSE(e.exportToDiskFile(kExportPdf, (start / "x.pdf").string()));
    EXPECT_EQ(e.lastError()->title, "REPORT ENGINE ERROR - 505");

    ASSERT_TRUE(e.openReport("reports/rptList.rpt"));
    EXPECT_FALSE(e.exportToDiskFile(3, (start / "x.rec").string()));
    EXPECT_EQ(e.lastError()->title, "REPORT ENGINE ERROR - 504");
    EXPECT_FALSE(fs::exists(start / "x.rec"));
}

TEST_F(Engine, PdfAndHtmlExports) {
    ReportEngine e = engine();
    ASSERT_TRUE(e.openReport("reports/rptList.rpt"));
    const fs::path pdf = start / "list.pdf", html = start / "list.html";
    ASSERT_TRUE(e.exportToDiskFile(kExportPdf, pdf.string()));
    EXPECT_EQ(slurp(pdf).rfind("%PDF", 0), 0u);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Ann & Co: 12.50"), std::string::npos) << text;
    EXPECT_NE(text.find("Test Club"), std::string::npos) << "the page head names the organisation";
    EXPECT_NE(text.find("Page 1 of 1"), std::string::npos);
    ASSERT_TRUE(e.exportToDiskFile(20, html.string()));
    EXPECT_NE(slurp(html).find("Ann &amp; Co"), std::string::npos);
}

TEST_F(Engine, ADefinitionMayNotWriteFiles) {
    const fs::path target = start / "written.txt";
    write(start / "reports" / "rptWriter.rpt",
          definition("Writer", "<exsl:document href=\"" + target.string() + "\" method=\"text\">x</exsl:document>"));
    ReportEngine e = engine();
    EXPECT_FALSE(e.openReport("reports/rptWriter.rpt"));
    EXPECT_FALSE(fs::exists(target));
    EXPECT_EQ(e.lastError()->title, "REPORT ENGINE ERROR - 502");
}

TEST_F(Engine, LongReportsBreakIntoNumberedPages) {
    std::string rows = "<Data>";
    for (int i = 0; i < 400; ++i) rows += "<Row><name>Angler " + std::to_string(i) + "</name><points>1.00</points></Row>";
    write(start / "DATA" / "rows.xml", rows + "</Data>");
    ReportEngine e = engine();
    ASSERT_TRUE(e.openReport("reports/rptList.rpt"));
    const int pages = e.report()->pageCount();
    EXPECT_GT(pages, 5);
    const fs::path pdf = start / "long.pdf";
    ASSERT_TRUE(e.exportToDiskFile(kExportPdf, pdf.string()));
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Page " + std::to_string(pages) + " of " + std::to_string(pages)), std::string::npos);
    EXPECT_NE(text.find("Angler 399"), std::string::npos);
    EXPECT_EQ(e.report()->pageImage(0, 48).width(), 397);  // A4 at 48 dots an inch
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
