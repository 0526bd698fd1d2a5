#include "core/data/Store.h"

#include <climits>
#include <filesystem>
#include <random>
#include <stdexcept>

#include "core/data/FixedText.h"
#include "core/data/Passwords.h"
#include "core/data/Schema.h"

namespace qv::data {

namespace {

// Prepared SQL texts of one table, made once.
struct FileSql {
    std::string insert;
    std::string remove;
    std::string byRecno;
    std::string maxId;
    std::string freeId;
    std::string secret;
    std::string setSecret;
};

// The insert parameter of a new record's change count: after the fields and
// the password hash.
int revisionParam(const FileDef& f) {
    return static_cast<int>(f.fields.size()) + (f.secretField() >= 0 ? 3 : 2);
}

const FileSql& sqlFor(const FileDef& f) {
    static const std::map<const FileDef*, FileSql> all = [] {
        std::map<const FileDef*, FileSql> m;
        for (const FileDef* d : Catalog::instance().files()) {
            FileSql s;
            std::string t = quoted(d->table);
            std::string cols, params;
            for (size_t i = 0; i < d->fields.size(); ++i) {
                std::string n = std::to_string(i + 2);
                cols += (i ? ", " : "") + quoted(d->fields[i].name);
                params += (i ? ", ?" : "?") + n;
            }
            if (d->secretField() >= 0) {
                // The hash goes beside the record.
                cols += ", _secret";
                params += ", ?" + std::to_string(d->fields.size() + 2);
            }
            std::string rev = "?" + std::to_string(revisionParam(*d));
            if (idIsRecno(*d))
                s.insert = "INSERT INTO " + t + " (" + cols + ", _rev) VALUES (" + params + ", " +
                           rev + ")";
            else
                s.insert = "INSERT INTO " + t + " (rowid, " + cols + ", _rev) VALUES (?1, " +
                           params + ", " + rev + ")";
            s.secret = "SELECT _secret FROM " + t + " WHERE rowid = ?1";
            s.setSecret = "UPDATE " + t + " SET _secret = ?2 WHERE rowid = ?1";
            s.remove = "DELETE FROM " + t + " WHERE rowid = ?1";
            s.byRecno = "SELECT " + selectColumns(*d) + " FROM " + t + " WHERE rowid = ?1";
            if (int id = d->autoNumberField(); id >= 0) {
                const std::string c = quoted(d->fields[id].name);
                s.maxId = "SELECT max(" + c + ") FROM " + t;
                // The lowest free number, once the highest one is taken.
                s.freeId = "SELECT CASE WHEN NOT EXISTS (SELECT 1 FROM " + t + " WHERE " + c +
                           " = 1) THEN 1 ELSE (SELECT min(a." + c + ") + 1 FROM " + t +
                           " a WHERE a." + c + " >= 1 AND a." + c + " < 2147483647 AND NOT EXISTS "
                           "(SELECT 1 FROM " + t + " b WHERE b." + c + " = a." + c + " + 1)) END";
            }
            m.emplace(d, std::move(s));
        }
        return m;
    }();
    return all.at(&f);
}

void bindValue(sql::Statement& s, int param, const FieldDef& f, const FieldValue& v) {
    if (f.kind == FieldKind::Text)
        s.bind(param, v.text);
    else
        s.bind(param, v.num);
}

// Binds the fields from parameter 2 on. A password is bound as its hash
// after the fields (NULL: keep the stored one) and the field itself as blank.
void bindFields(sql::Statement& s, const Record& rec, bool inserting) {
    const FileDef& f = rec.def();
    const int secret = f.secretField();
    for (size_t i = 0; i < f.fields.size(); ++i) {
        if (static_cast<int>(i) == secret) {
            const int param = static_cast<int>(f.fields.size() + 2);
            if (!rec[i].text.empty() || inserting)
                s.bind(param, hashPassword(rec[i].text));
            else
                s.bindNull(param);
            s.bind(static_cast<int>(i + 2), std::string_view(""));
            continue;
        }
        bindValue(s, static_cast<int>(i + 2), f.fields[i], rec[i]);
    }
}

// After a write the buffer no longer holds the password it carried.
void forgetSecret(Record& rec) {
    if (int i = rec.def().secretField(); i >= 0) rec[i].text.clear();
}

// Reads a row selected with selectColumns() into `out`.
void readRow(const sql::Statement& s, Record& out) {
    const FileDef& f = out.def();
    out.stamp.recno = s.integer(0);
    out.stamp.rev = s.integer(1);
    out.primedNumber = 0;
    for (size_t i = 0; i < f.fields.size(); ++i) {
        FieldValue& v = out[i];
        if (f.fields[i].kind == FieldKind::Text) {
            std::string_view t = s.text(static_cast<int>(i + 2));
            v.text.assign(t.data(), t.size());
        } else {
            v.num = s.integer(static_cast<int>(i + 2));
        }
    }
}

// "c1 = ?1 COLLATE X AND c2 = ?2 ..." over the key's components.
std::string keyEquals(const FileDef& f, const KeyDef& k, size_t count, int firstParam) {
    std::string w;
    for (size_t i = 0; i < count; ++i) {
        const KeyComponent& c = k.components[i];
        if (i) w += " AND ";
        w += quoted(f.fields[c.field].name) + " = ?" + std::to_string(firstParam + i) +
             " COLLATE " + collation(f, k, c);
    }
    return w;
}

std::string keyOrder(const FileDef& f, const KeyDef* k, bool reverse) {
    std::string o;
    if (k) {
        for (const KeyComponent& c : k->components) {
            bool desc = c.descending != reverse;
            o += quoted(f.fields[c.field].name) + " COLLATE " + collation(f, *k, c) +
                 (desc ? " DESC" : " ASC") + ", ";
        }
    }
    return o + (reverse ? "rowid DESC" : "rowid ASC");
}

// Records at or after (or, reversed, at or before) the start values, in key order.
std::string keyFrom(const FileDef& f, const KeyDef& k, size_t count, bool reverse) {
    std::string any;
    for (size_t n = 0; n < count; ++n) {
        std::string clause;
        for (size_t i = 0; i <= n; ++i) {
            const KeyComponent& c = k.components[i];
            std::string col = quoted(f.fields[c.field].name);
            std::string p = "?" + std::to_string(i + 1) + " COLLATE " + collation(f, k, c);
            const char* op = "=";
            if (i == n) {
                bool after = c.descending == reverse;  // moving to higher values
                if (n + 1 == count)
                    op = after ? ">=" : "<=";
                else
                    op = after ? ">" : "<";
            }
            clause += (i ? " AND " : "") + col + " " + op + " " + p;
        }
        any += (n ? " OR (" : "(") + clause + ")";
    }
    // The leading component bounds the walk so that its index is used.
    const KeyComponent& c0 = k.components[0];
    bool after0 = c0.descending == reverse;
    std::string lead = quoted(f.fields[c0.field].name) + (after0 ? " >= " : " <= ") + "?1 COLLATE " +
                       collation(f, k, c0);
    return lead + " AND (" + any + ")";
}

// The change count a new record starts from. It is drawn at random so that a
// record added under the number of a deleted one never passes for the record
// another station read before.
int64_t firstRevision() {
    static thread_local std::mt19937_64 gen{(uint64_t{std::random_device{}()} << 32) ^
                                            std::random_device{}()};
    return static_cast<int64_t>(gen() >> 2);
}

// Texts set straight into the values are cut to their widths here.
void fitTexts(Record& rec) {
    const FileDef& f = rec.def();
    for (size_t i = 0; i < f.fields.size(); ++i)
        if (f.fields[i].kind == FieldKind::Text &&
            (rec[i].text.size() > static_cast<size_t>(f.fields[i].width) ||
             (!rec[i].text.empty() && rec[i].text.back() == ' ')))
            rec.setText(static_cast<int>(i), rec[i].text);
}

}  // namespace

// ---------------------------------------------------------------- Cursor

Cursor::Cursor(const FileDef& f, sql::Statement stmt, std::weak_ptr<sql::StatementPool> pool, std::string sql)
    : def_(&f), stmt_(std::move(stmt)), pool_(std::move(pool)), sql_(std::move(sql)) {}
Cursor::Cursor(Cursor&&) noexcept = default;
Cursor& Cursor::operator=(Cursor&&) noexcept = default;
Cursor::~Cursor() {
    if (auto pool = pool_.lock()) pool->giveBack(sql_, std::move(stmt_));
}

Status Cursor::next(Record& out) {
    if (done_) return Status::notFound();
    int rc = stmt_.step();
    if (rc == SQLITE_ROW) {
        readRow(stmt_, out);
        return Status::ok();
    }
    done_ = true;
    if (rc == SQLITE_DONE) return Status::notFound();
    MessageContext ctx;
    ctx.file = def_->label;
    ctx.errorText = sql::Error{rc, sqlite3_errmsg(sqlite3_db_handle(stmt_.handle()))}.describe();
    return Status::failed(standardMessage(1, ctx));
}

// ---------------------------------------------------------------- Store

Store::Store(StorePaths paths) : paths_(std::move(paths)) {}
Store::~Store() = default;

void Store::setClubPath(std::string path) {
    if (path != paths_.clubDb) club_.close();
    paths_.clubDb = std::move(path);
}

const FileDef& Store::def(std::string_view label) const {
    const FileDef* f = Catalog::instance().file(label);
    if (!f) throw std::invalid_argument("unknown file " + std::string(label));
    return *f;
}

Status Store::connect(Location where) {
    sql::Database& db = where == Location::Club ? club_ : workstation_;
    if (db.isOpen()) return Status::ok();
    const std::string& path = where == Location::Club ? paths_.clubDb : paths_.workstationDb;
    sql::Error err;
    std::error_code ec;
    if (path.empty())
        err = {0, "no database named"};
    else if (!paths_.create && !std::filesystem::exists(path, ec))
        err = {0, path + " is missing"};
    else if (db.open(path, &err, paths_.create)) {
        try {
            if (paths_.create && db.userVersion() == 0)
                createSchema(db, where);
            else
                checkSchema(db, where);
            return Status::ok();
        } catch (const sql::SqlError& e) {
            err = e.error();
            db.close();
        }
    }
    MessageContext ctx;
    ctx.file = path;
    ctx.errorText = err.describe();
    return Status::failed(standardMessage(26, ctx));
}

sql::Database& Store::database(const FileDef& f) {
    return f.location == Location::Club ? club_ : workstation_;
}

Status Store::open(std::string_view label) {
    const FileDef& f = def(label);
    if (useCount(f.label) == 0) {
        Status s = connect(f.location);
        if (!s) {
            Message m = s.message();
            m.file = f.label;
            MessageContext ctx;
            ctx.file = f.label;
            ctx.errorText = m.errorText;
            return Status::failed(standardMessage(26, ctx));
        }
    }
    ++useCounts_[f.label];
    for (const FileDef* r : Catalog::instance().related(f)) {
        if (r->location != f.location) continue;
        ++useCounts_[r->label];
    }
    return Status::ok();
}

void Store::close(std::string_view label) {
    const FileDef& f = def(label);
    auto drop = [&](const std::string& l) {
        auto it = useCounts_.find(l);
        if (it != useCounts_.end() && --it->second <= 0) useCounts_.erase(it);
    };
    if (useCount(f.label) == 0) return;
    drop(f.label);
    for (const FileDef* r : Catalog::instance().related(f))
        if (r->location == f.location) drop(r->label);
}

int Store::useCount(std::string_view label) const {
    auto it = useCounts_.find(label);
    return it == useCounts_.end() ? 0 : it->second;
}

Status Store::ensureOpen(const FileDef& f) const {
    if (useCount(f.label) > 0) return Status::ok();
    MessageContext ctx;
    ctx.file = f.label;
    return Status::failed(standardMessage(42, ctx));
}

Record Store::newRecord(std::string_view label) const { return Record(def(label)); }

Message Store::storageFailure(int number, const FileDef& f, const sql::Error& e) const {
    MessageContext ctx;
    ctx.file = f.label;
    ctx.errorText = e.describe();
    ctx.errorCode = std::to_string(e.code);
    return standardMessage(number, ctx);
}

Status Store::nextNumber(const FileDef& f, int64_t& out) {
    const KeyDef* k = f.autoNumberKey();
    sql::Statement& s = database(f).prepare(sqlFor(f).maxId);
    int rc = s.step();
    int64_t max = (rc == SQLITE_ROW && !s.isNull(0)) ? s.integer(0) : 0;
    s.reset();
    sql::Error err;
    if (rc != SQLITE_ROW) {
        err = database(f).lastError();
    } else if (max < INT32_MAX) {
        out = max + 1;
        return Status::ok();
    } else {
        // Someone numbered a record at the very top: use the lowest gap.
        sql::Statement& g = database(f).prepare(sqlFor(f).freeId);
        rc = g.step();
        const int64_t free = (rc == SQLITE_ROW && !g.isNull(0)) ? g.integer(0) : 0;
        g.reset();
        if (free >= 1 && free <= INT32_MAX) {
            out = free;
            return Status::ok();
        }
        err = {0, "no number left"};
    }
    MessageContext ctx;
    ctx.file = f.label;
    ctx.key = f.prefix + ":" + k->name;
    ctx.errorText = err.describe();
    return Status::failed(standardMessage(35, ctx));
}

Status Store::primeForInsert(Record& rec) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    rec.clear();
    for (const FieldDefault& d : f.defaults) rec.assign(d.field, d.value);
    if (int id = f.autoNumberField(); id >= 0) {
        int64_t n = 0;
        try {
            if (Status s = nextNumber(f, n); !s) return s;
        } catch (const sql::SqlError& e) {
            return Status::failed(storageFailure(4, f, e.error()));
        }
        rec.setNumber(id, n);
        rec.primedNumber = n;
    }
    return Status::ok();
}

