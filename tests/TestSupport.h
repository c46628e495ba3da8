#pragma once

#include "platform/Errors.h"
#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QTemporaryDir>
#include <ostream>

// Readable texts in test failures.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QStringList& list, std::ostream* os) {
  *os << '{' << list.join(QStringLiteral(", ")).toStdString() << '}';
}

namespace ptlog::test {

// A scratch folder with helpers to write and read files as bytes.
class Scratch {
public:
  QString Path(const QString& name) const { return dir_.filePath(name); }
  QString Write(const QString& name, const QByteArray& bytes) const;
  static QByteArray Read(const QString& path);
  QString Root() const { return dir_.path(); }

private:
  QTemporaryDir dir_;
};

// Every name in a folder, hidden ones too: leftovers of a write show up.
inline QStringList AllEntries(const QString& folder) {
  return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

// A path as the programs write it: backslashes on Windows.
inline QString Native(const QString& path) { return QDir::toNativeSeparators(path); }

// What a program printed on its standard output (a minute at most).
QString RunTool(const QString& program, const QStringList& args);

#ifndef Q_OS_WIN
// File access of this thread goes through an ordinary user's permission
// checks until the end of the scope, so read-only files and folders refuse
// writes even when the tests run as root. The scratch folder is opened for
// that user to pass through.
class AsOrdinaryUser {
public:
  explicit AsOrdinaryUser(const Scratch& scratch);
  ~AsOrdinaryUser();
  AsOrdinaryUser(const AsOrdinaryUser&) = delete;
  AsOrdinaryUser& operator=(const AsOrdinaryUser&) = delete;

private:
  bool switched_ = false;
};

#endif

// What f returns, or -1000 minus the number of the error it raises.
template <typename F>
int ValueOrError(F f) {
  try {
    return int(f());
  } catch (const PlatformError& e) {
    return -1000 - e.Number();
  }
}

}  // namespace ptlog::test
