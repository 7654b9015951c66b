#pragma once
// The .Z9M association, written at every start of Z9Menu so that a copy
// started from a new folder takes the type over.
#include "common/DesktopIntegration.h"

namespace z9 {

// .Z9M files, class "Zorvan Menu", opened by Z9Menu; application/x-zorvan-menu on the desktop.
DesktopFileType MenuFileType();

// Writes "Zorvan Menu", ".Z9M", the open command and the icon under
// HKEY_CLASSES_ROOT in that order, stopping silently at the first failure,
// and makes the type known to the desktop (Linux) with Z9Menu as its program.
void RegisterMenuFileType();

} // namespace z9
