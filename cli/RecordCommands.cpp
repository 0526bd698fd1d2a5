// list, add, change and delete: any record file through the file layer.

#include <memory>

#include "cli/Cli.h"
#include "core/data/Store.h"
#include "core/data/Typed.h"
#include "core/data/Workstation.h"

namespace qv::cli {

using namespace qv::data;

std::string formatRecord(const Record& rec) {
    std::string line;
    for (size_t i = 0; i < rec.size(); ++i) {
        std::string v = rec.display(static_cast<int>(i));
        bool quote = v.empty() || v.find_first_of(" \"\\") != std::string::npos;
        if (quote) {
            std::string q = "\"";
            for (char c : v) {
                if (c == '"' || c == '\\') q += '\\';
                q += c;
            }
            v = q + "\"";
        }
        if (i) line += ' ';
        line += rec.def().fields[i].name + "=" + v;
    }
    return line;
}

namespace {

const FileDef* needFile(Context& ctx, const std::string& label) {
    const FileDef* f = Catalog::instance().file(label);
    if (!f) ctx.err << "quillavon-cli: no file named " << label << '\n';
    return f;
}

// Name=value pairs into `rec`; false after printing what is wrong.
bool assignPairs(Context& ctx, Record& rec, size_t first, std::vector<int>* named = nullptr) {
    for (size_t i = first; i < ctx.args.size(); ++i) {
        const std::string& a = ctx.args[i];
        auto eq = a.find('=');
        if (eq == std::string::npos) {
            ctx.err << "quillavon-cli: expected Name=value, got " << a << '\n';
            return false;
        }
        int f = rec.def().fieldIndex(a.substr(0, eq));
        if (f < 0) {
            ctx.err << "quillavon-cli: " << rec.def().label << " has no field " << a.substr(0, eq)
                    << '\n';
            return false;
        }
        std::string error;
        if (!rec.assign(f, a.substr(eq + 1), &error)) {
            ctx.err << "quillavon-cli: " << error << '\n';
            return false;
        }
        if (named) named->push_back(f);
    }
    return true;
}

// Finds the record that the primary key fields among the arguments name
// (record number 2 for a file holding one record).
Status findNamed(Context& ctx, Store& store, Record& rec, bool& usageError) {
    const FileDef& f = rec.def();
    usageError = false;
    if (f.singleRecord) return store.fetchByRecno(rec, 2);
    const KeyDef* pk = f.primaryKey();
    Record probe = store.newRecord(f.label);
    std::vector<int> named;
    if (!pk || !assignPairs(ctx, probe, 1, &named)) {
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

int withFile(Context& ctx, const std::function<int(Store&, const FileDef&)>& body) {
    if (ctx.args.empty()) return kUsage;
    const FileDef* f = needFile(ctx, ctx.args[0]);
    if (!f) return kUsage;
    std::unique_ptr<Store> store;
    if (Status s = openWorkstation(ctx.startFolder, store); !s) return report(ctx, s);
    FileUse use(*store, f->label);
    if (!use) return report(ctx, use.status());
    return body(*store, *f);
}

int listCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        std::string key;
        std::vector<FieldValue> from;
        bool reverse = false, inFrom = false;
        const KeyDef* k = f.primaryKey();
        for (size_t i = 1; i < ctx.args.size(); ++i) {
            const std::string& a = ctx.args[i];
            if (a == "--key" && i + 1 < ctx.args.size()) {
                k = f.key(ctx.args[++i]);
                if (!k) {
                    ctx.err << "quillavon-cli: " << f.label << " has no key " << ctx.args[i] << '\n';
                    return int(kUsage);
                }
                inFrom = false;
            } else if (a == "--reverse") {
                reverse = true;
                inFrom = false;
            } else if (a == "--from") {
                inFrom = true;
            } else if (inFrom) {
                from.push_back({0, a});
            } else {
                ctx.err << "quillavon-cli: unexpected " << a << '\n';
                return int(kUsage);
            }
        }
        if (k) key = k->name;
        // Start values are typed as text; numbers and dates are read by kind.
        Record scratch = store.newRecord(f.label);
        for (size_t i = 0; i < from.size() && k && i < k->components.size(); ++i) {
            int fi = k->components[i].field;
            std::string error;
            if (!scratch.assign(fi, from[i].text, &error)) {
                ctx.err << "quillavon-cli: " << error << '\n';
                return int(kUsage);
            }
            from[i] = scratch[fi];
        }
        std::unique_ptr<Cursor> cursor;
        if (Status s = store.walk(f.label, key, from, reverse, cursor); !s) return report(ctx, s);
        Record rec = store.newRecord(f.label);
        Status s = Status::ok();
        while ((s = cursor->next(rec)).isOk()) ctx.out << formatRecord(rec) << '\n';
        return s.isFailed() ? report(ctx, s) : int(kOk);
    });
}

int addCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        Record rec = store.newRecord(f.label);
        if (Status s = store.primeForInsert(rec); !s) return report(ctx, s);
        if (!assignPairs(ctx, rec, 1)) return int(kUsage);
        if (Status s = store.insert(rec); !s) return report(ctx, s);
        ctx.out << formatRecord(rec) << '\n';
        return int(kOk);
    });
}

int changeCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        Record rec = store.newRecord(f.label);
        bool usageError = false;
        Status s = findNamed(ctx, store, rec, usageError);
        if (usageError) return int(kUsage);
        if (!s) return report(ctx, s);
        if (!assignPairs(ctx, rec, 1)) return int(kUsage);
        if (Status u = store.update(rec); !u) return report(ctx, u);
        ctx.out << formatRecord(rec) << '\n';
        return int(kOk);
    });
}

int deleteCommand(Context& ctx) {
    return withFile(ctx, [&](Store& store, const FileDef& f) {
        Record rec = store.newRecord(f.label);
        bool usageError = false;
        Status s = findNamed(ctx, store, rec, usageError);
        if (usageError) return int(kUsage);
        if (!s) return report(ctx, s);
        if (Status d = store.remove(rec); !d) return report(ctx, d);
        ctx.out << formatRecord(rec) << '\n';
        return int(kOk);
    });
}

}  // namespace

void registerRecordCommands() {
    commands()["list"] = {listCommand, "list FILE [--key KEY] [--from VALUE ...] [--reverse]"};
    commands()["add"] = {addCommand, "add FILE Name=value ..."};
    commands()["change"] = {changeCommand, "change FILE Key=value Name=value ..."};
    commands()["delete"] = {deleteCommand, "delete FILE Key=value"};
}

}  // namespace qv::cli
