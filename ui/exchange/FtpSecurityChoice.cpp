#include "ui/exchange/FtpSecurityChoice.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>

#include "core/data/NamedSettings.h"
#include "core/exchange/FtpStep.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StandardForm.h"

namespace qv::ui {

void addFtpSecurityChoice(StandardForm& form) {
    QGroupBox* group = nullptr;
    for (QGroupBox* g : form.findChildren<QGroupBox*>())
        if (g->title() == "FTP Settings") group = g;
    auto* layout = group ? qobject_cast<QFormLayout*>(group->layout()) : nullptr;
    if (!layout) return;
    auto* box = new QComboBox(group);
    box->setObjectName("FtpSecurity");
    box->addItem("None (plain FTP)", "None");
    box->addItem("Explicit TLS required (FTPS)", "TLS");
    std::string stored;
    if (data::readSetting(form.context().store, data::Location::Workstation, exchange::kFtpSecuritySetting, stored))
        box->setCurrentIndex(stored == "TLS" ? 1 : 0);
    box->setEnabled(form.request() != Request::View);
    layout->addRow("FTP S&ecurity:", box);
    QObject::connect(&form, &QDialog::accepted, box, [&form, box] {
        const auto security = box->currentData().toString() == "TLS" ? exchange::FtpSecurity::TlsRequired
                                                                      : exchange::FtpSecurity::None;
        if (data::Status s = exchange::writeFtpSecurity(form.context().store, security); !s)
            showFailure(&form, s.message());
    });
}

}  // namespace qv::ui
