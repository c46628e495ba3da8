// The settings file: its text, the values the programs read from it, and where it is.
#include "settings/IniFile.h"
#include "settings/MainSettings.h"

#include "TestSupport.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

// Settings files are shared with the logger's other software and edited by
// hand: each case is a file as it may be found, and the value read from it.
TEST(ReadProfile, GivesValueOrDefault) {
  const QByteArray long300 = "[D]\r\nP=" + QByteArray(300, 'x') + "\r\n";
  // One ASCII byte, then 127 double-byte characters: byte 254 is a first half.
  const QByteArray longKanji = "[D]\r\nP=a" + EncodeSettingText(QString(127, QChar(0x7A7A))) + "\r\n";
  const std::tuple<QByteArray, QString, QString, QString> cases[] = {  // file (null: none), section, key, value
      {QByteArray(), "Port Set", "CommPort", "<default>"}, {"[Other]\r\nCommPort=5\r\n", "Port Set", "CommPort", "<default>"},
      {"[Port Set]\r\nRetrial=2\r\n", "Port Set", "CommPort", "<default>"}, {"[A]\r\nK=\r\n", "A", "K", ""},
      {"[port SET]\r\ncommport=5\r\n", "Port Set", "CommPort", "5"}, {"[A]\r\n K \t=  7 \r\n", "A", "K", "7"},
      {"[D]\r\nP=\"/a b/\"\r\n", "D", "P", "/a b/"}, {"[A]\r\nK=a=b\r\n", "A", "K", "a=b"},
      {"[A]\r\nK=1\r\n[B]\r\nK=2\r\n", "B", "K", "2"}, {"[A]\r\nK=1\r\nK=2\r\n", "A", "K", "1"},
      {"[A]\nK=1\n", "A", "K", "1"}, {"[A]\r\nK=last", "A", "K", "last"}, {"[A]\r\n;K=1\r\nK=2\r\n", "A", "K", "2"},
      {"[Display Set]\r\nModel=\x90\x85\x88\xB3\r\n", "Display Set", "Model", "水圧"},
      {"[\x89\x5D]\r\nK=ok\r\n", "云", "K", "ok"},  // the second byte looks like ]
      {long300, "D", "P", QString(254, 'x')},
      {longKanji, "D", "P", "a" + QString(126, QChar(0x7A7A))},  // never half a character
      {QByteArray("[A]\r\nK=ab\0cd\r\n", 14), "A", "K", "ab"}};
  Scratch scratch;
  for (const auto& [file, section, key, value] : cases) {
    const QString path = file.isNull() ? scratch.Path("absent.ini") : scratch.Write("s.ini", file);
    EXPECT_EQ(ReadProfileString(path, section, key, "<default>"), value) << file.constData();
  }
}

TEST(WriteProfile, ChangesOnlyTheKeyAndLeavesNoTemporary) {
  const std::tuple<QByteArray, std::vector<SettingWrite>, QByteArray> cases[] = {  // before (null: none), writes, after
      {QByteArray(), {{"Display Set", "Scale", "1MPa"}}, "[Display Set]\r\nScale=1MPa\r\n"},
      {"; c\r\n[Display Set]\r\nScale=2MPa\r\nOther=x\r\n", {{"Display Set", "Scale", "1MPa"}},
       "; c\r\n[Display Set]\r\nScale=1MPa\r\nOther=x\r\n"},
      // The file's spelling of the key stays.
      {"[display set]\r\n SCALE = 2MPa\r\n", {{"Display Set", "Scale", "1MPa"}}, "[display set]\r\n SCALE =1MPa\r\n"},
      {"[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n", {{"A", "Z", "3"}}, "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n"},
      {"[A]\nX=1\n", {{"A", "Y", "2"}}, "[A]\nX=1\nY=2\n"},
      {"[A]\r\nX=1", {{"B", "Y", "2"}}, "[A]\r\nX=1\r\n[B]\r\nY=2\r\n"},
      {QByteArray(), {{"Display Set", "Model", "空圧"}}, "[Display Set]\r\nModel=\x8B\xF3\x88\xB3\r\n"},
      {"\xFF\xFE junk\r\n[A]\r\nX=1\r\n", {{"A", "X", "2"}}, "\xFF\xFE junk\r\n[A]\r\nX=2\r\n"},
      {"[A]\r\nX=1\r\n", {{"A", "X", "a\r\nb"}}, "[A]\r\nX=ab\r\n"},  // no line break enters a value
      {QByteArray(),
       {{"Port Set", "CommPort", "007"}, {"Data Set", "DataPath", "/d/"}, {"Port Set", "CommSettings", "9600"}},
       "[Port Set]\r\nCommPort=007\r\nCommSettings=9600\r\n[Data Set]\r\nDataPath=/d/\r\n"},
  };
  for (const auto& [before, writes, after] : cases) {
    Scratch scratch;
    const QString path = before.isNull() ? scratch.Path("s.ini") : scratch.Write("s.ini", before);
    ASSERT_TRUE(WriteProfileStrings(path, writes));
    EXPECT_EQ(Scratch::Read(path), after);
    EXPECT_EQ(QDir(scratch.Path(".")).entryList(QDir::Files | QDir::Hidden), QStringList{"s.ini"});
  }
}

