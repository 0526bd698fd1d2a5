#include "core/session/Login.h"

#include <algorithm>
#include <chrono>

#include "core/data/ClubRecords.h"
#include "core/data/LoginFailures.h"
#include "core/data/Passwords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/session/BuiltInAccount.h"

namespace qv::session {

using namespace qv::data;

namespace {

LoginResult refused(std::string text) {
    LoginResult r;
    r.refusal = programMessage(std::move(text));
    return r;
}

LoginResult failed(const Status& s) {
    LoginResult r;
    r.refusal = s.message();
    return r;
}

// Counts a wrong password (or an unknown id) and gives `answer`.
LoginResult wrong(Store& store, const std::string& userId, int64_t now, const char* answer) {
    if (Status s = noteLoginFailure(store, userId, now); !s) return failed(s);
    return refused(answer);
}

}  // namespace

int64_t loginWait(int failures) {
    if (failures < kFreeWrongPasswords) return 0;
    const int doublings = failures - kFreeWrongPasswords + 1;
    return doublings >= 6 ? 60 : std::min<int64_t>(60, int64_t{1} << doublings);
}

int64_t nowSeconds() {
    return std::chrono::duration_cast<std::chrono::seconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

LoginResult checkLogin(Store& store, Globals& g, int64_t now) {
    FileUse users(store, "Users");
    if (!users) return failed(users.status());

    const BuiltInAccount* dev = builtInAccount();
    if (dev && clip(g.UserId.str()) == dev->userId && clip(g.UserPassword.str()) == dev->password) {
        g.UserName = kBuiltInUserName;
        g.SecurityLevel = "Developer";
    } else {
        const std::string typedId(clip(g.UserId.str()));
        LoginFailures past;
        if (Status s = readLoginFailures(store, typedId, past); !s) return failed(s);
        // A failure dated ahead by a station whose clock runs fast counts from now,
        // so that it cannot lock the id for longer than its wait.
        if (past.lastFailure > now) {
            if (Status s = dateLoginFailures(store, typedId, now); !s) return failed(s);
            past.lastFailure = now;
        }
        if (const int64_t wait = past.lastFailure + loginWait(past.count) - now; wait > 0)
            return refused("Too many wrong passwords for this user id. Try again in " +
                           std::to_string(wait) + (wait == 1 ? " second." : " seconds."));

        // Ids that sort before "0" are never reached.
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk("Users", "byUserId", {FieldValue{0, "0"}}, false, cursor); !s)
            return failed(s);
        Record rec = store.newRecord("Users");
        const int userId = rec.field("UserId");
        bool known = false;
        Status s = Status::ok();
        while ((s = cursor->next(rec)).isOk()) {
            if (!sameText(rec.text(userId), g.UserId.str(), true)) continue;
            known = true;
            bool matches = false;
            if (Status c = store.checkPassword(rec, g.UserPassword.str(), matches); c.isFailed())
                return failed(c);
            if (!matches) {
                cursor.reset();
                return wrong(store, typedId, now, kWrongPassword);
            }
            g.SecurityLevel = rec.text(rec.field("SecurityLevel"));
            g.UserName = rec.text(rec.field("Name"));
        }
        if (s.isFailed()) return failed(s);
        cursor.reset();
        if (!known) {
            spendPasswordCheck(g.UserPassword.str());
            return wrong(store, typedId, now, kUnauthorised);
        }
        if (past.count > 0)
            if (Status c = clearLoginFailures(store, typedId); !c) return failed(c);
    }
    if (g.SecurityLevel.empty()) return refused(kUnauthorised);
    LoginResult r;
    r.accepted = true;
    r.refreshGrades = g.SecurityLevel == "Scorer";
    return r;
}

Status changePassword(Store& store, Globals& g) {
    int changed = 0;
    if (Status s = setUserPassword(store, g.UserId.str(), g.NewPassword.str(), changed); !s)
        return s;
    g.UserPassword = g.NewPassword.str();
    g.NewPassword = "";
    return Status::ok();
}

Status setUserPassword(Store& store, std::string_view userId, std::string_view fresh,
                       int& changed) {
    changed = 0;
    if (clip(fresh).empty())
        return Status::failed(programMessage("The new password must not be blank."));
    FileUse users(store, "Users");
    if (!users) return users.status();
    std::unique_ptr<Cursor> cursor;
    if (Status s = store.walk("Users", "byUserId", {}, false, cursor); !s) return s;
    std::vector<Record> mine;
    Record rec = store.newRecord("Users");
    const int idField = rec.field("UserId");
    Status s = Status::ok();
    while ((s = cursor->next(rec)).isOk())
        if (sameText(rec.text(idField), userId, true)) mine.push_back(rec);
    if (s.isFailed()) return s;
    cursor.reset();
    for (Record& r : mine) {
        // Read again just before the write so that another station's change is seen.
        if (Status f = store.fetchByRecno(r, r.stamp.recno); f.isFailed()) return f;
        r.setText(r.field("UserPassword"), fresh);
        if (Status u = store.update(r); !u) return u;
        ++changed;
    }
    return Status::ok();
}

}  // namespace qv::session
