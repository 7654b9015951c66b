#include "submitter/app/Association.h"

#include "common/DesktopIntegration.h"
#include "submitter/base/SubmitterKeys.h"

namespace z9 {

FileType SubmitterFileType() {
    return {".Z9F", "Zorvan File", "Z9Sub"};
}

bool RegisterFileType() {
    bool workstation = KeyExists(kWorkstationKey);
    std::string verb = workstation ? "Zorvan Submitter" : "";
    WriteClassesEntries(AssociationEntries(SubmitterFileType(), verb), false);
    // Beside the workstation product the desktop's default stays its own.
    RegisterDesktopFileType({SubmitterFileType(), "application/x-zorvan-task", "Zorvan Submitter"},
                            !workstation);
    return true;
}

} // namespace z9
