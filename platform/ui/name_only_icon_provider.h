#pragma once

#include <QAbstractFileIconProvider>

namespace platform::ui {

// File icons and type names from the name and the kind of entry alone. The
// toolkit's own provider reads a file to guess its type, which blocks for
// ever on a pipe or a device and is slow on large folders; a file dialog
// must list any folder at once.
class NameOnlyIconProvider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

}  // namespace platform::ui
