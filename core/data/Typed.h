#pragma once
// Typed access to the file layer: the record structs go through the same
// generic operations, converted on the way in and out.

#include <string_view>

#include "core/data/Store.h"

namespace qv::data {

template <typename T>
Record toRecord(const Store& store, const T& r, std::string_view label = T::kLabel) {
    Record rec = store.newRecord(label);
    r.toRecord(rec);
    return rec;
}

template <typename T>
Status insertRecord(Store& store, T& r, std::string_view label = T::kLabel) {
    Record rec = toRecord(store, r, label);
    Status s = store.insert(rec);
    if (s) r.fromRecord(rec);
    return s;
}

template <typename T>
Status updateRecord(Store& store, T& r, std::string_view label = T::kLabel) {
    Record rec = toRecord(store, r, label);
    Status s = store.update(rec);
    r.fromRecord(rec);  // a restricted link comes back reset
    return s;
}

template <typename T>
Status removeRecord(Store& store, const T& r, std::string_view label = T::kLabel) {
    return store.remove(toRecord(store, r, label));
}

template <typename T>
Status fetchRecord(Store& store, T& r, std::string_view key, std::string_view label = T::kLabel) {
    Record rec = toRecord(store, r, label);
    Status s = store.fetch(rec, key);
    if (s) r.fromRecord(rec);
    return s;
}

template <typename T>
Status fetchRecordNumber(Store& store, T& r, int64_t recno, std::string_view label = T::kLabel) {
    Record rec = store.newRecord(label);
    Status s = store.fetchByRecno(rec, recno);
    if (s) r.fromRecord(rec);
    return s;
}

// Opens a file for the life of the object.
class FileUse {
public:
    FileUse(Store& store, std::string_view label) : store_(store), label_(label) {
        status_ = store_.open(label_);
    }
    ~FileUse() {
        if (status_) store_.close(label_);
    }
    FileUse(const FileUse&) = delete;
    FileUse& operator=(const FileUse&) = delete;
    const Status& status() const { return status_; }
    explicit operator bool() const { return status_.isOk(); }

private:
    Store& store_;
    std::string label_;
    Status status_ = Status::notFound();
};

}  // namespace qv::data
