#pragma once
// winImportExport: moves the whole club database between installations
// through a 7z archive, locally or over FTP.

#include <QDialog>

#include "ui/framework/AppContext.h"

class QPushButton;
class QRadioButton;
class QTabWidget;

namespace qv::ui {

class ImportExportWindow : public QDialog {
    Q_OBJECT
public:
    explicit ImportExportWindow(AppContext& ctx, QWidget* parent = nullptr);

    // The processing option shared by both tabs: 'L', 'D' or 'U'.
    char option() const { return option_; }
    QRadioButton* choice(const QString& text) const;
    QPushButton* importButton() const { return import_; }
    QPushButton* exportButton() const { return export_; }
    QTabWidget* tabs() const { return tabs_; }

    void runImport();
    void runExport();

private:
    QWidget* optionsTab(const QString& local, const QString& ftp, char ftpOption, const QString& button,
                        QPushButton*& made);
    void run(bool isImport);
    AppContext& ctx_;
    QTabWidget* tabs_;
    QPushButton* import_ = nullptr;
    QPushButton* export_ = nullptr;
    char option_ = 'L';
};

void registerExchangeWindows();

}  // namespace qv::ui
