#include "core/session/Globals.h"

namespace qv::session {

Globals& globals() {
    static Globals g;
    return g;
}

}  // namespace qv::session
