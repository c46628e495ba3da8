#include "settings/MainSettings.h"

#include "TestSupport.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ptlog;
using ptlog::test::Scratch;

namespace {

TEST(Location, CommandLineTextOrBesideTheProgramOrTheUsersConfiguration) {
  Scratch scratch;
  const QString portable = scratch.Path("portable"), installed = "/nonexistent/bin";
  QDir().mkpath(portable);
  const QString config = "/home/u/.config";
  struct Case {
    QString folder;
    QStringList args;
    QString expected;
  } cases[] = {
      {portable, {"prog"}, portable + "/KESTRA PTLOG.ini"},
      {portable, {"prog", ""}, portable + "/KESTRA PTLOG.ini"},
      // A folder the program cannot write: the user's own settings.
      {installed, {"prog"}, config + "/KESTRA PTLOG/KESTRA PTLOG.ini"},
      {installed, {"prog", "/tmp/other.ini"}, "/tmp/other.ini"},
      {installed, {"prog", "\"/tmp/q.ini\""}, "\"/tmp/q.ini\""},
      {installed, {"prog", " /tmp/x.ini "}, " /tmp/x.ini "},
      {installed, {"prog", "/tmp/with", "blank.ini"}, "/tmp/with blank.ini"},
  };
  for (const Case& c : cases) {
    const SettingsLocation where = LocateSettings(c.folder, c.args, config);
    EXPECT_EQ(where.ProgramFolderPath, c.folder + "/");
    EXPECT_EQ(where.SettingsFilePath, c.expected) << c.args.join('|').toStdString();
    EXPECT_EQ(where.CreateFolder, c.expected.startsWith(config));
  }
}

TEST(Location, UsersSettingsFolderIsMadeAtTheFirstWrite) {
  Scratch scratch;
  const SettingsLocation where = LocateSettings("/nonexistent/bin", {"prog"}, scratch.Path("config"));
  ASSERT_TRUE(WriteSetting(where, "Display Set", "Scale", "2MPa"));
  EXPECT_EQ(ReadSetting(where, "Display Set", "Scale", ""), "2MPa");
  EXPECT_TRUE(QFile::exists(scratch.Path("config/KESTRA PTLOG/KESTRA PTLOG.ini")));
}

TEST(Location, ArgumentsOutsideTheFileNameEncodingAreRefused) {
  const std::pair<const char*, bool> cases[] = {
      {"/home/検査/KESTRA PTLOG.ini", true}, {"/home/\x8C\x9F\x8D\xB8/s.ini", false}, {"\xFF", false}};
  for (auto [argument, names] : cases) {
    const char* argv[] = {"kestra-ptlog", argument};
    EXPECT_EQ(ArgumentsNameFiles(2, argv), names) << argument;
  }
  const char* argv[] = {"kestra-ptlog"};
  EXPECT_TRUE(ArgumentsNameFiles(1, argv));
}

TEST(MainSettingsRead, NoFileGivesTheDefaults) {
  Scratch scratch;
  const SettingsLocation where{"/opt/kp/", scratch.Path("none.ini")};
  MainSettings s;
  ReadMainSettings(where, s);
  EXPECT_EQ(s.CommPort, 1);
  EXPECT_EQ(s.CommSettings, "9600,n,8,1");
  EXPECT_EQ(s.ReadRetrial, 3);
  EXPECT_EQ(s.DataPath, QDir::homePath() + "/KESTRA PTLOG DATA/");
  EXPECT_EQ(s.ProgramPath, "/opt/kp/");
  EXPECT_EQ(ReadDetailsState(where), 1);
}

// The port keys are read in order; the first failure stops the rest.
TEST(PortSet, ReadsInOrderAndStopsAtAFailure) {
  const struct {
    const char* file;
    int commPort, readRetrial, error;  // error 0: none
    const char* commSettings;
  } cases[] = {
      {"[Port Set]\r\nCommPort=3.5\r\nReadRetrial=5 times\r\n", 4, 5, 0, "9600,n,8,1"},
      {"[Port Set]\r\nCommPort=2\r\nReadRetrial=abc\r\nCommSettings=\r\n", 2, 0, 0, ""},
      {"[Port Set]\r\nCommPort=COM1\r\n", 0, 0, 13, ""},
      {"[Port Set]\r\nCommPort=40000\r\n", 0, 0, 6, ""},
      {"[Port Set]\r\nCommPort=2\r\nReadRetrial=99999\r\nCommSettings=4800,e,7,2\r\n", 2, 0, 6, "4800,e,7,2"}};
  for (const auto& c : cases) {
    Scratch scratch;
    MainSettings s;
    int error = 0;
    try {
      ReadMainSettings({"/p/", scratch.Write("s.ini", c.file)}, s);
    } catch (const PlatformError& e) {
      error = e.Number();
    }
    EXPECT_EQ(std::make_tuple(error, int(s.CommPort), int(s.ReadRetrial), s.CommSettings),
              std::make_tuple(c.error, c.commPort, c.readRetrial, QString::fromUtf8(c.commSettings)))
        << c.file;
  }
}

TEST(DetailsRead, StatesAndFailures) {
  const std::pair<const char*, int> cases[] = {{"0", 0},     {"2", 2},    {"1.5", 2},   {"3", -380},
                                               {"-1", -380}, {"", -13},   {"yes", -13}, {"70000", -6}};
  for (auto [text, expected] : cases) {
    Scratch scratch;
    const SettingsLocation where{
        "/p/", scratch.Write("s.ini", QByteArray("[Display Set]\r\nDetails=") + text + "\r\n")};
    int got;
    try {
      got = ReadDetailsState(where);
    } catch (const PlatformError& e) {
      got = -e.Number();
    }
    EXPECT_EQ(got, expected) << '"' << text << '"';
  }
}

}  // namespace