Status Store::checkRecord(const Record& rec, int failNumber) const {
    const FileDef& f = rec.def();
    for (const RangeRule& r : f.ranges) {
        const FieldValue& v = rec[r.field];
        long long n = f.fields[r.field].kind == FieldKind::Text ? numericValue(v.text) : v.num;
        if (n < r.low || n > r.high) {
            MessageContext ctx;
            ctx.file = f.label;
            ctx.field = r.fieldDescription;
            ctx.message = r.rangeText;
            return Status::failed(standardMessage(18, ctx));
        }
    }
    for (size_t i = 0; i < f.fields.size(); ++i) {
        const FieldDef& fd = f.fields[i];
        bool fits = fd.kind == FieldKind::Text ? rec[i].text.size() <= static_cast<size_t>(fd.width)
                                               : fitsField(fd, rec[i].num);
        if (!fits)
            return Status::failed(storageFailure(
                failNumber, f, {0, "the value of " + fd.name + " does not fit the field"}));
    }
    return Status::ok();
}

Message Store::duplicateKey(const Record& rec, const sql::Error& err, int failNumber,
                            const int64_t* exclude) {
    const FileDef& f = rec.def();
    sql::Database& db = database(f);
    for (const KeyDef& k : f.keys) {
        if (!k.unique) continue;
        std::string q = "SELECT 1 FROM " + quoted(f.table) + " WHERE " +
                        keyEquals(f, k, k.components.size(), 1) +
                        (exclude ? " AND rowid <> ?" + std::to_string(k.components.size() + 1) : "") +
                        " LIMIT 1";
        sql::Statement& s = db.prepare(q);
        for (size_t i = 0; i < k.components.size(); ++i) {
            int fi = k.components[i].field;
            bindValue(s, static_cast<int>(i + 1), f.fields[fi], rec[fi]);
        }
        if (exclude) s.bind(static_cast<int>(k.components.size() + 1), *exclude);
        bool clash = s.step() == SQLITE_ROW;
        s.reset();
        if (clash) {
            MessageContext ctx;
            ctx.file = f.label;
            ctx.key = f.prefix + ":" + k.name;
            ctx.message = k.description;
            return standardMessage(15, ctx);
        }
    }
    return storageFailure(failNumber, f, err);
}

