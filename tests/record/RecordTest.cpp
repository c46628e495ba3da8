// Records: the header's fields, the files and their names.
#include "record/TestRecord.h"

#include "TestSupport.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

// Every header field where the logger puts it, with the stored-value rules:
// hour codes above 40 are afternoon hours, a count of 0 is 1.
TEST(Header, EveryFieldAtItsPositionWithTheStoredValueRules) {
  tools::RecordSpec s;
  s.samples = {1, 2, 3};
  s.inspectionNumber = 77, s.year = 6, s.month = 12, s.day = 31, s.hourCode = 45, s.minute = 59, s.second = 58;
  s.measureMinutes = 300, s.intervalSeconds = 30, s.setPressureKpa = 450, s.pipeType = 3, s.testPressureKpa = 1750;
  s.cursorStartMinutes = 6, s.testMinutes = 120, s.allowedDropPa = 1234, s.failFlag = 2, s.endSecondsStored = 600;
  s.bPressurePa = 700000, s.aPressurePa = 750000, s.finalPressurePa = 650000;
  const TestRecord r = DecodeHeader(tools::RecordText(s));
  EXPECT_EQ((std::vector<qint32>{r.SampleCount, r.InspectionNumber, r.Year, r.Month, r.Day, r.Hour, r.Minute,
                                 r.Second, r.MeasureMinutes, r.IntervalSeconds, r.SetPressureKpa, r.PipeType,
                                 r.TestPressureKpa, r.CursorStartMinutes, r.TestMinutes, r.AllowedDropPa,
                                 r.FailFlag, r.EndSeconds, r.BPressurePa, r.APressurePa, r.FinalPressurePa}),
            (std::vector<qint32>{3, 77, 2006, 12, 31, 17, 59, 58, 300, 30, 450, 3, 1750, 6, 120, 1234, 2, 600,
                                 700000, 750000, 650000}));
  EXPECT_EQ(ElapsedEndSeconds(r), 120 * 60 - 600);
  // The afternoon rule starts at code 40; the downloaded file name follows it.
  const std::pair<int, const char*> hours[] = {{9, "09"}, {39, "39"}, {40, "12"}, {41, "13"}, {51, "23"}};
  for (auto [code, hour] : hours) {
    s.hourCode = code;
    EXPECT_EQ(RecordFileName(DecodeHeader(tools::RecordText(s))), "0077061231" + QString(hour) + "5958.txt");
  }
  s.sampleCountField = 0;
  EXPECT_EQ(DecodeHeader(tools::RecordText(s)).SampleCount, 1);
  for (const char* damaged : {"", "zz", "0002000111"}) EXPECT_LT(DecodeHeader(damaged).APressurePa, 0) << damaged;
}

// A record file is one CSV item on one line; users may have edited it.
TEST(RecordFiles, FirstItemIsReadAndWrittenAsOneCrLfLine) {
  const std::pair<QByteArray, const char*> cases[] = {
      {"  0001\r\nsecond\r\n", "0001"}, {"00,11\r\n", "00"}, {"\"a,b\"c\r\n", "a,b"}, {"last", "last"}, {"\r\n", ""}};
  Scratch scratch;
  for (const auto& [bytes, item] : cases)
    EXPECT_EQ(ReadRecordFileItem(scratch.Write("r.txt", bytes)), item) << bytes.constData();
  WriteRecordFile(scratch.Path("w.txt"), "00DEF");
  EXPECT_EQ(Scratch::Read(scratch.Path("w.txt")), "00DEF\r\n");
}

TEST(RecordFiles, SavedNamesSplitIntoEntriesFlagsAndTheDownloadedName) {
  const std::tuple<const char*, std::array<QString, 3>, std::optional<QString>, const char*> cases[] = {
      // The window's tests load the usual names; these are the odd ones.
      {"A_B_C__0012.txt", {"A", "B", "C"}, "   ", "0012.txt"},
      {"a_b_c_d_e_f_g.txt", {"a", "b", "c"}, "d  ", "f_g.txt"}};
  for (const auto& [name, fields, flags, base] : cases) {
    const SavedName saved = ParseSavedName(name);
    EXPECT_EQ(std::make_tuple(saved.fields, saved.flags, BaseName(name)), std::make_tuple(fields, flags, QString(base)));
  }
  for (const char* bad : {"a/b", "a\\b", "..", ".", "a:b", "a*", "q?", "\"x\"", "<", "|", "a\tb"})
    EXPECT_FALSE(UsableInFileName(QString::fromUtf8(bad))) << bad;
  for (const char* good : {"駅前ビル", "a.b", "a..b", "with space"}) EXPECT_TRUE(UsableInFileName(QString::fromUtf8(good)));
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
    EXPECT_FALSE(MoveRecordFile(to, scratch.Path("no/folder/c.txt")));
    EXPECT_EQ(Scratch::Read(to), "record\r\n") << "a failed move keeps the original";
  }
  EXPECT_FALSE(MoveRecordFile(scratch.Path("gone.txt"), scratch.Path("c.txt")));
}

}  // namespace
