// quillavon: the desktop program.
//
//   quillavon [-C START_FOLDER]
//   quillavon --grab PROCEDURE FILE.png [-C START_FOLDER] [--user ID] [--trip ID]
//
// The start folder is the working directory unless -C names another. With
// --grab the program opens one window on that workstation (logged in as ID,
// password from QUILLAVON_PASSWORD), saves a picture of it and ends.

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTimer>

#include <cstdlib>
#include <iostream>

#include "core/data/TripRecords.h"
#include "core/data/Typed.h"
#include "core/session/Gate.h"
#include "core/session/Login.h"
#include "core/session/Startup.h"
#include "ui/framework/MessageService.h"
#include "ui/framework/ProgramIcon.h"
#include "ui/framework/WindowRegistry.h"
#include "ui/main/LoginWindow.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MemberGrades.h"
#include "ui/main/WindowAccess.h"
#include "ui/main/Windows.h"
#include "ui/trips/TripContext.h"

namespace {

struct Options {
    std::string startFolder = ".";
    QString grabProcedure;
    QString grabFile;
    std::string user;
    int32_t trip = 0;  // --trip: the trip the trip windows open on
};

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        if (a == "-C" && i + 1 < argc) {
            o.startFolder = argv[++i];
        } else if (a == "--grab" && i + 2 < argc) {
            o.grabProcedure = argv[++i];
            o.grabFile = argv[++i];
        } else if (a == "--user" && i + 1 < argc) {
            o.user = argv[++i];
        } else if (a == "--trip" && i + 1 < argc) {
            o.trip = std::atoi(argv[++i]);
            if (o.trip < 1) return false;
        } else {
            return false;
        }
    }
    return true;
}

// In grab mode messages go to standard error and take their default answers.
class PrintedMessages : public qv::ui::MessageBackend {
public:
    qv::ui::Answer show(QWidget*, const qv::Message& m, qv::ui::Buttons, qv::ui::Answer def) override {
        std::cerr << m.title << ": " << qv::displayText(m.text) << '\n';
        return def;
    }
};

// Some desktops redraw whole windows while they are dragged, and the login
// used to switch that off for its own duration. Linux window managers keep
// that choice to themselves and offer programs no switch, so this layer does
// nothing; it stays so that the login keeps its place in the start-up order.
class FullWindowDrag {
public:
    FullWindowDrag() : switchedOff_(false) {}  // would switch it off, remembering it was on
    ~FullWindowDrag() { (void)switchedOff_; }   // would switch it back on if it did

private:
    bool switchedOff_;
};

// Opens one window through the same gate as the menu: the login of --user
// and the level the window needs.
int grab(qv::ui::AppContext& ctx, const Options& o) {
    using namespace qv;
    if (!ui::hasWindow(o.grabProcedure)) {
        std::cerr << "quillavon: no window named " << o.grabProcedure.toStdString() << '\n';
        return 2;
    }
    const session::Access need = ui::windowAccess(o.grabProcedure);
    if (need != session::Access::Open || !o.user.empty()) {
        if (o.user.empty()) {
            std::cerr << "quillavon: " << o.grabProcedure.toStdString() << " needs --user ID\n";
            return 2;
        }
        const char* pw = std::getenv("QUILLAVON_PASSWORD");
        if (auto refusal = session::enter(ctx.store, need, o.user, pw ? pw : "", ctx.globals)) {
            std::cerr << refusal->title << ": " << displayText(refusal->text) << '\n';
            return 1;
        }
        ctx.globals.LoggedIn = o.grabProcedure != "winLoginAbout";
    }
    if (o.trip) {
        data::Trips t;
        t.TripId = o.trip;
        data::FileUse use(ctx.store, "Trips");
        if (!data::fetchRecord(ctx.store, t, "byTripId")) {
            std::cerr << "quillavon: no trip " << o.trip << '\n';
            return 2;
        }
        trips::openTripForScoring(ctx, t);
    }
    QWidget* w = ui::createWindow(o.grabProcedure, ctx, nullptr);
    w->show();
    w->resize(w->size().expandedTo(w->sizeHint()));
    for (int i = 0; i < 5; ++i) QApplication::processEvents();
    if (!w->grab().save(o.grabFile)) {
        std::cerr << "quillavon: could not write " << o.grabFile.toStdString() << '\n';
        return 1;
    }
    delete w;
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace qv;
    Options o;
    if (!parse(argc, argv, o)) {
        std::cerr << "usage: quillavon [-C START_FOLDER]\n"
                     "       quillavon --grab PROCEDURE FILE.png [-C START_FOLDER] [--user ID] [--trip ID]\n";
        return 2;
    }
    QApplication application(argc, argv);
    ui::applyProgramIcon(application);
    QApplication::setApplicationName("Quillavon");
    QApplication::setApplicationVersion(QUILLAVON_VERSION);
    ui::registerAllWindows();

    PrintedMessages printed;
    std::unique_ptr<ui::MessageBackendScope> quiet;
    if (!o.grabProcedure.isEmpty()) quiet = std::make_unique<ui::MessageBackendScope>(&printed);

    session::Globals& g = session::globals();
    session::StartupResult start = session::runStartup(o.startFolder, g);
    for (const Message& m : start.messages) ui::inform(nullptr, m);
    if (!start.goOn) return 1;
    ui::AppContext ctx{*start.store, g, QDir(QString::fromStdString(o.startFolder)).absolutePath().toStdString(),
                       start.settings};
    scoring::ScoringContext scoringContext(*start.store, start.settings, g);
    ctx.scoring = &scoringContext;

    if (!o.grabProcedure.isEmpty()) return grab(ctx, o);

    // Login; a second opening of this window is the About box.
    FullWindowDrag drag;
    {
        ui::LoginWindow login(g, QString::fromStdString(start.programVersion), ctx.iniPath());
        if (login.exec() != QDialog::Accepted) return 0;
    }
    session::LoginResult r = session::checkLogin(ctx.store, g);
    if (!r.accepted) {
        ui::inform(nullptr, *r.refusal);
        return 1;
    }
    // A scorer gets the member grades of the current season before the frame opens.
    if (r.refreshGrades) ui::refreshMemberGrades(ctx, nullptr);
    ui::MainWindow frame(ctx);
    frame.show();
    return application.exec();
}
