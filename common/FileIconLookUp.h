#pragma once
// The platform's half of FileIcon.h: what makes two files the same type, and
// the desktop's icon for one of them.
#include <QFileInfo>
#include <QIcon>
#include <QString>

namespace z9 {

QString FileIconKey(const QFileInfo& info);
QIcon LookUpFileIcon(const QFileInfo& info);

} // namespace z9
