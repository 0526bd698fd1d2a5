// list, add, change and delete: any record file through the file layer.

#include <algorithm>
#include <memory>
#include <set>

#include "cli/Cli.h"
#include "cli/ListFormat.h"
#include "cli/Session.h"
#include "core/data/Store.h"
#include "core/data/Typed.h"

namespace qv::cli {

using namespace qv::data;
using session::Access;

namespace {

using Pairs = std::vector<std::pair<std::string, std::string>>;

// The user and access lists and the version records are kept by the
// user-list levels; so is the listing of the settings, which hold the FTP
// details. Everything else is maintenance.
Access accessFor(const std::vector<std::string>& args, bool listing) {
    static const std::set<std::string> admins = {"Users", "AccessLevels", "ClientVersion",
                                                 "DataVersion"};
    const FileDef* f = args.empty() ? nullptr : Catalog::instance().file(args[0]);
    if (!f) return Access::Staff;
    if (admins.count(f->table) || (listing && f->table == "System")) return Access::Admins;
    return Access::Staff;
}

const FileDef* needFile(Context& ctx) {
    if (ctx.args.empty()) return nullptr;
    const FileDef* f = Catalog::instance().file(ctx.args[0]);
    if (!f) ctx.err << "quillavon-cli: no file named " << ctx.args[0] << '\n';
    return f;
}

// Name=value arguments from `first` on; false after printing what is wrong.
bool argumentPairs(Context& ctx, size_t first, Pairs& out) {
    for (size_t i = first; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        const auto eq = a.find('=');
        std::string value, error;
        if (eq == std::string::npos || eq == 0) {
            ctx.err << "quillavon-cli: expected Name=value, got " << quoteValue(a) << '\n';
            return false;
        }
        if (!readValue(std::string_view(a).substr(eq + 1), value, error)) {
            ctx.err << "quillavon-cli: " << a.substr(0, eq) << ": " << error << '\n';
            return false;
        }
        out.emplace_back(a.substr(0, eq), std::move(value));
    }
    return true;
}

// Puts the pairs into `rec`, checked as strictly as the windows check what
// is typed. `named` collects the fields given. False after printing why.
bool assignPairs(Context& ctx, Record& rec, const Pairs& pairs, std::vector<int>* named = nullptr) {
    const FileDef& f = rec.def();
    for (const auto& [name, value] : pairs) {
        const int fi = f.fieldIndex(name);
        if (fi < 0) {
            ctx.err << "quillavon-cli: " << f.label << " has no field " << quoteValue(name) << '\n';
            return false;
        }
        if (f.isPassword(fi) && !value.empty()) {
            ctx.err << "quillavon-cli: " << name
                    << " is never taken from a command line; "
                    << (f.fields[fi].secret ? "use useradd or passwd, which read it from the "
                                              "environment or standard input"
                                            : "set it in the configuration window")
                    << '\n';
            return false;
        }
        std::string error;
        if (!rec.assign(fi, value, &error)) {
            ctx.err << "quillavon-cli: " << error << '\n';
            return false;
        }
        if (fi == f.autoNumberField() && rec.number(fi) < 1) {
            ctx.err << "quillavon-cli: " << name << " must be 1 or more\n";
            return false;
        }
        if (named) named->push_back(fi);
    }
    return true;
}

// Finds the record that the primary key fields among the pairs name
// (record number 2 for a file holding one record).
Status findNamed(Context& ctx, Record& rec, const Pairs& pairs, bool& usageError) {
    Store& store = ctx.store();
    const FileDef& f = rec.def();
    usageError = false;
    if (f.singleRecord) return store.fetchByRecno(rec, 2);
    const KeyDef* pk = f.primaryKey();
    Record probe = store.newRecord(f.label);
    std::vector<int> named;
    if (!pk || !assignPairs(ctx, probe, pairs, &named)) {
        usageError = true;
        return Status::notFound();
    }
    for (const KeyComponent& c : pk->components) {
        if (std::find(named.begin(), named.end(), c.field) == named.end()) {
            ctx.err << "quillavon-cli: name the record by " << f.fields[c.field].name << '\n';
            usageError = true;
            return Status::notFound();
        }
        rec[c.field] = probe[c.field];
    }
    return store.fetch(rec, pk->name);
}

// Opens the file named first in the arguments and runs `body` on it.
int withFile(Context& ctx, const std::function<int(Store&, const FileDef&)>& body) {
    const FileDef* f = needFile(ctx);
    if (!f) return kUsage;
    FileUse use(ctx.store(), f->label);
    if (!use) return report(ctx, use.status());
    return body(ctx.store(), *f);
}

int listCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        std::vector<FieldValue> from;
        bool reverse = false, inFrom = false;
        const KeyDef* k = f.primaryKey();
        for (size_t i = 1; i < ctx.args.size(); ++i) {
            const std::string& a = ctx.args[i];
            if (a == "--key" && i + 1 < ctx.args.size()) {
                k = f.key(ctx.args[++i]);
                if (!k) return usageError(ctx, f.label + " has no key " + quoteValue(ctx.args[i]));
                inFrom = false;
            } else if (a == "--reverse") {
                reverse = true;
                inFrom = false;
            } else if (a == "--from") {
                inFrom = true;
            } else if (inFrom) {
                from.push_back({0, a});
            } else {
                return usageError(ctx, "unexpected " + quoteValue(a));
            }
        }
        // Start values are typed as text; numbers and dates are read by kind.
        Record scratch = store.newRecord(f.label);
        for (size_t i = 0; i < from.size() && k && i < k->components.size(); ++i) {
            const int fi = k->components[i].field;
            std::string error;
            if (!scratch.assign(fi, from[i].text, &error)) return usageError(ctx, error);
            from[i] = scratch[fi];
        }
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk(f.label, k ? k->name : "", from, reverse, cursor); !s)
            return report(ctx, s);
        Record rec = store.newRecord(f.label);
        Status s = Status::ok();
        while ((s = cursor->next(rec)).isOk()) ctx.out << formatRecord(rec) << '\n';
        return s.isFailed() ? report(ctx, s) : int(kOk);
    });
}

