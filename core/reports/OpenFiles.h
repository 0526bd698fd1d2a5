#pragma once
// The files a report builder keeps open while it runs.

#include <initializer_list>
#include <memory>
#include <span>
#include <vector>

#include "core/data/Store.h"
#include "core/data/Typed.h"

namespace qv::reports {

// Opens the files for the life of the object; status() is the first failure.
class OpenFiles {
public:
    OpenFiles(data::Store& store, std::span<const char* const> labels);
    OpenFiles(data::Store& store, std::initializer_list<const char*> labels)
        : OpenFiles(store, std::span<const char* const>(labels.begin(), labels.size())) {}
    const data::Status& status() const { return status_; }

private:
    std::vector<std::unique_ptr<data::FileUse>> uses_;
    data::Status status_ = data::Status::ok();
};

}  // namespace qv::reports
