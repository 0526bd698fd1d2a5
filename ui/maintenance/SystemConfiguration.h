#pragma once

#include "ui/framework/StandardForm.h"

namespace qv::maintenance {

ui::FormSpec systemConfigurationForm();
// The window on the workstation's settings record, or nullptr (after its
// message) when the record cannot be read.
QWidget* openSystemConfiguration(ui::AppContext& ctx, QWidget* parent);
void registerSystemConfiguration();

}  // namespace qv::maintenance
