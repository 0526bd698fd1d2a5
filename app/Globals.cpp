#include "app/Globals.h"

namespace qv::app {

Globals& globals() {
    static Globals g;
    return g;
}

}  // namespace qv::app
