#pragma once

#include <QString>

namespace ptlog {

// The record files' type list, as "name|pattern|..." pairs.
inline const QString kRecordFileFilter =
    QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv");

struct FileDialogRequest {
  enum Kind { Open, Save, Folder } kind = Open;
  QString filter;       // "name|pattern|name|pattern..."
  int filterIndex = 1;  // 1-based
  QString fileName;     // open: initial name; save: proposed full path
  QString folder;       // open, folder: initial folder
};

}  // namespace ptlog
