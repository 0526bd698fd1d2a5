#pragma once
// A record read once per build and kept by its key.

#include <map>

#include "core/data/Store.h"
#include "core/data/Typed.h"

namespace qv::reports {

// The record whose key field `set` fills with `id`, read the first time and
// then kept in `seen`. A record that is not there, or one not looked up
// because `read` is false (an id that names nothing), is a blank record;
// only a failure of the file layer comes back as a status.
template <typename T, typename K, typename Set>
data::Status cachedRecord(data::Store& store, std::map<K, T>& seen, const K& id, const char* key, Set set, T& out,
                          bool read = true) {
    auto it = seen.find(id);
    if (it == seen.end()) {
        T r;
        set(r, id);
        data::Status s = read ? data::fetchRecord(store, r, key) : data::Status::notFound();
        if (s.isFailed()) return s;
        if (!s) r = T();
        it = seen.emplace(id, r).first;
    }
    out = it->second;
    return data::Status::ok();
}

}  // namespace qv::reports
