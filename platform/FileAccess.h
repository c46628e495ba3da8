#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class QFile;

namespace ptlog {

// Every file the programs read or write is a regular file: a FIFO would block
// the window for ever, a device would never end or would be replaced.

enum class OpenResult { Opened, Missing, NotRegular, Failed };
// Opens for reading without blocking, and only a regular file (links followed).
OpenResult OpenRegularFile(const QString& path, QFile& file);

// The whole of a regular file of at most maxBytes; nothing for anything else.
std::optional<QByteArray> ReadRegularFile(const QString& path, qint64 maxBytes);

// Whether the running program may write path, asked with the identity the
// write itself would use (QFileInfo asks with the real user's).
bool MayWrite(const QString& path);

enum class WriteResult { Written, DiskFull, Failed };
// The next piece of the content; empty when done, nothing when the source failed.
using ChunkSource = std::function<std::optional<QByteArray>()>;

// Replaces the file only by a complete one: a temporary file in the same
// folder, written unbuffered and synced, then renamed over the target (a link
// is followed, so the file it names is replaced). A target that exists and is
// not a regular file is left alone. Temporary files that a killed program of
// ours left in the folder are removed at the first write there.
WriteResult WriteFileAtomically(const QString& path, const ChunkSource& next);
WriteResult WriteFileAtomically(const QString& path, const QByteArray& content);

}  // namespace ptlog
