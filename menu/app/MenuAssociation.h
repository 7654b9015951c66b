#pragma once
// The .Z9M association, written at every start of Z9Menu so that a copy
// started from a new folder takes the type over.
namespace z9 {

// Writes "Zorvan Menu", ".Z9M", the open command and the icon under
// HKEY_CLASSES_ROOT in that order, stopping silently at the first failure,
// and makes the type known to the desktop (Linux) with Z9Menu as its program.
void RegisterMenuFileType();

} // namespace z9
