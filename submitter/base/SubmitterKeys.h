#pragma once
// The submitter's own registry keys, under HKEY_CURRENT_USER\Software.
namespace z9 {

// The application key around the submitter's window placement (common/Settings.h).
inline constexpr const char* kSubmitterAppKey = "Brindle\\Zorvan Submitter";
// Present when the workstation product is installed: the association then only
// adds a verb, and opened tasks and submitted profiles are remembered under it.
inline constexpr const char* kWorkstationKey = "Brindle\\Zorvan Workstation";

} // namespace z9