Status Store::insert(Record& rec) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    fitTexts(rec);
    if (Status s = checkRecord(rec, 4); !s) return s;
    // A refused insert leaves the buffer as the caller filled it.
    const int id = f.autoNumberField();
    const int64_t idBefore = id >= 0 ? rec.number(id) : 0;
    const RecordStamp stampBefore = rec.stamp;
    const int64_t primedBefore = rec.primedNumber;
    auto restore = [&] {
        if (id >= 0) rec.setNumber(id, idBefore);
        rec.stamp = stampBefore;
        rec.primedNumber = primedBefore;
    };
    try {
        sql::Transaction tx(database(f), sql::Transaction::Scope::SingleStatement);
        if (Status s = insertRow(rec); !s) {
            restore();
            return s;
        }
        tx.commit();
        return Status::ok();
    } catch (const sql::SqlError& e) {
        restore();
        MessageContext ctx;
        ctx.file = f.label;
        ctx.errorText = e.error().describe();
        return Status::failed(standardMessage(24, ctx));
    }
}

Status Store::insertRow(Record& rec) {
    const FileDef& f = rec.def();
    sql::Database& db = database(f);
    int id = f.autoNumberField();
    if (id >= 0 && (rec.number(id) == 0 || rec.number(id) == rec.primedNumber)) {
        int64_t n = 0;
        if (Status s = nextNumber(f, n); !s) return s;
        rec.setNumber(id, n);
    }
    sql::Statement& s = db.prepare(sqlFor(f).insert);
    if (!idIsRecno(f)) {
        int64_t recno = rec.stamp.recno;
        if (recno == 0 && f.singleRecord) recno = 2;
        if (recno)
            s.bind(1, recno);
        else
            s.bindNull(1);
    }
    bindFields(s, rec, true);
    const int64_t rev = firstRevision();
    s.bind(revisionParam(f), rev);
    int rc = s.step();
    if (rc != SQLITE_DONE) {
        sql::Error err = db.lastError();
        s.reset();
        if ((err.code & 0xff) == SQLITE_CONSTRAINT)
            return Status::failed(duplicateKey(rec, err, 4, nullptr));
        return Status::failed(storageFailure(4, f, err));
    }
    s.reset();
    rec.stamp.recno = sqlite3_last_insert_rowid(db.handle());
    forgetSecret(rec);
    rec.stamp.rev = rev;
    rec.primedNumber = 0;
    return Status::ok();
}

