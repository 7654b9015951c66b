// File icons on Windows: the shell's small icon, through Qt's icon provider.
#include "FileIcon.h"

#include "CodePage.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QHash>

namespace z9 {
namespace {

QHash<QString, QIcon>& Cache() {
    static QHash<QString, QIcon> cache;
    return cache;
}

// Programs, shortcuts and icon files carry their own pictures; any other file
// shows the picture of its extension.
QString TypeKey(const QFileInfo& info) {
    if (info.isDir()) return QStringLiteral("<folder>");
    const QString extension = info.suffix().toUpper();
    if (extension == u"EXE" || extension == u"LNK" || extension == u"ICO" || extension == u"CUR")
        return info.absoluteFilePath().toUpper();
    return QStringLiteral(".") + extension;
}

} // namespace

QIcon DesktopFileIcon(const std::string& path) {
    if (path.empty()) return {};
    const QFileInfo info(FromAnsi(path));
    const QString key = TypeKey(info);
    auto found = Cache().constFind(key);
    if (found != Cache().constEnd()) return *found;
    static QFileIconProvider provider;
    QIcon icon = provider.icon(info);
    Cache().insert(key, icon);
    return icon;
}

std::size_t DesktopFileIconTypes() {
    return static_cast<std::size_t>(Cache().size());
}

void ClearDesktopFileIcons() {
    Cache().clear();
}

} // namespace z9
