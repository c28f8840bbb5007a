#include "platform/ui/name_only_icon_provider.h"

#include <QApplication>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QStyle>

namespace platform::ui {

QIcon NameOnlyIconProvider::icon(IconType type) const {
  QStyle* style = QApplication::style();
  switch (type) {
    case Computer: return style->standardIcon(QStyle::SP_ComputerIcon);
    case Drive: return style->standardIcon(QStyle::SP_DriveHDIcon);
    case Folder: return style->standardIcon(QStyle::SP_DirIcon);
    default: return style->standardIcon(QStyle::SP_FileIcon);
  }
}

QIcon NameOnlyIconProvider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  return icon(info.isDir() ? Folder : File);
}

QString NameOnlyIconProvider::type(const QFileInfo& info) const {
  if (info.isDir()) return QAbstractFileIconProvider::type(info);  // folders are never read
  if (!info.isFile()) return QStringLiteral("-");                  // pipes, devices, sockets
  return QMimeDatabase().mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension).comment();
}

}  // namespace platform::ui
