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

}  // namespace
