#pragma once

#include "output/report/Report.h"

#include <QByteArray>
#include <QString>

namespace ptlog {

// One record file as the library lists it: where it is, what its header and
// its name say, and what is wrong with it.
struct RecordEntry {
  QString folder, name;        // the folder with '/' separators, no trailing one
  qint64 size = 0, mtime = 0;  // as listed: a changed file differs in either
  int problem = RecordProblem::None;
  qint64 have = 0, whole = 0;  // characters, of a record cut short
  QByteArray hash;             // of the record line; empty for a damaged file
  qint64 when = 0;             // yyyyMMddhhmmss, for sorting
  int pipeType = -1;           // -1 for a damaged file
  bool failed = false;         // the logger's verdict of a typed test
  QString date, number, pipe, pressure, duration, verdict;  // as the main window shows them

  QString Path() const { return folder + QLatin1Char('/') + name; }
};

// A file larger than this has a first line the main window refuses.
inline constexpr qint64 kLargestRecordFile = qint64(1024) * 1024 + 2;
inline constexpr int kTooLarge = RecordProblem::NotDrawable + 1;

// Reads and decodes a record file as the main window does.
RecordEntry ReadRecordEntry(const QString& folder, const QString& name, qint64 size, qint64 mtime);

// Why a file is marked, in the window's words; empty for a whole record.
QString ProblemText(const RecordEntry& entry);

// The form searches compare: full-width and half-width forms alike (NFKC),
// letter case folded.
QString SearchForm(const QString& text);

}  // namespace ptlog
