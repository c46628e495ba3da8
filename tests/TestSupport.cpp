#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#ifdef Q_OS_WIN
#include <windows.h>
#else
#include <sys/fsuid.h>
#include <unistd.h>
#endif

namespace ptlog::test {

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

#ifdef Q_OS_WIN
// Under Wine the Linux tools (poppler's) run from the drive that maps /, are
// given the Unix names of the files, and write into a file: Wine hands a
// Linux program no pipe.
QString RunTool(const QString& program, const QStringList& args) {
  using UnixName = char*(__cdecl*)(const wchar_t*);
  const auto unixName = reinterpret_cast<UnixName>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!unixName) return {};
  QString command = QStringLiteral("Z:\\usr\\bin\\") + program;
  for (const QString& arg : args) {  // the Unix names' memory is left to the test's end
    const char* name = arg.contains(QLatin1Char(':')) ? unixName(qUtf16Printable(Native(arg))) : nullptr;
    command += QStringLiteral(" \"%1\"").arg(name ? QString::fromLocal8Bit(name) : arg);
  }
  QTemporaryDir dir;
  const QString out = Native(dir.filePath(QStringLiteral("out.txt")));
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  STARTUPINFOW startup{};
  startup.cb = sizeof startup, startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = ::CreateFileW(qUtf16Printable(out), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                                     CREATE_ALWAYS, 0, nullptr);
  PROCESS_INFORMATION process{};
  std::wstring line = command.toStdWString();
  if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
    ::CloseHandle(process.hProcess), ::CloseHandle(process.hThread);
  ::CloseHandle(startup.hStdOutput);
  // Wine cannot wait for a Linux process: the output is whole once it has
  // stopped growing for a while.
  QByteArray text;
  for (int quiet = 0, waited = 0; quiet < 10 && waited < 1200; ++waited) {
    ::Sleep(50);
    const QByteArray now = Scratch::Read(out);
    quiet = !now.isEmpty() && now == text ? quiet + 1 : 0;
    text = now;
  }
  return QString::fromUtf8(text);
}
#else
QString RunTool(const QString& program, const QStringList& args) {
  QProcess p;
  p.start(program, args);
  p.waitForFinished(60000);
  return QString::fromUtf8(p.readAllStandardOutput());
}
#endif

#ifndef Q_OS_WIN
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

#endif

}  // namespace ptlog::test
