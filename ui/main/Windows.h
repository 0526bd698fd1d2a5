#pragma once

namespace qv::ui {

// Registers every window of the program by its procedure name.
void registerAllWindows();

}  // namespace qv::ui
