#include "settings/IniFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ptlog;
using ptlog::test::Scratch;
using ptlog::test::ShiftJis;

namespace {

// Settings files are shared with the logger's other software and edited by
// hand: each case is a file as it may be found, and the value read from it.
TEST(ReadProfile, GivesValueOrDefault) {
  const QByteArray long300 = "[D]\r\nP=" + QByteArray(300, 'x') + "\r\n";
  // One ASCII byte, then 127 double-byte characters: byte 254 is a first half.
  const QByteArray longKanji = "[D]\r\nP=a" + ShiftJis(QString(127, QChar(0x7A7A))) + "\r\n";
  const struct {
    QByteArray file;  // null: no file at all
    QString section, key, expected;
  } cases[] = {
      {QByteArray(), "Port Set", "CommPort", "<default>"},
      {"[Other]\r\nCommPort=5\r\n", "Port Set", "CommPort", "<default>"},
      {"[Port Set]\r\nReadRetrial=2\r\n", "Port Set", "CommPort", "<default>"},
      {"[Port Set]\r\nCommSettings=\r\n", "Port Set", "CommSettings", ""},  // empty is not absent
      {"[port SET]\r\ncommport=5\r\n", "Port Set", "CommPort", "5"},
      {"[Port Set]\r\n CommPort \t=  7 \r\n", "Port Set", "CommPort", "7"},
      {"[Data Set]\r\nDataPath=\"/a b/\"\r\n", "Data Set", "DataPath", "/a b/"},
      {"[A]\r\nK=a=b\r\n", "A", "K", "a=b"},
      {"[A]\r\nK=1\r\n[B]\r\nK=2\r\n", "B", "K", "2"},
      {"[A]\r\nK=1\r\nK=2\r\n", "A", "K", "1"},
      {"[A]\nK=1\n", "A", "K", "1"},
      {"[A]\r\nK=last", "A", "K", "last"},
      {"[A]\r\n;K=1\r\nK=2\r\n", "A", "K", "2"},
      {"[Display Set]\r\nModel=\x90\x85\x88\xB3\r\n", "Display Set", "Model", "水圧"},
      {"[\x89\x5D]\r\nK=ok\r\n", "云", "K", "ok"},  // the second byte looks like ]
      {long300, "D", "P", QString(254, 'x')},
      {longKanji, "D", "P", "a" + QString(126, QChar(0x7A7A))},  // never half a character
      {QByteArray("[A]\r\nK=ab\0cd\r\n", 14), "A", "K", "ab"},
  };
  Scratch scratch;
  for (const auto& c : cases) {
    const QString path = c.file.isNull() ? scratch.Path("absent.ini") : scratch.Write("s.ini", c.file);
    EXPECT_EQ(ReadProfileString(path, c.section, c.key, "<default>"), c.expected) << c.file.constData();
  }
}

TEST(WriteProfile, ChangesOnlyTheKeyAndLeavesNoTemporary) {
  const struct {
    QByteArray before;  // null: no file
    std::vector<SettingWrite> writes;
    QByteArray after;
  } cases[] = {
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
  for (const auto& c : cases) {
    Scratch scratch;
    const QString path = c.before.isNull() ? scratch.Path("s.ini") : scratch.Write("s.ini", c.before);
    ASSERT_TRUE(WriteProfileStrings(path, c.writes));
    EXPECT_EQ(Scratch::Read(path), c.after);
    EXPECT_EQ(QDir(scratch.Path(".")).entryList(QDir::Files | QDir::Hidden), QStringList{"s.ini"});
  }
}

TEST(WriteProfile, RefusedWithoutAFolderForAFolderOrAReadOnlyFile) {
  Scratch scratch;
  const QString notAFolder = scratch.Write("plain", "x");
  QDir().mkpath(scratch.Path("dir.ini"));
  for (const QString& path : {scratch.Path("no/such/dir/s.ini"), notAFolder + "/s.ini", scratch.Path("dir.ini")}) {
    EXPECT_FALSE(WriteProfileStrings(path, {{"A", "K", "v"}})) << path.toStdString();
    EXPECT_FALSE(QFileInfo(path).isFile());
  }
  EXPECT_EQ(Scratch::Read(notAFolder), "x");

  const QString path = scratch.Write("s.ini", "[A]\r\nK=1\r\n");
  ptlog::test::SetWritable(path, false);
  // The folder would take a new file: only the file's own permission stops it.
  QFile::setPermissions(scratch.Root(), QFileDevice::Permissions(0x7777));
  ptlog::test::AsOrdinaryUser user(scratch);
  EXPECT_FALSE(WriteProfileStrings(path, {{"A", "K", "2"}}));
  EXPECT_EQ(Scratch::Read(path), "[A]\r\nK=1\r\n");
}

}  // namespace
