#include "ui/maintenance/MailServerGroup.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "core/mail/MailServer.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/StandardForm.h"

namespace qv::maintenance {

using mail::TlsMode;
using namespace qv::ui;

namespace {

struct SecurityChoice {
    TlsMode mode;
    const char* text;
};
constexpr SecurityChoice kSecurity[] = {
    {TlsMode::StartTls, "STARTTLS (required)"},
    {TlsMode::Implicit, "TLS from the start"},
    {TlsMode::None, "None (plain text)"},
};

// The port box shows the security's usual port while it is left at 0.
void showUsualPort(QSpinBox* port, TlsMode mode) {
    mail::MailServer usual;
    usual.tls = mode;
    port->setSpecialValueText("Usual (" + QString::number(usual.effectivePort()) + ")");
}

TlsMode modeOf(const QComboBox* box) { return static_cast<TlsMode>(box->currentData().toInt()); }

}  // namespace

void addMailServerGroup(StandardForm& form) {
    auto* tabs = form.findChild<QTabWidget*>("tabs");
    auto* page = tabs ? qobject_cast<QVBoxLayout*>(tabs->widget(0)->layout()) : nullptr;
    if (!page) return;
    int at = page->count();
    for (auto* box : tabs->findChildren<QGroupBox*>())
        if (box->title() == "Email Settings" && page->indexOf(box) >= 0) at = page->indexOf(box) + 1;

    mail::MailServer stored;
    if (data::Status s = mail::readMailServer(form.context().store, stored); !s) showFailure(&form, s.message());
    const bool readOnly = form.request() == Request::View;

    auto* box = new QGroupBox("Mail Server", tabs->widget(0));
    box->setObjectName("MailServer");
    auto* layout = new QFormLayout(box);
    layout->setLabelAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout->setFieldGrowthPolicy(QFormLayout::ExpandingFieldsGrow);

    auto* security = new QComboBox(box);
    security->setObjectName("MailTls");
    for (const SecurityChoice& c : kSecurity) security->addItem(c.text, static_cast<int>(c.mode));
    security->setCurrentIndex(security->findData(static_cast<int>(stored.tls)));
    auto* port = new QSpinBox(box);
    port->setObjectName("MailPort");
    port->setRange(0, 65535);
    port->setValue(stored.port);
    showUsualPort(port, stored.tls);
    QObject::connect(security, &QComboBox::currentIndexChanged, port,
                     [port, security] { showUsualPort(port, modeOf(security)); });
    auto* user = new QLineEdit(QString::fromStdString(stored.user), box);
    user->setObjectName("MailUser");
    auto* password = new QLineEdit(QString::fromStdString(stored.password), box);
    password->setObjectName("MailPassword");
    password->setEchoMode(QLineEdit::Password);
    for (QWidget* w : std::initializer_list<QWidget*>{security, port, user, password}) w->setEnabled(!readOnly);

    layout->addRow("Securit&y:", security);
    layout->addRow("&Port:", port);
    layout->addRow("Mai&l User Name:", user);
    layout->addRow("Mail Passwo&rd:", password);
    page->insertWidget(at, box);
}

bool saveMailServerGroup(StandardForm& form) {
    auto* box = form.findChild<QGroupBox*>("MailServer");
    if (!box || form.request() == Request::View) return true;
    data::Store& store = form.context().store;
    mail::MailServer server;
    // Anything the window does not show is kept as stored.
    if (data::Status s = mail::readMailServer(store, server); !s) {
        showFailure(&form, s.message());
        return false;
    }
    server.tls = modeOf(box->findChild<QComboBox*>("MailTls"));
    server.port = box->findChild<QSpinBox*>("MailPort")->value();
    server.user = box->findChild<QLineEdit*>("MailUser")->text().trimmed().toStdString();
    server.password = box->findChild<QLineEdit*>("MailPassword")->text().toStdString();
    if (data::Status s = mail::writeMailServer(store, server); !s) {
        showFailure(&form, s.message());
        return false;
    }
    return true;
}

}  // namespace qv::maintenance
