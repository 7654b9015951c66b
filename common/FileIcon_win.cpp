// File icons on Windows: the shell's small icon, through Qt's icon provider.
#include "FileIconLookUp.h"

#include <QFileIconProvider>

namespace z9 {

// Programs, shortcuts and icon files carry their own pictures; any other file
// shows the picture of its extension.
QString FileIconKey(const QFileInfo& info) {
    if (info.isDir()) return QStringLiteral("<folder>");
    const QString extension = info.suffix().toUpper();
    if (extension == u"EXE" || extension == u"LNK" || extension == u"ICO" || extension == u"CUR")
        return info.absoluteFilePath().toUpper();
    return QStringLiteral(".") + extension;
}

QIcon LookUpFileIcon(const QFileInfo& info) {
    static QFileIconProvider provider;
    return provider.icon(info);
}

} // namespace z9