Status Store::readStored(const FileDef& f, int64_t recno, Record& out) {
    sql::Statement& s = database(f).prepare(sqlFor(f).byRecno);
    s.bind(1, recno);
    int rc = s.step();
    if (rc == SQLITE_ROW) readRow(s, out);
    sql::Error err = database(f).lastError();
    s.reset();
    if (rc == SQLITE_ROW) return Status::ok();
    if (rc == SQLITE_DONE) return Status::notFound();
    return Status::failed(storageFailure(1, f, err));
}

Status Store::children(const RelationDef& rel, const Record& parent, std::vector<Record>& out,
                       bool firstOnly) {
    const FileDef& c = *rel.child;
    const KeyDef& k = *rel.childKey;
    std::string where;
    for (size_t i = 0; i < rel.links.size(); ++i) {
        const FieldDef& cf = c.fields[rel.links[i].childField];
        const char* coll = "BINARY";
        for (const KeyComponent& kc : k.components)
            if (kc.field == rel.links[i].childField) coll = collation(c, k, kc);
        // A parent that tells its records apart by case finds its children by case too.
        if (const KeyDef* pk = rel.parent->primaryKey(); pk && pk->caseSensitive)
            for (const KeyComponent& kc : pk->components)
                if (kc.field == rel.links[i].parentField) coll = "BINARY";
        where += (i ? " AND " : "") + quoted(cf.name) + " = ?" + std::to_string(i + 1) +
                 " COLLATE " + coll;
    }
    std::string q = "SELECT " + selectColumns(c) + " FROM " + quoted(c.table) + " WHERE " + where +
                    " ORDER BY " + keyOrder(c, &k, false) + (firstOnly ? " LIMIT 1" : "");
    sql::Database& db = database(c);
    sql::Statement& s = db.prepare(q);
    for (size_t i = 0; i < rel.links.size(); ++i)
        bindValue(s, static_cast<int>(i + 1), parent.def().fields[rel.links[i].parentField],
                  parent[rel.links[i].parentField]);
    int rc;
    while ((rc = s.step()) == SQLITE_ROW) {
        out.emplace_back(c);
        readRow(s, out.back());
    }
    sql::Error err = db.lastError();
    s.reset();
    if (rc != SQLITE_DONE) return Status::failed(storageFailure(1, c, err));
    return Status::ok();
}

