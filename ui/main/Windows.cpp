#include "ui/main/Windows.h"

#include "ui/exchange/ImportExportWindow.h"
#include "ui/main/HelpWindow.h"
#include "ui/main/LoginWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/UserWindows.h"
#include "ui/maintenance/ReferenceLists.h"
#include "ui/maintenance/SystemConfiguration.h"
#include "ui/members/MemberWindows.h"
#include "ui/reports/EmailReportsWindow.h"
#include "ui/reports/ReportsWindow.h"
#include "ui/trips/TripWindows.h"

namespace qv::ui {

void registerAllWindows() {
    registerLoginWindows();
    registerMainWindow();
    registerUserWindows();
    registerHelpWindow();
    maintenance::registerReferenceWindows();
    maintenance::registerSystemConfiguration();
    members::registerMemberWindows();
    trips::registerTripWindows();
    registerReportWindows();
    registerEmailReportsWindow();
    registerExchangeWindows();
}

}  // namespace qv::ui
