#include "menu/app/EditDialogs.h"

#include "common/PathParts.h"
#include "menu/app/PageLayout.h"
#include "menu/app/ShellRun.h"

namespace z9 {

using namespace std::string_literals;

FontChoice FontDialogStart(FontChoice caption) {
    if (caption.name.size() > kFontDialogFaceMax) caption.name.resize(kFontDialogFaceMax);
    return caption;
}

FontChoice CaptionFontOf(FontChoice chosen) {
    chosen.size = PageFontSize(chosen.size);
    return chosen;
}

std::optional<FontChoice> ChangeCaptionFont(const FontChoice& caption, QWidget* owner) {
    std::optional<FontChoice> chosen = FontDialog(FontDialogStart(caption), owner);
    if (!chosen) return std::nullopt;
    return CaptionFontOf(*chosen);
}

const std::string& BrowseFilter() {
    static const std::string filter = "Zorvan Menu (*.z9m)\0*.z9m\0"
                                      "Zorvan File (*.z9f)\0*.z9f\0"
                                      "EXE File (*.exe)\0*.exe\0"
                                      "All Files (*.*)\0*.*\0"s;
    return filter;
}

int BrowseFilterIndex(const std::string& start) {
    std::string extension = FileExtension(start);
    // A selected path may come with its quotes.
    if (!extension.empty() && extension.back() == '"') extension.pop_back();
    if (extension == "Z9M") return 1;
    if (extension == "Z9F") return 2;
    if (extension == "EXE") return 3;
    return 4;
}

std::string QuotedPath(const std::string& path) {
    std::string quoted = path;
    if (quoted.empty() || quoted.front() != '"') quoted.insert(0, 1, '"');
    // The opening quote alone is no closing one.
    if (quoted.size() < 2 || quoted.back() != '"') quoted.push_back('"');
    return quoted;
}

namespace {

std::string BrowseDialog(const std::string& start, QWidget* owner) {
    return OpenFileDialog("Browse", "", BrowseFilter(), BrowseFilterIndex(start), false, owner, start);
}

} // namespace

std::string InsertPath(const std::string& selected, QWidget* owner) {
    return BrowseDialog(selected, owner);
}

std::string ReplaceProgram(const std::string& command, const std::string& program) {
    const ShellRunResult old = ShellRun(nullptr, command, "", kResolveOnly);
    return QuotedPath(program) + old.arguments + old.switchText;
}

std::optional<std::string> BrowseCommand(const std::string& command, const std::string& selected,
                                         QWidget* owner) {
    const std::string start =
        selected.empty() ? ShellRun(nullptr, command, "", kResolveOnly).program : selected;
    const std::string path = BrowseDialog(start, owner);
    if (path.empty()) return std::nullopt;
    if (!selected.empty()) return QuotedPath(path);
    return ReplaceProgram(command, path);
}

} // namespace z9
