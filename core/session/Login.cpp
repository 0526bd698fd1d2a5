#include "core/session/Login.h"

#include "core/data/ClubRecords.h"
#include "core/data/FixedText.h"
#include "core/data/Typed.h"
#include "core/session/BuiltInAccount.h"

namespace qv::session {

using namespace qv::data;

namespace {

LoginResult refused(const char* text) {
    LoginResult r;
    r.refusal = programMessage(text);
    return r;
}

}  // namespace

LoginResult checkLogin(Store& store, Globals& g) {
    FileUse users(store, "Users");
    if (!users) {
        LoginResult r;
        r.refusal = users.status().message();
        return r;
    }

    const BuiltInAccount* dev = builtInAccount();
    if (dev && clip(g.UserId.str()) == dev->userId && clip(g.UserPassword.str()) == dev->password) {
        g.UserName = kBuiltInUserName;
        g.SecurityLevel = "Developer";
    } else {
        // Ids that sort before "0" are never reached.
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk("Users", "byUserId", {FieldValue{0, "0"}}, false, cursor); !s) {
            LoginResult r;
            r.refusal = s.message();
            return r;
        }
        Record rec = store.newRecord("Users");
        const int userId = rec.field("UserId");
        Status s = Status::ok();
        while ((s = cursor->next(rec)).isOk()) {
            if (!sameText(rec.text(userId), g.UserId.str(), true)) continue;
            bool matches = false;
            if (Status c = store.checkPassword(rec, g.UserPassword.str(), matches); c.isFailed()) {
                LoginResult r;
                r.refusal = c.message();
                return r;
            }
            if (!matches) return refused(kWrongPassword);
            g.SecurityLevel = rec.text(rec.field("SecurityLevel"));
            g.UserName = rec.text(rec.field("Name"));
        }
        if (s.isFailed()) {
            LoginResult r;
            r.refusal = s.message();
            return r;
        }
    }
    if (g.SecurityLevel.empty()) return refused(kUnauthorised);
    LoginResult r;
    r.accepted = true;
    r.refreshGrades = g.SecurityLevel == "Scorer";
    return r;
}

Status changePassword(Store& store, Globals& g) {
    if (g.NewPassword.empty())
        return Status::failed(programMessage("The new password must not be blank."));
    FileUse users(store, "Users");
    if (!users) return users.status();
    std::unique_ptr<Cursor> cursor;
    if (Status s = store.walk("Users", "byUserId", {}, false, cursor); !s) return s;
    std::vector<Record> mine;
    Record rec = store.newRecord("Users");
    const int userId = rec.field("UserId");
    Status s = Status::ok();
    while ((s = cursor->next(rec)).isOk())
        if (sameText(rec.text(userId), g.UserId.str(), true)) mine.push_back(rec);
    if (s.isFailed()) return s;
    cursor.reset();
    for (Record& r : mine) {
        // Read again just before the write so that another station's change is seen.
        if (Status f = store.fetchByRecno(r, r.stamp.recno); f.isFailed()) return f;
        r.setText(r.field("UserPassword"), g.NewPassword.str());
        if (Status u = store.update(r); !u) return u;
    }
    g.UserPassword = g.NewPassword.str();
    g.NewPassword = "";
    return Status::ok();
}

}  // namespace qv::session
