// The settings file written by the two programs at once.
#include "TestSupport.h"
#include "platform/FileAccess.h"
#include "settings/IniFile.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace ptlog;
using namespace ptlog::test;

namespace {

TEST(SettingsWrites, TwoProgramsWritingAtOnceLoseNoKey) {
  Scratch scratch;
  // Large enough that a read-change-replace takes a while.
  const QString ini = scratch.Write("KESTRA PTLOG.ini", "[Filler]\r\nKey=" + QByteArray(10 << 20, 'x') + "\r\n");
  for (int round = 0; round < 30; ++round) {
    const QString port = QString::number(round + 2), scale = round % 2 ? "2MPa" : "1MPa";
    const pid_t child = ::fork();
    if (child == 0)  // the tool applying its port while the main program exits
      ::_exit(WriteProfileStrings(ini, {{"Port Set", "CommPort", port}}) ? 0 : 1);
    const bool wrote = WriteProfileStrings(ini, {{"Display Set", "Scale", scale}});
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(wrote && child > 0 && status == 0) << round;
    EXPECT_EQ(ReadProfileString(ini, "Port Set", "CommPort", "") + ReadProfileString(ini, "Display Set", "Scale", ""),
              port + scale) << round;
  }
  EXPECT_EQ(QDir(scratch.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"KESTRA PTLOG.ini"});
}

// A killed writer's temporary file goes at the next program's first write
// into that folder; another program's write in progress, and anything not
// named as our temporary files, stays.
TEST(FileWrites, LeftoversOfKilledWritersGoAtTheNextWrite) {
  Scratch scratch;
  const pid_t killed = ::fork();
  if (killed == 0) ::_exit(0);
  ::waitpid(killed, nullptr, 0);
  const QString gone = QStringLiteral("%1-k3x").arg(killed);
  const QStringList stay{".a.txt.ptlog-1-k3x", ".a.txt.ptlog-x1-2", "a.txt.ptlog-" + gone, ".a.txt.ptlog_" + gone};
  for (const QString& name : stay + QStringList{".a.txt.ptlog-" + gone, ".b.ini.ptlog-" + gone}) scratch.Write(name, "x");
  ASSERT_EQ(WriteFileAtomically(scratch.Path("c.txt"), QByteArray("new")), WriteResult::Written);
  // A new file gets the usual permissions; a replaced one keeps its own.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  struct stat st {};
  EXPECT_EQ(::stat(QFile::encodeName(scratch.Path("c.txt")).constData(), &st) == 0 ? st.st_mode & 0777 : 0, 0666 & ~mask);
  ::chmod(QFile::encodeName(scratch.Path("c.txt")).constData(), 0640);
  WriteFileAtomically(scratch.Path("c.txt"), QByteArray("again"));
  EXPECT_EQ(::stat(QFile::encodeName(scratch.Path("c.txt")).constData(), &st) == 0 ? st.st_mode & 0777 : 0, 0640u);
  QStringList expected = stay + QStringList{"c.txt"};
  expected.sort();
  EXPECT_EQ(AllEntries(scratch.Root()), expected);
}

}  // namespace
