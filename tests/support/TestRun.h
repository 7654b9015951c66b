#pragma once
// What the test mains set up for the whole run: a scratch TempFolder that
// HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, Z9_REGISTRY_DIR and Z9_UNC_ROOT point
// into (on Windows the registry roots too), so a test that forgets its own
// TempFolder still cannot touch the user's files; and one listener that puts
// the programs' global state back after every test, so no fixture resets it
// by hand.
#include <filesystem>
#include <functional>

namespace z9::test {

// The run's scratch folder (empty before the run started).
std::filesystem::path RunFolder();

// Adds a step to the reset after every test: the Qt test main adds the
// GUI's state, a test program the state of the submitter's libraries it
// links (tests/support/StateOf*.cpp).
void AddStateReset(std::function<void()> reset);

// Makes the scratch folder, points the variables into it, answers message
// boxes nobody expected with a failure and installs the listener. Returns
// false when the folder cannot be made.
bool StartTestRun();
// Removes the scratch folder.
void EndTestRun();

} // namespace z9::test
