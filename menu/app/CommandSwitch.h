#pragma once
// Switches inside a command text ("/l" on the menu's command line, "/Z9" in a
// link). A switch counts only where a word starts: at the start of the text or
// after a blank. On Windows no path holds a '/', but on Linux /opt/z9/run or
// /home/lisa/a.z9m do, and must not be taken for switches.
#include <cstddef>
#include <string>

namespace z9 {

enum class SwitchAt { First, Last };

// Whether the switch must also end its word ("/l" is a word of its own, while
// "/Z9" runs on into "+", "-" or a folder).
enum class SwitchEnd { Open, WordEnd };

// The position of the first or last occurrence of name (ASCII letter case
// ignored) that starts a word (and with SwitchEnd::WordEnd also ends one, at
// the end of the text or before a blank); npos when there is none.
std::size_t FindSwitch(const std::string& text, const std::string& name, SwitchAt which = SwitchAt::First,
                       SwitchEnd end = SwitchEnd::Open);

} // namespace z9
