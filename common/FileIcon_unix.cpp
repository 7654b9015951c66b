// File icons on Linux: the theme icon of the file's MIME type.
#include "FileIcon.h"

#include "CodePage.h"
#include "HostPath.h"

#include <QFileInfo>
#include <QHash>
#include <QMimeDatabase>

namespace z9 {
namespace {

QHash<QString, QIcon>& Cache() {
    static QHash<QString, QIcon> cache;
    return cache;
}

// The file's type by its name alone, so no file is opened or read.
QMimeType TypeOf(const QFileInfo& info) {
    static const QMimeDatabase database;
    if (info.isDir()) return database.mimeTypeForName(QStringLiteral("inode/directory"));
    QMimeType type = database.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    if (type.isDefault() && info.isFile() && info.isExecutable())
        type = database.mimeTypeForName(QStringLiteral("application/x-executable"));
    return type;
}

} // namespace

QIcon DesktopFileIcon(const std::string& path) {
    if (path.empty()) return {};
    const QMimeType type = TypeOf(QFileInfo(FromAnsi(HostPath(path))));
    auto found = Cache().constFind(type.name());
    if (found != Cache().constEnd()) return *found;
    QIcon icon = QIcon::fromTheme(type.iconName());
    if (icon.isNull()) icon = QIcon::fromTheme(type.genericIconName());
    Cache().insert(type.name(), icon);
    return icon;
}

std::size_t DesktopFileIconTypes() {
    return static_cast<std::size_t>(Cache().size());
}

void ClearDesktopFileIcons() {
    Cache().clear();
}

} // namespace z9
