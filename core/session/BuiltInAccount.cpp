// Compiled once per build flavour with QV_BUILTIN_ID and QV_BUILTIN_PASSWORD
// set (or not) by the build.

#include "core/session/BuiltInAccount.h"

namespace qv::session {

const BuiltInAccount* builtInAccount() {
#if defined(QV_BUILTIN_ID) && defined(QV_BUILTIN_PASSWORD)
    static const BuiltInAccount account{QV_BUILTIN_ID, QV_BUILTIN_PASSWORD};
    return &account;
#else
    return nullptr;
#endif
}

}  // namespace qv::session
