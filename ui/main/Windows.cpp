#include "ui/main/Windows.h"

#include "ui/main/HelpWindow.h"
#include "ui/main/LoginWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/UserWindows.h"
#include "ui/maintenance/ReferenceLists.h"
#include "ui/maintenance/SystemConfiguration.h"

namespace qv::ui {

void registerAllWindows() {
    registerLoginWindows();
    registerMainWindow();
    registerUserWindows();
    registerHelpWindow();
    maintenance::registerReferenceWindows();
    maintenance::registerSystemConfiguration();
}

}  // namespace qv::ui
