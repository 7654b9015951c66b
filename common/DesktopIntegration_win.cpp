// On Windows the association in HKEY_CLASSES_ROOT is all the shell reads.
#include "DesktopIntegration.h"

namespace z9 {

bool RegisterDesktopFileType(const DesktopFileType&, bool) {
    return false;
}

} // namespace z9
