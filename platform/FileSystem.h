#pragma once

// The operating system's side of the whole-file writes: one implementation
// for POSIX systems, one for Windows.

#include "platform/FileAccess.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace ptlog::fs {

qint64 CurrentProcessId();
// True only when no process of that id runs any more.
bool ProcessGone(qint64 pid);

// A file being written; error: the system's error code of the last failure.
struct NewFile {
  qintptr handle = -1;
  int error = 0;
};
// Creates `path` exclusively (false with error "exists" when it does), with
// the owner and permissions of `like` where that exists.
bool CreateExclusive(const QString& path, const QString& like, NewFile& file, bool& exists);
bool WriteAll(NewFile& file, const QByteArray& bytes);
// Flushes to the disk and closes.
bool SyncAndClose(NewFile& file);
// Renames `from` over `to` in one step.
bool Replace(const QString& from, const QString& to, int& error);
bool IsDiskFull(int error);
// The rename failed only because the two are on different file systems.
bool IsOtherFileSystem(int error);

}  // namespace ptlog::fs
