#include "menu/app/MenuAssociation.h"

#include "common/Settings.h"

namespace z9 {

DesktopFileType MenuFileType() {
    return {{".Z9M", "Zorvan Menu", "Z9Menu"}, "application/x-zorvan-menu", "Zorvan Menu"};
}

void RegisterMenuFileType() {
    const DesktopFileType type = MenuFileType();
    WriteClassesEntries(AssociationEntries(type.type), true);
    RegisterDesktopFileType(type, true);
}

} // namespace z9
