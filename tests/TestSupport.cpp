#include "TestSupport.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <sys/fsuid.h>
#include <unistd.h>

namespace ptlog::test {

Scratch::Scratch() { dir_.setAutoRemove(true); }

QString Scratch::Path(const QString& name) const { return dir_.filePath(name); }

QString Scratch::Write(const QString& name, const QByteArray& bytes) const {
  const QString path = Path(name);
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

QByteArray Scratch::Read(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray ShiftJis(const QString& text) { return EncodeSettingText(text); }

QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}

namespace {
constexpr uid_t kNobody = 65534;
}

AsOrdinaryUser::AsOrdinaryUser(const Scratch& scratch) {
  if (::geteuid() != 0) return;
  QFile::setPermissions(scratch.Root(),
                        QFile::permissions(scratch.Root()) | QFile::ExeOther | QFile::ReadOther);
  ::setfsuid(kNobody);
  ::setfsgid(kNobody);
  switched_ = true;
}

AsOrdinaryUser::~AsOrdinaryUser() {
  if (!switched_) return;
  ::setfsuid(0);
  ::setfsgid(0);
}

void SetWritable(const QString& path, bool writable) {
  constexpr auto kWrite = QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther;
  const QFile::Permissions now = QFile::permissions(path);
  QFile::setPermissions(path, writable ? now | QFile::WriteOwner | QFile::WriteUser : now & ~kWrite);
}

}  // namespace ptlog::test
