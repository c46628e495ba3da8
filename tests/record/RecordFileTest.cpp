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

// A record file is one CSV item on one line; users may have edited it.
TEST(RecordFiles, FirstItemIsReadAndWrittenAsOneCrLfLine) {
  const std::pair<QByteArray, const char*> cases[] = {
      {"  0001\r\nsecond\r\n", "0001"}, {"00,11\r\n", "00"}, {"\"a,b\"c\r\n", "a,b"},
      {"last line without end", "last line without end"}, {"\r\n", ""}, {"only\n", "only"}};
  Scratch scratch;
  for (const auto& [bytes, item] : cases)
    EXPECT_EQ(ReadRecordFileItem(scratch.Write("r.txt", bytes)), item) << bytes.constData();
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Path("none.txt")); }), 53);
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Write("e.txt", "   ")); }), 62);
  QDir().mkpath(scratch.Path("dir.txt"));
  EXPECT_EQ(ErrorOf([&] { ReadRecordFileItem(scratch.Path("dir.txt")); }), 75);

  const QString path = scratch.Path("0012060720140530.txt");
  WriteRecordFile(path, "00ABC");
  WriteRecordFile(path, "00DEF");
  EXPECT_EQ(Scratch::Read(path), "00DEF\r\n");
  EXPECT_EQ(ErrorOf([&] { WriteRecordFile(scratch.Path("missing/x.txt"), "0"); }), 76);
}

TEST(RecordFiles, SavedNamesSplitIntoEntriesFlagsAndTheDownloadedName) {
  const struct {
    const char* name;
    std::array<QString, 3> fields;
    std::optional<QString> flags;
    const char* base;
  } cases[] = {
      {"0012060720140530.txt", {"", "", ""}, std::nullopt, "0012060720140530.txt"},
      {"A1_B2_C3_1es_0012060720140530.txt", {"A1", "B2", "C3"}, "1es", "0012060720140530.txt"},
      {"A1_B2_0012.txt", {"A1", "B2", ""}, std::nullopt, "0012.txt"},
      {"A_1_B2_C3_2wd_0012.txt", {"A", "1", "B2"}, "C3 ", "0012.txt"},
      {"A_B_C__0012.txt", {"A", "B", "C"}, "   ", "0012.txt"},
      {"A_B_C_2w_0012.txt", {"A", "B", "C"}, "2w ", "0012.txt"},
      {"a_b_c_d_e_f_g.txt", {"a", "b", "c"}, "d  ", "f_g.txt"}};
  for (const auto& c : cases) {
    const SavedName saved = ParseSavedName(c.name);
    EXPECT_EQ(std::make_pair(saved.fields, saved.flags), std::make_pair(c.fields, c.flags)) << c.name;
    EXPECT_EQ(BaseName(c.name), c.base);
  }
  for (const char* bad : {"a/b", "a\\b", "..", ".", "a:b", "a*", "q?", "\"x\"", "<", "|", "a\tb"})
    EXPECT_FALSE(UsableInFileName(QString::fromUtf8(bad))) << bad;
  for (const char* good : {"駅前ビル", "a.b", "a..b", "with space", "x_y"})
    EXPECT_TRUE(UsableInFileName(QString::fromUtf8(good))) << good;
}

TEST(RecordFiles, MoveReplacesTheTargetWithinAndAcrossFileSystems) {
  Scratch scratch;
  // /dev/shm is a tmpfs on Linux; the scratch folder usually is not.
  QTemporaryDir shm(QStringLiteral("/dev/shm/ptlog-XXXXXX"));
  for (const QString& to : {scratch.Write("b.txt", "old\r\n"), shm.isValid() ? shm.filePath("b.txt") : QString()}) {
    if (to.isEmpty()) continue;
    const QString from = scratch.Write("a.txt", "record\r\n");
    EXPECT_TRUE(MoveRecordFile(from, to));
    EXPECT_FALSE(QFile::exists(from));
    EXPECT_EQ(Scratch::Read(to), "record\r\n");
    EXPECT_FALSE(MoveRecordFile(to, scratch.Path("no/folder/c.txt")));
    EXPECT_EQ(Scratch::Read(to), "record\r\n") << "a failed move keeps the original";
  }
  EXPECT_FALSE(MoveRecordFile(scratch.Path("gone.txt"), scratch.Path("c.txt")));
}

}  // namespace
