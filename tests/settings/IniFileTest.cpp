#include "settings/IniFile.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace ptlog;
using ptlog::test::Scratch;
using ptlog::test::ShiftJis;

namespace {

struct ReadCase {
  const char* what;
  QByteArray file;  // empty: no file at all
  QString section, key, defaultText, expected;
};

class ReadProfile : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadProfile, GivesValueOrDefault) {
  const ReadCase& c = GetParam();
  Scratch scratch;
  const QString path = c.file.isNull() ? scratch.Path("absent.ini") : scratch.Write("s.ini", c.file);
  EXPECT_EQ(ReadProfileString(path, c.section, c.key, c.defaultText), c.expected) << c.what;
}

const QByteArray kLong300 = "[D]\r\nP=" + QByteArray(300, 'x') + "\r\n";
// One ASCII byte, then 127 double-byte characters: byte 254 is a first half.
const QByteArray kLongKanji = "[D]\r\nP=a" + ShiftJis(QString(127, QChar(0x7A7A))) + "\r\n";

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadProfile,
    ::testing::Values(
        ReadCase{"no file", QByteArray(), "Port Set", "CommPort", "1", "1"},
        ReadCase{"no section", "[Other]\r\nCommPort=5\r\n", "Port Set", "CommPort", "1", "1"},
        ReadCase{"no key", "[Port Set]\r\nReadRetrial=2\r\n", "Port Set", "CommPort", "1", "1"},
        ReadCase{"empty value is not the default", "[Port Set]\r\nCommSettings=\r\n", "Port Set",
                 "CommSettings", "9600,n,8,1", ""},
        ReadCase{"case of section and key", "[port SET]\r\ncommport=5\r\n", "Port Set", "CommPort", "1", "5"},
        ReadCase{"blanks around key and value", "[Port Set]\r\n CommPort \t=  7 \r\n", "Port Set", "CommPort",
                 "1", "7"},
        ReadCase{"enclosing quotes dropped", "[Data Set]\r\nDataPath=\"/a b/\"\r\n", "Data Set", "DataPath",
                 "", "/a b/"},
        ReadCase{"equals sign inside the value", "[A]\r\nK=a=b\r\n", "A", "K", "", "a=b"},
        ReadCase{"key of another section", "[A]\r\nK=1\r\n[B]\r\nK=2\r\n", "B", "K", "", "2"},
        ReadCase{"first of two equal keys", "[A]\r\nK=1\r\nK=2\r\n", "A", "K", "", "1"},
        ReadCase{"LF line ends", "[A]\nK=1\n", "A", "K", "", "1"},
        ReadCase{"no line end at the end", "[A]\r\nK=last", "A", "K", "", "last"},
        ReadCase{"Shift-JIS written on Windows", "[Display Set]\r\nModel=\x90\x85\x88\xB3\r\n", "Display Set",
                 "Model", "", "水圧"},
        ReadCase{"section name whose second byte looks like ]", "[\x89\x5D]\r\nK=ok\r\n", "云", "K", "",
                 "ok"},
        ReadCase{"cut after 254 bytes", kLong300, "D", "P", "", QString(254, 'x')},
        ReadCase{"never inside a double-byte character", kLongKanji, "D", "P", "",
                 "a" + QString(126, QChar(0x7A7A))},
        ReadCase{"NUL ends the text", QByteArray("[A]\r\nK=ab\0cd\r\n", 14), "A", "K", "", "ab"},
        ReadCase{"comment lines are not keys", "[A]\r\n;K=1\r\nK=2\r\n", "A", "K", "", "2"}));

struct WriteCase {
  const char* what;
  QByteArray before;  // null: no file
  std::vector<SettingWrite> writes;
  QByteArray after;
};

