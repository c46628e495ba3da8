#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace ptlog {

// The record files' type list, as "name|pattern|..." pairs.
inline const QString kRecordFileFilter =
    QStringLiteral("All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv");

struct FileDialogRequest {
  enum Kind { Open, Save } kind = Open;
  QString filter;       // "name|pattern|name|pattern..."
  int filterIndex = 1;  // 1-based
  QString fileName;     // open: initial name; save: proposed full path
  QString folder;       // open: initial folder
};

// The chosen full path; empty when the user cancels.
QString RunFileDialog(QWidget* parent, const FileDialogRequest& request);

// Tests answer the dialogs without a modal loop; empty restores them.
using FileDialogHandler = std::function<QString(const FileDialogRequest&)>;
void SetFileDialogHandler(FileDialogHandler handler);

}  // namespace ptlog
