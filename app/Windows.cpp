#include "app/Windows.h"

#include "app/HelpWindow.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/UserWindows.h"

namespace qv::app {

void registerAllWindows() {
    registerLoginWindows();
    registerMainWindow();
    registerUserWindows();
    registerHelpWindow();
}

}  // namespace qv::app
