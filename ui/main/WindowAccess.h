#pragma once
// The level each window needs, by procedure name: the menu's rules, applied
// as well to windows opened any other way (`quillavon --grab`).

#include <QString>

#include "core/session/Access.h"

namespace qv::ui {

// A window missing from the table needs the strictest level.
session::Access windowAccess(const QString& procedure);
bool hasWindowAccess(const QString& procedure);

}  // namespace qv::ui