Status Store::update(Record& rec) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    fitTexts(rec);
    if (Status s = checkRecord(rec, 28); !s) return s;
    try {
        sql::Transaction tx(database(f));
        Record attempt = rec;
        Status s = updateRow(attempt, true);
        if (!s) {
            // A restricted link comes back to the value it had.
            if (s.message().number == 34) rec = attempt;
            return s;
        }
        tx.commit();
        rec = std::move(attempt);
        return Status::ok();
    } catch (const sql::SqlError& e) {
        MessageContext ctx;
        ctx.file = f.label;
        ctx.errorText = e.error().describe();
        return Status::failed(standardMessage(24, ctx));
    }
}

Status Store::updateRow(Record& rec, bool checkStamp) {
    const FileDef& f = rec.def();
    sql::Database& db = database(f);
    Record stored(f);
    Status found = readStored(f, rec.stamp.recno, stored);
    if (found.isFailed()) return found;
    if (found.isNotFound() || (checkStamp && stored.stamp.rev != rec.stamp.rev)) {
        MessageContext ctx;
        ctx.file = f.label;
        return Status::failed(standardMessage(7, ctx));
    }

    // Only the fields that differ from the stored record are written, so that
    // indexes over unchanged fields are left alone.
    std::string sets;
    const int secret = f.secretField();
    for (size_t i = 0; i < f.fields.size(); ++i) {
        if (static_cast<int>(i) == secret ? rec[i].text.empty() : rec[i] == stored[i]) continue;
        sets += quoted(f.fields[i].name) + " = ?" + std::to_string(i + 2) + ", ";
        if (static_cast<int>(i) == secret)
            sets += "_secret = ?" + std::to_string(f.fields.size() + 2) + ", ";
    }
    if (sets.empty()) {
        rec.stamp.rev = stored.stamp.rev;
        return Status::ok();
    }
    sql::Statement& s = db.prepare("UPDATE " + quoted(f.table) + " SET " + sets +
                                   "_rev = _rev + 1 WHERE rowid = ?1");
    s.bind(1, rec.stamp.recno);
    bindFields(s, rec, false);
    int rc = s.step();
    if (rc != SQLITE_DONE) {
        sql::Error err = db.lastError();
        s.reset();
        if ((err.code & 0xff) == SQLITE_CONSTRAINT)
            return Status::failed(duplicateKey(rec, err, 28, &rec.stamp.recno));
        return Status::failed(storageFailure(28, f, err));
    }
    s.reset();

    for (const RelationDef* rel : Catalog::instance().childrenOf(f)) {
        if (rel->update == Mode::None) continue;
        bool changed = false;
        for (const LinkPair& l : rel->links)
            changed = changed || !(rec[l.parentField] == stored[l.parentField]);
        if (!changed) continue;
        std::vector<Record> kids;
        if (Status st = children(*rel, stored, kids, rel->update == Mode::Restrict); !st) return st;
        if (kids.empty()) continue;
        if (rel->update == Mode::Restrict) {
            for (const LinkPair& l : rel->links) rec[l.parentField] = stored[l.parentField];
            MessageContext ctx;
            ctx.file = rel->child->label;
            return Status::failed(standardMessage(34, ctx));
        }
        for (Record& kid : kids) {
            for (const LinkPair& l : rel->links) {
                if (rel->update == Mode::Cascade)
                    kid[l.childField] = rec[l.parentField];
                else
                    kid[l.childField] = FieldValue{};
            }
            if (Status st = updateRow(kid, false); !st) return st;
        }
    }
    rec.stamp.rev = stored.stamp.rev + 1;
    // A changed identifier that is also the record number moves the record.
    if (idIsRecno(f)) rec.stamp.recno = rec.number(f.autoNumberField());
    forgetSecret(rec);
    return Status::ok();
}

