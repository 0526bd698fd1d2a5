#pragma once
// The "Mail Server" group of the configuration window: what a real mail
// server needs beyond the e-mail settings (port, secure connection, login),
// kept in the workstation database.

namespace qv::ui {
class StandardForm;
}

namespace qv::maintenance {

// Adds the group below "Email Settings", filled from the stored settings.
void addMailServerGroup(ui::StandardForm& form);
// Writes the group's settings; false (after the message) when they cannot be.
bool saveMailServerGroup(ui::StandardForm& form);

}  // namespace qv::maintenance
