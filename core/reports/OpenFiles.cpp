#include "core/reports/OpenFiles.h"

namespace qv::reports {

OpenFiles::OpenFiles(data::Store& store, std::span<const char* const> labels) {
    for (const char* l : labels) {
        uses_.push_back(std::make_unique<data::FileUse>(store, l));
        if (!*uses_.back() && status_) status_ = uses_.back()->status();
    }
}

}  // namespace qv::reports
