#include "submitter/app/Association.h"

#include "common/DesktopIntegration.h"
#include "submitter/base/SubmitterKeys.h"

namespace z9 {

FileType SubmitterFileType() {
    return TaskDesktopType().type;
}

bool RegisterFileType() {
    std::string verb = KeyExists(kWorkstationKey) ? "Zorvan Submitter" : "";
    WriteClassesEntries(AssociationEntries(SubmitterFileType(), verb), false);
    return true;
}

} // namespace z9
