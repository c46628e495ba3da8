#include "record/RecordFile.h"

#include "TestSupport.h"
#include "platform/Errors.h"
#include "record/TestRecord.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

using namespace ptlog;
using ptlog::test::Scratch;

namespace {

int ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const PlatformError& e) {
    return e.Number();
  }
  return 0;
}

TEST(RecordFileReading, FirstItemOfTheFile) {
  const std::pair<QByteArray, const char*> cases[] = {{"0001ABCD\r\n", "0001ABCD"},
                                                      {"  0001\r\nsecond\r\n", "0001"},
                                                      {"00,11\r\n", "00"},
                                                      {"\"a,b\"c\r\n", "a,b"},
                                                      {"last line without end", "last line without end"},
                                                      {"\r\n", ""},
                                                      {"only\n", "only"}};
  for (const auto& [bytes, item] : cases) {
    Scratch scratch;
    EXPECT_EQ(ReadRecordFileItem(scratch.Write("r.txt", bytes)), item) << bytes.constData();
  }
}

TEST(RecordFileReading, ErrorsOfMissingEmptyAndFolder) {
  Scratch scratch;
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Path("none.txt")); }), 53);
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Write("e.txt", "")); }), 62);
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Write("b.txt", "   ")); }), 62);
  QDir().mkpath(scratch.Path("dir.txt"));
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Path("dir.txt")); }), 75);
}

TEST(RecordFileWriting, OneLineWithCrLfReplacingOnlyWhenComplete) {
  Scratch scratch;
  const QString path = scratch.Path("0012060720140530.txt");
  WriteRecordFile(path, "00ABC");
  EXPECT_EQ(Scratch::Read(path), "00ABC\r\n");
  WriteRecordFile(path, "00DEF");
  EXPECT_EQ(Scratch::Read(path), "00DEF\r\n");
  EXPECT_EQ(QDir(scratch.Path(".")).entryList(QDir::Files).size(), 1);
  EXPECT_EQ(ErrorOf([&] { WriteRecordFile(scratch.Path("missing/x.txt"), "0"); }), 76);
}

TEST(RecordFileNames, BaseNameDropsUpToFiveParts) {
  const std::pair<const char*, const char*> cases[] = {
      {"0012060720140530.txt", "0012060720140530.txt"},
      {"x_y_z_2wd_0012060720140530.txt", "0012060720140530.txt"},
      {"a_b_c_d_e_f_g.txt", "f_g.txt"},
      {"A_1_B_C_1es_0012.txt", "0012.txt"},
      {"_.txt", ".txt"}};
  for (auto [name, base] : cases) EXPECT_EQ(BaseName(name), base) << name;
}

TEST(RecordFileNames, SavedNameParts) {
  struct Case {
    const char* name;
    std::array<QString, 3> fields;
    std::optional<QString> flags;
  } cases[] = {
      {"0012060720140530.txt", {"", "", ""}, std::nullopt},
      {"A1_B2_C3_1es_0012060720140530.txt", {"A1", "B2", "C3"}, "1es"},
      {"A1_B2_0012.txt", {"A1", "B2", ""}, std::nullopt},
      {"A_1_B2_C3_2wd_0012.txt", {"A", "1", "B2"}, "C3 "},
      {"A_B_C__0012.txt", {"A", "B", "C"}, "   "},
      {"A_B_C_2w_0012.txt", {"A", "B", "C"}, "2w "},
  };
  for (const Case& c : cases) {
    const SavedName saved = ParseSavedName(c.name);
    EXPECT_EQ(saved.fields, c.fields) << c.name;
    EXPECT_EQ(saved.flags, c.flags) << c.name;
  }
}

TEST(RecordFileNames, FieldsThatCannotStandInAName) {
  for (const char* bad : {"a/b", "a\\b", "..", ".", "a:b", "a*", "q?", "\"x\"", "<", ">", "|", "a\tb"})
    EXPECT_FALSE(UsableInFileName(QString::fromUtf8(bad))) << bad;
  for (const char* good : {"駅前ビル", "A棟", "a.b", "a..b", "with space", "x_y"})
    EXPECT_TRUE(UsableInFileName(QString::fromUtf8(good))) << good;
}

TEST(RecordFileMove, RenamesAndReplacesAnExistingTarget) {
  Scratch scratch;
  const QString from = scratch.Write("a.txt", "record\r\n");
  const QString to = scratch.Write("b.txt", "old\r\n");
  EXPECT_TRUE(MoveRecordFile(from, to));
  EXPECT_FALSE(QFile::exists(from));
  EXPECT_EQ(Scratch::Read(to), "record\r\n");
  EXPECT_FALSE(MoveRecordFile(scratch.Path("gone.txt"), scratch.Path("c.txt")));
  EXPECT_FALSE(MoveRecordFile(to, scratch.Path("no/folder/c.txt")));
  EXPECT_EQ(Scratch::Read(to), "record\r\n") << "a failed move keeps the original";
}

TEST(RecordFileMove, AcrossFileSystemsCopiesThenDeletes) {
  // /dev/shm is a tmpfs on Linux; the scratch folder usually is not.
  QTemporaryDir shm(QStringLiteral("/dev/shm/ptlog-XXXXXX"));
  Scratch scratch;
  if (!shm.isValid()) GTEST_SKIP() << "no /dev/shm";
  const QString from = scratch.Write("a.txt", "record\r\n");
  const QString to = shm.filePath("b.txt");
  EXPECT_TRUE(MoveRecordFile(from, to));
  EXPECT_FALSE(QFile::exists(from));
  EXPECT_EQ(Scratch::Read(to), "record\r\n");
}

}  // namespace
