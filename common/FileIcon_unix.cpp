// File icons on Linux: the theme icon of the file's MIME type.
#include "FileIconLookUp.h"

#include <QMimeDatabase>

namespace z9 {
namespace {

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

QString FileIconKey(const QFileInfo& info) {
    return TypeOf(info).name();
}

QIcon LookUpFileIcon(const QFileInfo& info) {
    const QMimeType type = TypeOf(info);
    QIcon icon = QIcon::fromTheme(type.iconName());
    return icon.isNull() ? QIcon::fromTheme(type.genericIconName()) : icon;
}

} // namespace z9
