#pragma once
// Wrong passwords, counted per typed user id in the club database so that
// the count holds across processes and stations. The Users file must be
// open.

#include <cstdint>
#include <string_view>

#include "core/data/Store.h"

namespace qv::data {

struct LoginFailures {
    int count = 0;
    int64_t lastFailure = 0;  // seconds since the epoch
};

Status readLoginFailures(Store& store, std::string_view userId, LoginFailures& out);
Status noteLoginFailure(Store& store, std::string_view userId, int64_t now);
Status clearLoginFailures(Store& store, std::string_view userId);
// Dates the last failure of `userId` at `when`.
Status dateLoginFailures(Store& store, std::string_view userId, int64_t when);

}  // namespace qv::data
