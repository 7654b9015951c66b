#include "menu/app/SopenOk.h"

#include "common/MessageBox.h"
#include "common/PathParts.h"
#include "menu/document/MenuDocument.h"

namespace z9 {
namespace {

SopenStep Create(std::string& path, const MenuOpener& fopen) {
    const std::optional<SplitPathResult> parts = SplitPath(path);
    // A path ending in a separator names a folder, not a menu: it would make a
    // file called ".z9m".
    if (!parts || parts->File.empty()) {
        MessageBox("This is not a valid path.");
        return SopenStep::Stay;
    }
    if (path.find('.') != std::string::npos) {
        if (FileExtension(path) != "Z9M") {
            MessageBox("This is not a valid file extension.\n\nPlease enter a \"Z9M\" extension.");
            return SopenStep::Stay;
        }
    } else {
        path += ".z9m";
    }
    // A menu the window could not show (the user kept unsaved changes, the file
    // cannot be read) leaves the dialog open to try again or to cancel.
    return CreateMenuFile(path) && fopen(path) ? SopenStep::Close : SopenStep::Stay;
}

} // namespace

SopenStep SopenOk(std::string& path, bool& mNew, const MenuOpener& fopen) {
    if (path.empty()) {
        MessageBox("Please enter as file path.");
        return SopenStep::Stay;
    }
    if (mNew) return Create(path, fopen);
    if (FileExtension(path) != "Z9M") {
        MessageBox("Please select a \"Z9M\" file.", vbExclamation);
        return SopenStep::Stay;
    }
    if (MenuPathExists(path)) return fopen(path) ? SopenStep::Close : SopenStep::Stay;
    if (MessageBox("File " + path + " does not exist.\n\nWould you like to create a new menu?",
                   vbYesNo | vbExclamation) != vbYes)
        return SopenStep::Stay;
    mNew = true;
    return Create(path, fopen);
}

} // namespace z9
