#include "record/RecordFields.h"
#include "record/TestRecord.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

TEST(Fields, ReadAsTheRulesSay) {
  struct Case {
    const char* text;
    char kind;  // '2', '4', '6' hex widths; 'D' decimal
    int position;
    qint32 expected;
  } cases[] = {{"xxFF", '2', 3, 255},     {"0a", '2', 1, 10},       {"G1", '2', 1, 0},
               {"1G", '2', 1, 1},         {"FFFF", '4', 1, 65535},  {"00ff", '4', 1, 255},
               {"", '4', 1, -65535},      {"12", '4', 1, 0x112 - 0x10000},  {"1G34", '4', 1, 0x11 - 0x10000},
               {"FFFFFF", '6', 1, 16777215},  {"1A2", '6', 1, -16772702},   {"", '6', 1, -16777215},
               {"ab1234", '6', 3, 0x11234 - 0x1000000},  {" 7", 'D', 1, 7},  {"7x", 'D', 1, 7},
               {"x7", 'D', 1, 0},         {"12345", 'D', 4, 45}};
  for (const Case& c : cases) {
    const QString text = QString::fromLatin1(c.text);
    const qint32 got = c.kind == '2'   ? ReadH2(text, c.position)
                       : c.kind == '4' ? ReadH4(text, c.position)
                       : c.kind == '6' ? ReadH6(text, c.position)
                                       : ReadD2(text, c.position);
    EXPECT_EQ(got, c.expected) << c.text << " kind " << c.kind << " at " << c.position;
  }
  const QString header(128, QLatin1Char('0'));
  EXPECT_EQ(ReadSample(header + "FFFFFF000000", 0), 16777215);
  EXPECT_EQ(ReadSample(header + "FFFFFF1A2", 1), -16772702);
  EXPECT_TRUE(SampleInText(header + "FFFFFF", 0));
  EXPECT_FALSE(SampleInText(header + "FFFFFF1A2", 1));
}

TEST(Header, EveryFieldAtItsPositionWithTheStoredValueRules) {
  tools::RecordSpec s;
  s.samples = {1, 2, 3};
  s.inspectionNumber = 77, s.year = 6, s.month = 12, s.day = 31, s.hourCode = 45, s.minute = 59,
  s.second = 58;
  s.measureMinutes = 300, s.intervalSeconds = 30, s.setPressureKpa = 450, s.pipeType = 3,
  s.testPressureKpa = 1750;
  s.cursorStartMinutes = 6, s.testMinutes = 120, s.allowedDropPa = 1234, s.failFlag = 2,
  s.endSecondsStored = 600;
  s.bPressurePa = 700000, s.aPressurePa = 750000, s.finalPressurePa = 650000;
  const TestRecord r = DecodeHeader(tools::RecordText(s));
  const std::vector<qint32> got = {
      r.SampleCount, r.InspectionNumber, r.Year, r.Month, r.Day, r.Hour, r.Minute, r.Second,
      r.MeasureMinutes, r.IntervalSeconds, r.SetPressureKpa, r.PipeType, r.TestPressureKpa, r.CursorStartMinutes,
      r.TestMinutes, r.AllowedDropPa, r.FailFlag, r.EndSeconds, r.BPressurePa, r.APressurePa, r.FinalPressurePa};
  EXPECT_EQ(got, (std::vector<qint32>{3, 77, 2006, 12, 31, 17, 59, 58, 300, 30, 450, 3, 1750, 6, 120, 1234, 2,
                                      600, 700000, 750000, 650000}));
  EXPECT_EQ(ElapsedEndSeconds(r), 120 * 60 - 600);

  for (auto [code, hour] : {std::pair{41, 13}, {40, 12}, {51, 23}, {39, 39}, {0, 0}}) {
    s.hourCode = code;
    EXPECT_EQ(DecodeHeader(tools::RecordText(s)).Hour, hour) << code;
  }
  s.sampleCountField = 0;
  EXPECT_EQ(DecodeHeader(tools::RecordText(s)).SampleCount, 1) << "0 is stored as 1";
  for (const char* damaged : {"", "zz", "00000G", "0002000111"})
    EXPECT_LT(DecodeHeader(QString::fromLatin1(damaged)).APressurePa, 0) << damaged;
}

}  // namespace
