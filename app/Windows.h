#pragma once

namespace qv::app {

// Registers every window of the program by its procedure name.
void registerAllWindows();

}  // namespace qv::app
