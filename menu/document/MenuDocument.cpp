#include "MenuDocument.h"

#include "common/HostPath.h"
#include "common/LineBreaks.h"
#include "common/MessageBox.h"
#include "common/PathParts.h"
#include "common/PlainFile.h"
#include "common/SafeFile.h"
#include "common/SystemErrorText.h"

#include <cstring>
#include <filesystem>
#include <new>
#include <utility>

namespace z9 {
namespace {

void CannotOpen(const std::string& path, const std::string& why) {
    MessageBox("Cannot open:\n\n" + path + "\n\n" + why, vbCritical);
}

void CannotSave(const std::string& path, const std::string& why) {
    MessageBox("Cannot save:\n\n" + path + "\n\n" + why, vbCritical);
}

// The whole of bytes replaces the file at path; on failure the message is shown.
bool ReplaceMenuFile(const std::string& path, std::string_view bytes) {
    std::string why;
    if (WriteFileSafely(HostFileName(path), bytes, {}, nullptr, &why)) return true;
    CannotSave(path, why);
    return false;
}

} // namespace

std::vector<std::string> SplitMenuLines(std::string_view bytes, const std::function<void()>& afterEachLine) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < bytes.size()) {
        const void* cr = std::memchr(bytes.data() + at, '\r', bytes.size() - at);
        const std::size_t end = cr ? static_cast<const char*>(cr) - bytes.data() : bytes.size();
        lines.emplace_back(bytes.substr(at, end - at));
        at = end + 1;
        if (end + 1 < bytes.size() && bytes[end + 1] == '\n') ++at;
        if (afterEachLine) afterEachLine();
    }
    return lines;
}

std::string MenuFileText(const std::vector<std::string>& lines) {
    std::size_t size = 0;
    for (const auto& line : lines)
        size += line.size() + 2;
    std::string text;
    text.reserve(size);
    for (const auto& line : lines)
        text.append(line).append("\r\n");
    return text;
}

MenuDocument::MenuDocument(MenuView* view) : view_(view) {}

void MenuDocument::SetView(MenuView* view) {
    view_ = view;
}

MenuView& MenuDocument::View() const {
    // Every step of the plain view does nothing, so one serves every document.
    static MenuView alone;
    return view_ ? *view_ : alone;
}

void MenuDocument::SetMCh(bool changed) {
    mCh_ = changed;
    if (changed) dirty_ = true;
}

std::string MenuDocument::Summary(const std::string& line) const {
    const MenuItem item = ReadItem(line);
    return DescribeItem(ItemTypeName(item.Type), item);
}

bool MenuDocument::ReplaceItem(std::size_t row, const MenuItem& item) {
    if (row >= lines_.size()) return false;
    SetMCh(true);
    lines_[row] = WriteItem(item);
    summaries_[row] = DescribeItem(ItemTypeName(item.Type), item);
    return true;
}

bool MenuDocument::InsertItem(std::size_t row, const MenuItem& item) {
    if (row > lines_.size()) return false;
    SetMCh(true);
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(row), WriteItem(item));
    summaries_.insert(summaries_.begin() + static_cast<std::ptrdiff_t>(row),
                      DescribeItem(ItemTypeName(item.Type), item));
    return true;
}

bool MenuDocument::RemoveItem(std::size_t row) {
    if (row >= lines_.size()) return false;
    SetMCh(true);
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(row));
    summaries_.erase(summaries_.begin() + static_cast<std::ptrdiff_t>(row));
    return true;
}

bool MenuDocument::SwapItems(std::size_t a, std::size_t b) {
    if (a >= lines_.size() || b >= lines_.size()) return false;
    SetMCh(true);
    std::swap(lines_[a], lines_[b]);
    std::swap(summaries_[a], summaries_[b]);
    return true;
}

void MenuDocument::RCrLf(bool escape) {
    if (escape) {
        escaped_.clear();
        escaped_.reserve(lines_.size());
        for (const auto& line : lines_)
            escaped_.push_back(EncodeValue(line));
    } else {
        // Lines without a break (most) are left as they are.
        for (auto& line : lines_)
            if (line.find_first_of("\x01\n\x1a") != std::string::npos) line = DecodeValue(line);
    }
}

