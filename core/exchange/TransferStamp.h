#pragma once
// The note of the last data transfer, kept in the workstation's settings and
// shown on the main frame.

#include <string>
#include <string_view>

#include "core/data/Date.h"
#include "core/data/Store.h"
#include "core/session/Globals.h"

namespace qv::exchange {

// "Export 06/12/2026 14:05": the word, the date and the hours and minutes.
std::string transferStampText(std::string_view word, Date date, TimeOfDay time);

// Writes the stamp for now into the settings record's TransferDetails and
// its first 50 characters into the globals' TransferStatus.
data::Status stampTransfer(data::Store& store, session::Globals& g, std::string_view word);

}  // namespace qv::exchange