class WriteProfile : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteProfile, ChangesOnlyTheKey) {
  const WriteCase& c = GetParam();
  Scratch scratch;
  const QString path = c.before.isNull() ? scratch.Path("s.ini") : scratch.Write("s.ini", c.before);
  ASSERT_TRUE(WriteProfileStrings(path, c.writes)) << c.what;
  EXPECT_EQ(Scratch::Read(path), c.after) << c.what;
  EXPECT_EQ(QDir(scratch.Path(".")).entryList(QDir::Files), QStringList{"s.ini"})
      << "no temporary file left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WriteProfile,
    ::testing::Values(WriteCase{"created on first write",
                                QByteArray(),
                                {{"Display Set", "Scale", "1MPa"}},
                                "[Display Set]\r\nScale=1MPa\r\n"},
                      WriteCase{"value replaced, other lines kept",
                                "; comment\r\n[Display Set]\r\nScale=2MPa\r\nOther=x\r\n",
                                {{"Display Set", "Scale", "1MPa"}},
                                "; comment\r\n[Display Set]\r\nScale=1MPa\r\nOther=x\r\n"},
                      WriteCase{"file's spelling of the key kept",
                                "[display set]\r\n SCALE = 2MPa\r\n",
                                {{"Display Set", "Scale", "1MPa"}},
                                "[display set]\r\n SCALE =1MPa\r\n"},
                      WriteCase{"new key after the section's last line",
                                "[A]\r\nX=1\r\n\r\n[B]\r\nY=2\r\n",
                                {{"A", "Z", "3"}},
                                "[A]\r\nX=1\r\nZ=3\r\n\r\n[B]\r\nY=2\r\n"},
                      WriteCase{"LF file stays LF", "[A]\nX=1\n", {{"A", "Y", "2"}}, "[A]\nX=1\nY=2\n"},
                      WriteCase{"new section after a last line without line end",
                                "[A]\r\nX=1",
                                {{"B", "Y", "2"}},
                                "[A]\r\nX=1\r\n[B]\r\nY=2\r\n"},
                      WriteCase{"Shift-JIS bytes",
                                QByteArray(),
                                {{"Display Set", "Model", "空圧"}},
                                "[Display Set]\r\nModel=\x8B\xF3\x88\xB3\r\n"},
                      WriteCase{"undecodable bytes elsewhere kept",
                                "\xFF\xFE junk\r\n[A]\r\nX=1\r\n",
                                {{"A", "X", "2"}},
                                "\xFF\xFE junk\r\n[A]\r\nX=2\r\n"},
                      WriteCase{"line breaks cannot enter a value",
                                "[A]\r\nX=1\r\n",
                                {{"A", "X", "a\r\nb"}},
                                "[A]\r\nX=ab\r\n"},
                      WriteCase{"several keys in one replacement",
                                QByteArray(),
                                {{"Port Set", "CommPort", "007"},
                                 {"Data Set", "DataPath", "/d/"},
                                 {"Port Set", "CommSettings", "9600,n,8,1"}},
                                "[Port Set]\r\nCommPort=007\r\nCommSettings=9600,n,8,1\r\n"
                                "[Data Set]\r\nDataPath=/d/\r\n"}));

TEST(WriteProfileFailure, NoFolderOrAFolderInPlaceChangesNothing) {
  Scratch scratch;
  const QString notAFolder = scratch.Write("plain", "x");
  QDir().mkpath(scratch.Path("dir.ini"));
  for (const QString& path : {scratch.Path("no/such/dir/s.ini"), notAFolder + "/s.ini", scratch.Path("dir.ini")}) {
    EXPECT_FALSE(WriteProfileStrings(path, {{"A", "K", "v"}})) << path.toStdString();
    EXPECT_FALSE(QFileInfo(path).isFile());
  }
  EXPECT_EQ(Scratch::Read(notAFolder), "x");
}

TEST(WriteProfileFailure, ReadOnlyFileIsLeftAlone) {
  Scratch scratch;
  const QString path = scratch.Write("s.ini", "[A]\r\nK=1\r\n");
  ptlog::test::SetWritable(path, false);
  // The folder would take a new file: only the file's own permission stops it.
  QFile::setPermissions(scratch.Root(), QFileDevice::Permissions(0x7777));
  ptlog::test::AsOrdinaryUser user(scratch);
  EXPECT_FALSE(WriteProfileStrings(path, {{"A", "K", "2"}}));
  EXPECT_EQ(Scratch::Read(path), "[A]\r\nK=1\r\n");
}

}  // namespace
