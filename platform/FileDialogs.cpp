#include "platform/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>

namespace ptlog {

namespace {
FileDialogHandler& Handler() {
  static FileDialogHandler handler;
  return handler;
}

// "Text Files (*.txt)|*.txt" -> "Text Files (*.txt)"; "*.*" means every file.
QStringList QtFilters(const QString& filter) {
  const QStringList parts = filter.split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString name = parts[i];
    const qsizetype paren = name.indexOf('(');
    if (paren >= 0) name = name.left(paren).trimmed();
    QString pattern = parts[i + 1];
    pattern.replace(QStringLiteral("*.*"), QStringLiteral("*"));
    filters << QStringLiteral("%1 (%2)").arg(name, pattern.replace(';', ' '));
  }
  return filters;
}
}  // namespace

void SetFileDialogHandler(FileDialogHandler handler) { Handler() = std::move(handler); }

QString RunFileDialog(QWidget* parent, const FileDialogRequest& request) {
  if (Handler()) return Handler()(request);
  QFileDialog dialog(parent);
  const QStringList filters = QtFilters(request.filter);
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size())
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  if (request.kind == FileDialogRequest::Save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    const QFileInfo proposed(request.fileName);
    dialog.setDirectory(proposed.absolutePath());
    dialog.selectFile(proposed.fileName());
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(request.folder);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
  return dialog.selectedFiles().constFirst();
}

}  // namespace ptlog
