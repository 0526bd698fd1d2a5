#pragma once
// The FTP security choice on the configuration window's FTP settings: plain
// FTP or explicit TLS required, kept in the workstation's own settings.

namespace qv::ui {
class StandardForm;

// Adds the choice to the form's "FTP Settings" group and keeps it when the
// form's OK succeeds.
void addFtpSecurityChoice(StandardForm& form);

}  // namespace qv::ui
