#include "FileIcon.h"

#include "CodePageQt.h"
#include "FileIconLookUp.h"
#include "HostPath.h"

#include <QHash>

namespace z9 {
namespace {

QHash<QString, QIcon>& Cache() {
    static QHash<QString, QIcon> cache;
    return cache;
}

} // namespace

QIcon DesktopFileIcon(const std::string& path) {
    if (path.empty()) return {};
    const QFileInfo info(FromAnsi(HostPath(path)));
    const QString key = FileIconKey(info);
    auto found = Cache().constFind(key);
    if (found != Cache().constEnd()) return *found;
    QIcon icon = LookUpFileIcon(info);
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
