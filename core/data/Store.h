#pragma once
// The file layer: every read and write of the record files goes through one
// Store per thread. It keeps the files' use counts, numbers new records,
// refuses duplicate keys and values out of range, applies the update and
// delete rules between files, and runs each operation as one transaction.

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/Definitions.h"
#include "core/data/Record.h"
#include "core/data/Sqlite.h"
#include "core/messages/Status.h"

namespace qv::data {

struct StorePaths {
    std::string workstationDb;  // START/DATA/WORKSTATION.DB
    std::string clubDb;         // data folder text + "QUILLAVON.DB"
    // Only the making of a workstation creates databases; every other open
    // checks that the file is one of ours and refuses anything else.
    bool create = false;
};

class Store;

// A walk along a key; each next() moves one record on.
class Cursor {
public:
    Cursor(Cursor&&) noexcept;
    Cursor& operator=(Cursor&&) noexcept;
    ~Cursor();
    // The next record along the key into `out` (whose file must match), or
    // notFound at the end.
    Status next(Record& out);

private:
    friend class Store;
    Cursor(const FileDef& f, sql::Statement stmt, std::weak_ptr<sql::StatementPool> pool, std::string sql);
    const FileDef* def_;
    sql::Statement stmt_;
    bool done_ = false;
    std::weak_ptr<sql::StatementPool> pool_;  // where the statement goes back when done
    std::string sql_;
};

class Store {
public:
    explicit Store(StorePaths paths);
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    const StorePaths& paths() const { return paths_; }
    // Names the club database; files of the data folder opened afterwards use it.
    void setClubPath(std::string path);

    // Opens a file and the files related to it; a file already open only
    // counts one more user. Fails with message 26 when the database is
    // missing or not one of ours.
    Status open(std::string_view label);
    void close(std::string_view label);
    int useCount(std::string_view label) const;

    // An empty record buffer of the file.
    Record newRecord(std::string_view label) const;
    // Clears the buffer, applies the new-record defaults and gives the
    // auto-numbered field its next number.
    Status primeForInsert(Record& rec);
    Status insert(Record& rec);
    // Writes a record read earlier; refused when another station changed or
    // deleted it since.
    Status update(Record& rec);
    Status remove(const Record& rec);

    // The first record whose key components equal those in `rec`.
    Status fetch(Record& rec, std::string_view key);
    Status fetchByRecno(Record& rec, int64_t recno);
    // A walk along `key` (or along the record number when `key` is empty),
    // from the first record at or after `from` (values of the first
    // components, in key order), or backwards from the last one at or before.
    Cursor walk(std::string_view label, std::string_view key,
                const std::vector<FieldValue>& from = {}, bool reverse = false);
    // Same, failing instead of throwing.
    Status walk(std::string_view label, std::string_view key, const std::vector<FieldValue>& from,
                bool reverse, std::unique_ptr<Cursor>& out);

    // Whether `candidate` is the password stored with `rec` (a file with a
    // password field). A match whose hash was made with weaker limits than
    // today's is stored anew.
    Status checkPassword(const Record& rec, std::string_view candidate, bool& matches);

    // The database holding `f`, opened on demand.
    sql::Database& database(const FileDef& f);
    // Runs `body` in one transaction over the club data: everything it wrote
    // stays only when it returns an ok status. Used for batches of writes.
    Status inTransaction(Location where, const std::function<Status()>& body);

private:
    const FileDef& def(std::string_view label) const;
    Status ensureOpen(const FileDef& f) const;
    Status connect(Location where);
    Status checkRecord(const Record& rec, int failNumber) const;
    Status insertRow(Record& rec);
    Status updateRow(Record& rec, bool checkStamp);
    Status removeRow(const Record& rec, bool checkStamp);
    Status readStored(const FileDef& f, int64_t recno, Record& out);
    Status children(const RelationDef& rel, const Record& parent, std::vector<Record>& out,
                    bool firstOnly);
    Message duplicateKey(const Record& rec, const sql::Error& err, int failNumber,
                         const int64_t* exclude);
    Status nextNumber(const FileDef& f, int64_t& out);
    Message storageFailure(int number, const FileDef& f, const sql::Error& e) const;

    StorePaths paths_;
    sql::Database club_;
    sql::Database workstation_;
    std::map<std::string, int, std::less<>> useCounts_;
};

}  // namespace qv::data