TEST(Location, CommandLineTextOrBesideTheProgramOrTheUsersConfiguration) {
  Scratch scratch;
  const QString portable = scratch.Path("portable"), installed = "/nonexistent/bin", config = scratch.Path("config");
  QDir().mkpath(portable);
  const std::tuple<QString, QStringList, QString> cases[] = {{portable, {"prog"}, Native(portable + "/KESTRA PTLOG.ini")},
               {portable, {"prog", ""}, Native(portable + "/KESTRA PTLOG.ini")},
               // A folder the program cannot write: the user's own settings.
               {installed, {"prog"}, Native(config + "/KESTRA PTLOG/KESTRA PTLOG.ini")},
               {installed, {"prog", "\"/tmp/q.ini\""}, "\"/tmp/q.ini\""},
               {installed, {"prog", "/tmp/with", "blank.ini"}, "/tmp/with blank.ini"}};
  for (const auto& [folder, args, expected] : cases) {
    const SettingsLocation where = LocateSettings(folder, args, config);
    EXPECT_EQ(std::make_tuple(where.ProgramFolderPath, where.SettingsFilePath, where.CreateFolder),
              std::make_tuple(Native(folder + "/"), expected, expected.startsWith(Native(config))));
  }
  // An installed program never takes its own folder, writable as it may be.
  EXPECT_EQ(LocateSettings(portable, {"prog"}, config, true).SettingsFilePath,
            Native(config + "/KESTRA PTLOG/KESTRA PTLOG.ini"));
  // The user's settings folder is made at the first write.
  const SettingsLocation users = LocateSettings(installed, {"prog"}, config);
  ASSERT_TRUE(WriteSetting(users, "Display Set", "Scale", "2MPa"));
  EXPECT_EQ(ReadSetting(users, "Display Set", "Scale", ""), "2MPa");

#ifndef Q_OS_WIN  // Windows hands the programs their command line as UTF-16
  const std::pair<const char*, bool> arguments[] = {
      {"/home/検査/KESTRA PTLOG.ini", true}, {"/home/\x8C\x9F\x8D\xB8/s.ini", false}, {"\xFF", false}};
  for (auto [argument, names] : arguments) {
    const char* argv[] = {"kestra-ptlog", argument};
    EXPECT_EQ(ArgumentsNameFiles(2, argv), names) << argument;
  }
#endif
}

// The main program's keys: defaults, then read in order; the first failure
// stops the rest.
TEST(MainSettings, ReadInOrderStoppingAtAFailure) {
  Scratch scratch;
  MainSettings defaults;
#ifdef Q_OS_WIN
  // The data folder is on the program's drive.
  const QString program = "D:\\kp\\", data = "D:\\KESTRA PTLOG DATA\\";
#else
  const QString program = "/opt/kp/", data = QDir::homePath() + "/KESTRA PTLOG DATA/";
#endif
  ReadMainSettings({program, scratch.Path("none.ini")}, defaults);
  EXPECT_EQ(std::make_tuple(int(defaults.CommPort), defaults.CommSettings, int(defaults.ReadRetrial),
                            defaults.DataPath, defaults.ProgramPath),
            std::make_tuple(1, QString("9600,n,8,1"), 3, data, program));
  const std::tuple<const char*, int, int, int, const char*> cases[] = {  // file, port, retrial, error, line
      // Whole numbers round half to even; a number at the start of a text counts.
      {"[Port Set]\r\nCommPort=3.5\r\nReadRetrial=5.7 times\r\n", 4, 6, 0, "9600,n,8,1"},
      {"[Port Set]\r\nCommPort= 2.5 \r\nReadRetrial=-1e1x\r\n", 2, -10, 0, "9600,n,8,1"},
      {"[Port Set]\r\nCommPort=2\r\nReadRetrial=abc\r\nCommSettings=\r\n", 2, 0, 0, ""},
      {"[Port Set]\r\nCommPort=COM1\r\n", 0, 0, -1013, ""},
      {"[Port Set]\r\nCommPort=32767.5\r\n", 0, 0, -1006, ""},
      {"[Port Set]\r\nCommPort=-32768.5\r\nReadRetrial=-32768.5\r\n", -32768, -32768, 0, "9600,n,8,1"},
      {"[Port Set]\r\nCommPort=2\r\nReadRetrial=99999\r\nCommSettings=4800,e,7,2\r\n", 2, 0, -1006, "4800,e,7,2"}};
  for (const auto& [file, port, retrial, error, line] : cases) {
    MainSettings s;
    const int got = ValueOrError([&] { return ReadMainSettings({"/p/", scratch.Write("s.ini", file)}, s), 0; });
    EXPECT_EQ(std::make_tuple(got, int(s.CommPort), int(s.ReadRetrial), s.CommSettings),
              std::make_tuple(error, port, retrial, QString::fromUtf8(line))) << file;
  }
  const std::pair<const char*, int> details[] = {{"0", 0}, {"1.5", 2}, {"3", -1380}, {"", -1013}, {"70000", -1006}};
  for (auto [text, expected] : details) {
    const QString ini = scratch.Write("s.ini", QByteArray("[Display Set]\r\nDetails=") + text + "\r\n");
    EXPECT_EQ(ValueOrError([&] { return ReadDetailsState({"/p/", ini}); }), expected) << '"' << text << '"';
  }
}

}  // namespace