Status Store::remove(const Record& rec) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    try {
        sql::Transaction tx(database(f));
        if (Status s = removeRow(rec, true); !s) return s;
        tx.commit();
        return Status::ok();
    } catch (const sql::SqlError& e) {
        MessageContext ctx;
        ctx.file = f.label;
        ctx.errorText = e.error().describe();
        return Status::failed(standardMessage(24, ctx));
    }
}

Status Store::removeRow(const Record& rec, bool checkStamp) {
    const FileDef& f = rec.def();
    sql::Database& db = database(f);
    Record stored(f);
    Status found = readStored(f, rec.stamp.recno, stored);
    if (found.isFailed()) return found;
    if (found.isNotFound() || (checkStamp && stored.stamp.rev != rec.stamp.rev)) {
        MessageContext ctx;
        ctx.file = f.label;
        return Status::failed(standardMessage(7, ctx));
    }
    for (const RelationDef* rel : Catalog::instance().childrenOf(f)) {
        if (rel->remove == Mode::None) continue;
        std::vector<Record> kids;
        if (Status st = children(*rel, stored, kids, rel->remove == Mode::Restrict); !st) return st;
        if (kids.empty()) continue;
        if (rel->remove == Mode::Restrict) {
            MessageContext ctx;
            ctx.file = rel->child->label;
            return Status::failed(standardMessage(33, ctx));
        }
        for (Record& kid : kids) {
            if (rel->remove == Mode::Cascade) {
                if (Status st = removeRow(kid, false); !st) return st;
            } else {
                for (const LinkPair& l : rel->links) kid[l.childField] = FieldValue{};
                if (Status st = updateRow(kid, false); !st) return st;
            }
        }
    }
    sql::Statement& s = db.prepare(sqlFor(f).remove);
    s.bind(1, stored.stamp.recno);
    int rc = s.step();
    sql::Error err = db.lastError();
    s.reset();
    if (rc != SQLITE_DONE) return Status::failed(storageFailure(13, f, err));
    return Status::ok();
}

