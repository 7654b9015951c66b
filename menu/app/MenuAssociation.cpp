#include "menu/app/MenuAssociation.h"

#include "common/DesktopIntegration.h"
#include "common/Settings.h"

namespace z9 {

void RegisterMenuFileType() {
    const DesktopFileType type = MenuDesktopType();
    WriteClassesEntries(AssociationEntries(type.type), true);
    RegisterDesktopFileType(type, true);
}

} // namespace z9
