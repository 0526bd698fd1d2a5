#pragma once

#include "ui/framework/StandardForm.h"

namespace qv::maintenance {

// A data folder chosen with "&Modify..." as it is stored: relative to the
// start folder when it lies inside it (so a copied workstation keeps its own
// data), else as chosen; always with its trailing '/'.
QString dataFolderSetting(const QString& chosen, const QString& startFolder);

ui::FormSpec systemConfigurationForm();
// The window on the workstation's settings record, or nullptr (after its
// message) when the record cannot be read.
QWidget* openSystemConfiguration(ui::AppContext& ctx, QWidget* parent);
void registerSystemConfiguration();

}  // namespace qv::maintenance