Status Store::fetch(Record& rec, std::string_view keyName) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    const KeyDef* k = f.key(keyName);
    if (!k) throw std::invalid_argument(f.label + " has no key " + std::string(keyName));
    std::string q = "SELECT " + selectColumns(f) + " FROM " + quoted(f.table) + " WHERE " +
                    keyEquals(f, *k, k->components.size(), 1) + " ORDER BY " +
                    keyOrder(f, k, false) + " LIMIT 1";
    try {
        sql::Statement& s = database(f).prepare(q);
        for (size_t i = 0; i < k->components.size(); ++i) {
            int fi = k->components[i].field;
            FieldValue v = rec[fi];
            if (f.fields[fi].kind == FieldKind::Text)
                v.text = fitText(v.text, static_cast<size_t>(f.fields[fi].width));
            bindValue(s, static_cast<int>(i + 1), f.fields[fi], v);
        }
        int rc = s.step();
        if (rc == SQLITE_ROW) readRow(s, rec);
        sql::Error err = database(f).lastError();
        s.reset();
        if (rc == SQLITE_ROW) return Status::ok();
        if (rc == SQLITE_DONE) return Status::notFound();
        return Status::failed(storageFailure(1, f, err));
    } catch (const sql::SqlError& e) {
        return Status::failed(storageFailure(1, f, e.error()));
    }
}

Status Store::fetchByRecno(Record& rec, int64_t recno) {
    const FileDef& f = rec.def();
    if (Status s = ensureOpen(f); !s) return s;
    try {
        return readStored(f, recno, rec);
    } catch (const sql::SqlError& e) {
        return Status::failed(storageFailure(1, f, e.error()));
    }
}