void MenuDocument::SetFFile(const std::string& path) {
    fFile_ = path;
    View().FileChanged(path);
}

// The file is read whole before anything changes, so a file that cannot be
// read leaves the menu on the page and in the document as it was.
bool MenuDocument::OpenP8M(const std::string& path) {
    std::vector<std::string> lines;
    try {
        std::string bytes;
        PlainFileError error;
        if (!ReadPlainFile(HostFileName(path), UINT64_MAX, bytes, &error)) {
            CannotOpen(path, error.text);
            return false;
        }
        lines = SplitMenuLines(bytes, [this] { View().ProcessEvents(); });
    } catch (const std::bad_alloc&) {
        CannotOpen(path, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY_CODE));
        return false;
    }

    View().ClearPage();
    escaped_.clear();
    View().ShowHeader(FileNamePart(path));
    lines_ = std::move(lines);
    SetFFile(path);
    View().ShowCaption(path);
    RCrLf(false);
    summaries_.clear();
    summaries_.reserve(lines_.size());
    for (const auto& line : lines_)
        summaries_.push_back(Summary(line));
    View().LoadFields();
    View().StoreLast(path);
    dirty_ = false;
    return true;
}

bool MenuDocument::SaveP8M(const std::string& path) {
    try {
        RCrLf(true);
        if (!ReplaceMenuFile(path, MenuFileText(escaped_))) return false;
    } catch (const std::bad_alloc&) {
        CannotSave(path, SystemErrorText(ERROR_NOT_ENOUGH_MEMORY_CODE));
        return false;
    }
    View().ShowHeader(FileNamePart(path));
    SetFFile(path);
    dirty_ = false;
    return true;
}

bool MenuDocument::FOpen(const std::string& path) {
    if (dirty_) {
        const int answer = MessageBox("Do you want to save the changes you made to \n\n" + fFile_ + "?",
                                      vbYesNoCancel | vbQuestion);
        if (answer == vbCancel) return false;
        if (answer == vbYes && !fFile_.empty() && !SaveP8M(fFile_)) return false;
    }
    if (!fFile_.empty() && !historyStep_)
        history_.push_back(fFile_);
    else
        historyStep_ = false;

    if (FileExtension(path) != "Z9M") {
        MessageBox("Cannot open: \"" + path + "\"\n\nInvalid file extension!", vbExclamation);
        return false;
    }
    if (MenuPathExists(path)) return OpenP8M(path);
    const int answer = MessageBox("File " + path + " does not exist.\n\nWould you like to create a new menu?",
                                  vbYesNo | vbExclamation);
    return answer == vbYes && CreateMenuFile(path) && OpenP8M(path);
}

bool MenuDocument::Back() {
    if (history_.empty()) return false;
    const std::string path = std::move(history_.back());
    history_.pop_back();
    SetHistoryStep();
    if (FOpen(path)) return true;
    // Cancelled at the save question (the step was never taken): the way back stays.
    if (historyStep_) {
        historyStep_ = false;
        history_.push_back(path);
    }
    return false;
}

bool MenuDocument::Revert() {
    if (fFile_.empty()) return false;
    const std::string path = fFile_;
    SetHistoryStep();
    if (FOpen(path)) return true;
    // Cancelled at the save question: the next open is no step back.
    historyStep_ = false;
    return false;
}

bool MenuPathExists(const std::string& path) {
    std::error_code ec;
    return std::filesystem::exists(std::filesystem::path(HostFileName(path)), ec);
}

bool CreateMenuFile(const std::string& path) {
    if (auto parts = SplitPath(path)) MakeFolderPath(parts->Folder);
    if (MenuPathExists(path) &&
        MessageBox("File: " + path + " already exists.\n\nDo you want overwrite this file?",
                   vbYesNo | vbExclamation) != vbYes)
        return false;
    return ReplaceMenuFile(path, {});
}

} // namespace z9
