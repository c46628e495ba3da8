// The settings file written by the two programs at once.
#include "TestSupport.h"
#include "settings/IniFile.h"

#include <sys/wait.h>
#include <unistd.h>

using namespace ptlog;
using namespace ptlog::test;

namespace {

TEST(SettingsWrites, TwoProgramsWritingAtOnceLoseNoKey) {
  Scratch scratch;
  // Large enough that a read-change-replace takes a while.
  QByteArray big = "[Port Set]\r\nCommPort=1\r\n[Display Set]\r\nScale=1MPa\r\n[Filler]\r\n";
  for (int i = 0; big.size() < 10 * 1024 * 1024; ++i)
    big += "Key" + QByteArray::number(i) + "=" + QByteArray(200, 'x') + "\r\n";
  const QString ini = scratch.Write("KESTRA PTLOG.ini", big);

  for (int round = 0; round < 30; ++round) {
    const QString port = QString::number(round + 2), scale = round % 2 ? "2MPa" : "1MPa";
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0)  // the tool applying its port while the main program exits
      ::_exit(WriteProfileStrings(ini, {{"Port Set", "CommPort", port}}) ? 0 : 1);
    const bool wrote = WriteProfileStrings(ini, {{"Display Set", "Scale", scale}});
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(wrote && WIFEXITED(status) && WEXITSTATUS(status) == 0) << round;
    EXPECT_EQ(ReadProfileString(ini, "Port Set", "CommPort", ""), port) << round;
    EXPECT_EQ(ReadProfileString(ini, "Display Set", "Scale", ""), scale) << round;
  }
  EXPECT_EQ(QDir(scratch.Path("")).entryList(QDir::Files | QDir::Hidden), QStringList{"KESTRA PTLOG.ini"});
}

}  // namespace