Status Store::walk(std::string_view label, std::string_view keyName,
                   const std::vector<FieldValue>& from, bool reverse, std::unique_ptr<Cursor>& out) {
    const FileDef& f = def(label);
    if (Status s = ensureOpen(f); !s) return s;
    const KeyDef* k = nullptr;
    if (!keyName.empty()) {
        k = f.key(keyName);
        if (!k) throw std::invalid_argument(f.label + " has no key " + std::string(keyName));
    }
    std::string q = "SELECT " + selectColumns(f) + " FROM " + quoted(f.table);
    size_t count = k ? std::min(from.size(), k->components.size()) : std::min<size_t>(from.size(), 1);
    if (count > 0) {
        if (k)
            q += " WHERE " + keyFrom(f, *k, count, reverse);
        else
            q += reverse ? " WHERE rowid <= ?1" : " WHERE rowid >= ?1";
    }
    q += " ORDER BY " + keyOrder(f, k, reverse);
    try {
        sql::Database& db = database(f);
        sql::Statement s = db.lend(q);
        for (size_t i = 0; i < count; ++i) {
            if (!k) {
                s.bind(1, from[0].num);
                continue;
            }
            int fi = k->components[i].field;
            FieldValue v = from[i];
            if (f.fields[fi].kind == FieldKind::Text)
                v.text = fitText(v.text, static_cast<size_t>(f.fields[fi].width));
            bindValue(s, static_cast<int>(i + 1), f.fields[fi], v);
        }
        out.reset(new Cursor(f, std::move(s), db.pool(), std::move(q)));
        return Status::ok();
    } catch (const sql::SqlError& e) {
        return Status::failed(storageFailure(43, f, e.error()));
    }
}

Cursor Store::walk(std::string_view label, std::string_view key, const std::vector<FieldValue>& from,
                   bool reverse) {
    std::unique_ptr<Cursor> c;
    Status s = walk(label, key, from, reverse, c);
    if (!s) throw std::runtime_error(s.message().title + ": " + s.message().text);
    return std::move(*c);
}

Status Store::checkPassword(const Record& rec, std::string_view candidate, bool& matches) {
    const FileDef& f = rec.def();
    matches = false;
    if (Status s = ensureOpen(f); !s) return s;
    const int field = f.secretField();
    if (field < 0) throw std::invalid_argument(f.label + " keeps no password");
    try {
        sql::Database& db = database(f);
        sql::Statement& s = db.prepare(sqlFor(f).secret);
        s.bind(1, rec.stamp.recno);
        int rc = s.step();
        std::string hash = rc == SQLITE_ROW ? std::string(s.text(0)) : std::string();
        s.reset();
        if (rc == SQLITE_DONE) return Status::notFound();
        if (rc != SQLITE_ROW) return Status::failed(storageFailure(1, f, db.lastError()));
        const std::string typed = fitText(candidate, static_cast<size_t>(f.fields[field].width));
        matches = verifyPassword(hash, typed);
        if (matches && passwordNeedsRehash(hash)) {
            // Stronger limits than when it was stored: store it anew.
            sql::Transaction tx(db, sql::Transaction::Scope::SingleStatement);
            sql::Statement& u = db.prepare(sqlFor(f).setSecret);
            u.bind(1, rec.stamp.recno);
            u.bind(2, hashPassword(typed));
            u.step();
            u.reset();
            tx.commit();
        }
        return Status::ok();
    } catch (const sql::SqlError& e) {
        return Status::failed(storageFailure(1, f, e.error()));
    }
}

Status Store::inTransaction(Location where, const std::function<Status()>& body) {
    if (Status s = connect(where); !s) return s;
    sql::Database& db = where == Location::Club ? club_ : workstation_;
    try {
        sql::Transaction tx(db);
        Status s = body();
        if (s) tx.commit();
        return s;
    } catch (const sql::SqlError& e) {
        MessageContext ctx;
        ctx.file = db.path();
        ctx.errorText = e.error().describe();
        return Status::failed(standardMessage(24, ctx));
    }
}

}  // namespace qv::data
