// The exchange windows: the import/export window's options, questions and
// commands, the report window's two exports, and the FTP security choice.

#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <filesystem>

#include "core/data/NamedSettings.h"
#include "tests/ui/UiFixture.h"
#include "ui/exchange/ImportExportWindow.h"
#include "ui/framework/StandardForm.h"
#include "ui/maintenance/SystemConfiguration.h"
#include "ui/reports/ReportsWindow.h"

using namespace qv;
using qv::testing::UiTest;
namespace fs = std::filesystem;

namespace {

class ExchangeWindows : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        g_.SecurityLevel = "Scorer";
    }
    const ui::Shown& lastShown() const { return messages_.shown().back(); }
};

TEST_F(ExchangeWindows, TheOptionFollowsTheChoiceAndStartsLocalOnEachTab) {
    ui::ImportExportWindow w(ctx());
    EXPECT_EQ(w.windowTitle(), "Import / Export Data");
    EXPECT_EQ(w.option(), 'L');
    w.choice("  Download via FTP && Import")->setChecked(true);
    EXPECT_EQ(w.option(), 'D');
    w.tabs()->setCurrentIndex(1);
    EXPECT_EQ(w.option(), 'L');
    w.choice("  Export && Upload via FTP")->setChecked(true);
    EXPECT_EQ(w.option(), 'U');
}

TEST_F(ExchangeWindows, NoToTheQuestionDoesNothingYesExportsAndCloses) {
    addDivision("Offshore");
    ui::ImportExportWindow w(ctx());
    messages_.answer(ui::Answer::No);
    w.runExport();
    EXPECT_EQ(lastShown().message.title, "Export Data");
    EXPECT_EQ(lastShown().defaultAnswer, ui::Answer::Yes);
    EXPECT_FALSE(fs::exists(fs::path(folder()) / "export"));
    EXPECT_EQ(w.result(), 0);

    messages_.answer(ui::Answer::Yes);
    w.runExport();
    EXPECT_TRUE(fs::exists(fs::path(folder()) / "export" / "Quillavon.7z"));
    EXPECT_EQ(g_.TransferStatus.str().rfind("Export ", 0), 0u);
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST_F(ExchangeWindows, TheImportQuestionDefaultsToNoAndAFailedImportSaysWhy) {
    ui::ImportExportWindow w(ctx());
    w.runImport();  // the default answer: No
    ASSERT_EQ(messages_.shown().size(), 1u);
    EXPECT_EQ(lastShown().message.title, "Import Data");
    EXPECT_EQ(lastShown().defaultAnswer, ui::Answer::No);

    messages_.answer(ui::Answer::Yes);
    w.runImport();  // no archive to import
    EXPECT_EQ(shownTexts()[2], "An error (2) occurred during file compression.");
    EXPECT_NE(shownTexts()[3].find("Import of data aborted"), std::string::npos);
    EXPECT_TRUE(g_.TransferStatus.empty());
}

TEST_F(ExchangeWindows, TheReportWindowsExportsRunAndSayWhereTheFilesWent) {
    const int32_t division = addDivision("Offshore");
    {
        ui::ReportsWindow w(ctx());
        w.reportButton("Export All Data")->click();
        EXPECT_EQ(lastShown().message.title, "Export Data Files");
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_TRUE(fs::exists(fs::path(folder()) / "exportdata" / "Division.xml"));
    }
    ui::ReportsWindow w(ctx());
    w.reportButton("Member History CSV")->click();
    EXPECT_FALSE(w.criterion("&Season:")->isEnabled());
    EXPECT_FALSE(w.createButton()->isEnabled());
    QComboBox* box = w.criterion("&Division:");
    box->setCurrentIndex(box->findData(division));
    ASSERT_TRUE(w.createButton()->isEnabled());
    w.createReport();
    EXPECT_EQ(lastShown().message.title, "Member History Export");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(fs::exists(fs::path(folder()) / "DATA" / "EXPORT.CSV"));
}

TEST_F(ExchangeWindows, TheFtpSecurityChoiceIsKeptForTheWorkstation) {
    std::unique_ptr<QWidget> form(maintenance::openSystemConfiguration(ctx(), nullptr));
    ASSERT_TRUE(form);
    auto* choice = form->findChild<QComboBox*>("FtpSecurity");
    ASSERT_TRUE(choice);
    EXPECT_EQ(choice->currentData().toString(), "None");
    choice->setCurrentIndex(choice->findData("TLS"));
    static_cast<ui::StandardForm*>(form.get())->accept();
    std::string stored;
    ASSERT_TRUE(data::readSetting(store(), data::Location::Workstation, "FtpSecurity", stored).isOk());
    EXPECT_EQ(stored, "TLS");
}

}  // namespace
