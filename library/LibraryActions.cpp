#include "library/LibraryActions.h"

#include "library/FolderScan.h"
#include "record/RecordFile.h"

#include <QDir>
#include <QFileInfo>

namespace ptlog {

RenameOutcome RenameRecords(const QStringList& paths, const std::array<QString, 3>& fields,
                            const QString& flagsForDownloaded) {
  RenameOutcome outcome;
  for (const QString& path : paths) {
    const QFileInfo from(path);
    const QString name = from.fileName();
    const QString flags = ParseSavedName(name).flags.value_or(flagsForDownloaded);
    const QString target = from.absolutePath() + QLatin1Char('/') + SavedNamePrefix(fields, flags) + BaseName(name);
    if (target == from.absoluteFilePath()) continue;
    const QFileInfo to(target);
    if (to.exists() || to.isSymLink()) {
      outcome.refused << to.fileName();
      continue;
    }
    if (MoveRecordFile(path, target))
      outcome.renamed << target;
    else
      outcome.failed << name;
  }
  return outcome;
}

TidyOutcome MoveDuplicates(const std::vector<QStringList>& copies) {
  TidyOutcome outcome;
  for (const QStringList& group : copies) {
    for (const QString& path : group) {
      const QFileInfo from(path);
      const QString aside = from.absolutePath() + QLatin1Char('/') + kDuplicatesFolder;
      const QString target = aside + QLatin1Char('/') + from.fileName();
      if (QFileInfo::exists(target) || !QDir().mkpath(aside) || !MoveRecordFile(path, target)) {
        outcome.kept << from.fileName();
        continue;
      }
      ++outcome.moved;
    }
  }
  return outcome;
}

}  // namespace ptlog