// Adds one record from checked pairs; the number is drawn only once the
// values are known to be good.
int addOne(Context& ctx, const FileDef& f, const Pairs& pairs) {
    Store& store = ctx.store();
    Record given = store.newRecord(f.label);
    std::vector<int> named;
    if (!assignPairs(ctx, given, pairs, &named)) return kUsage;
    Record rec = store.newRecord(f.label);
    if (Status s = store.primeForInsert(rec); !s) return report(ctx, s);
    for (int fi : named) rec[fi] = given[fi];
    if (Status s = store.insert(rec); !s) return report(ctx, s);
    ctx.out << formatRecord(rec) << '\n';
    return kOk;
}

int addCommand(Context& ctx) {
    return withFile(ctx, [&](Store&, const FileDef& f) {
        if (f.table == "Users")
            return usageError(ctx, "users are added with useradd, which reads the password "
                                   "from the environment or standard input");
        if (ctx.args.size() == 2 && ctx.args[1] == "-") {
            // Records from standard input, one line each as list prints them.
            std::string line, error;
            int rc = kOk;
            for (int n = 1; rc == kOk && std::getline(std::cin, line); ++n) {
                Pairs pairs;
                if (line.empty()) continue;
                if (!splitLine(line, pairs, error))
                    return usageError(ctx, "line " + std::to_string(n) + ": " + error);
                rc = addOne(ctx, f, pairs);
            }
            return rc;
        }
        Pairs pairs;
        if (!argumentPairs(ctx, 1, pairs)) return int(kUsage);
        return addOne(ctx, f, pairs);
    });
}

int changeCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        Pairs pairs;
        if (!argumentPairs(ctx, 1, pairs)) return int(kUsage);
        Record rec = store.newRecord(f.label);
        bool usageError = false;
        Status s = findNamed(ctx, rec, pairs, usageError);
        if (usageError) return int(kUsage);
        if (!s) return report(ctx, s);
        if (!assignPairs(ctx, rec, pairs)) return int(kUsage);
        if (Status u = store.update(rec); !u) return report(ctx, u);
        ctx.out << formatRecord(rec) << '\n';
        return int(kOk);
    });
}

int deleteCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        Pairs pairs;
        if (!argumentPairs(ctx, 1, pairs)) return int(kUsage);
        Record rec = store.newRecord(f.label);
        bool usageError = false;
        Status s = findNamed(ctx, rec, pairs, usageError);
        if (usageError) return int(kUsage);
        if (!s) return report(ctx, s);
        if (Status d = store.remove(rec); !d) return report(ctx, d);
        ctx.out << formatRecord(rec) << '\n';
        return int(kOk);
    });
}

}  // namespace

void registerRecordCommands() {
    auto changing = [](const std::vector<std::string>& args) { return accessFor(args, false); };
    commands()["list"] = {listCommand, "list FILE [--key KEY] [--from VALUE ...] [--reverse] --user ID",
                          [](const std::vector<std::string>& args) { return accessFor(args, true); }};
    commands()["add"] = {addCommand, "add FILE Name=value ... | add FILE - --user ID", changing};
    commands()["change"] = {changeCommand, "change FILE Key=value Name=value ... --user ID", changing};
    commands()["delete"] = {deleteCommand, "delete FILE Key=value --user ID", changing};
}

}  // namespace qv::cli
