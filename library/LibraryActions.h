#pragma once

#include <QStringList>
#include <array>
#include <vector>

namespace ptlog {

struct RenameOutcome {
  QStringList renamed;  // the new full paths
  QStringList refused;  // target names that already hold another file
  QStringList failed;   // files that could not be moved
};

// Saves many records at once under site, building and inspector, each in its
// own folder: SavedNamePrefix + base name, keeping the display flags its
// saved name had (`flagsForDownloaded` for a downloaded name). A target name
// that already holds another file is refused; nothing is overwritten.
RenameOutcome RenameRecords(const QStringList& paths, const std::array<QString, 3>& fields,
                            const QString& flagsForDownloaded);

struct TidyOutcome {
  int moved = 0;
  QStringList kept;  // copies left where they are: the same name is in "重複" already
};

// Moves each copy into the "重複" folder of the folder it is in. Nothing is
// deleted and nothing already there is replaced.
TidyOutcome MoveDuplicates(const std::vector<QStringList>& copies);

}  // namespace ptlog
