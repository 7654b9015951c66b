#pragma once
// Which icon a link shows, found by resolving the link without starting it.
#include <string>

namespace z9 {

enum class LinkIconKind {
    Task,    // a task file (.z9f)
    Menu,    // a menu (.z9m)
    Desktop, // the icon the desktop shows for the source file, else the generic one
};

struct LinkIcon {
    LinkIconKind kind = LinkIconKind::Desktop;
    std::string source; // the file whose icon stands for the link
};

// The source is the resolved program when the link is itself a program, else
// the link's own target; a Z9SUB link stands for the submitter beside this
// program. Its extension chooses the menu or task icon; any other source
// shows the desktop's icon for it.
LinkIcon LinkIconFor(const std::string& link);

} // namespace z9
