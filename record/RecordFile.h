#pragma once

#include <QString>
#include <array>
#include <optional>

namespace ptlog {

struct TestRecord;

// Said by every command that needs a loaded record file.
inline const QString kFileNotLoaded = QStringLiteral("ファイルが読み込まれていません。");

// The first item of a record file: leading blanks skipped, then up to the
// first comma, CR or LF; a quoted text runs to the next quote. An empty
// file raises 62, a missing or unreadable one 53 or 75.
QString ReadRecordFileItem(const QString& path);

// Writes text + CR LF as single bytes, replacing an existing file only by a
// complete one (temporary file, then rename). Raises 76 for a missing folder.
void WriteRecordFile(const QString& path, const QString& recordText);

// Number, date and time digits + ".txt": 0012060720140530.txt.
QString RecordFileName(const TestRecord& record);

// Three characters: "2"/"1" scale, "w"/"e" medium, "d"/"s" details.
QString DisplayFlags(bool scale2MPa, bool water, int detailsValue);
// site_building_inspector_flags_
QString SavedNamePrefix(const std::array<QString, 3>& fields, const QString& flags);

// The record's path up to its name's first dot, then the extension (with a
// dot when the name has none): what a picture, report or table of the record
// is called.
QString PathWithExtension(const QString& recordPath, const QString& extension);

// The text after the last path separator.
QString FileNamePart(const QString& path);
// The folder part, with its trailing separator.
QString FolderPart(const QString& path);
// A file name with up to five leading "_" parts removed.
QString BaseName(const QString& fileName);

// Entry fields and display flags coded in a saved name.
struct SavedName {
  std::array<QString, 3> fields;
  std::optional<QString> flags;  // three characters when a fourth "_" follows
};
SavedName ParseSavedName(const QString& fileName);

// What a saved name's flags select: "2" the 2 MPa scale, "w" water, "d"
// details on and anything else there details off (exact characters). An
// unset choice stays as it was; three blanks, or no flags, leave all.
struct FlagChoices {
  bool scale2MPa = false, water = false;
  std::optional<int> details;
};
FlagChoices ChoicesFromFlags(const std::optional<QString>& flags);

// Whether an entry field can stand in a file name: no path separators, no
// characters the Windows file systems refuse (records travel between
// machines), and not "." or "..".
bool UsableInFileName(const QString& field);

// Why the typed site, building and inspector cannot make a saved name: the
// first empty one, then the first with a character a file name cannot hold.
// Empty when they can.
QString SavedNameFieldsProblem(const std::array<QString, 3>& fields);

// Renames where the file system allows it, else copies then deletes; a
// failed copy leaves the original in place. False when the move failed.
bool MoveRecordFile(const QString& from, const QString& to);

}  // namespace ptlog
