#include "app/Windows.h"

#include "app/HelpWindow.h"
#include "app/LoginWindow.h"
#include "app/MainWindow.h"
#include "app/UserWindows.h"
#include "maintenance/ReferenceLists.h"
#include "maintenance/SystemConfiguration.h"

namespace qv::app {

void registerAllWindows() {
    registerLoginWindows();
    registerMainWindow();
    registerUserWindows();
    registerHelpWindow();
    maintenance::registerReferenceWindows();
    maintenance::registerSystemConfiguration();
}

}  // namespace qv::app
