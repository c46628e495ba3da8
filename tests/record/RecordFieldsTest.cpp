#include "record/RecordFields.h"
#include "record/TestRecord.h"
#include "tools/RecordGenerator.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

struct FieldCase {
  const char* text;
  char kind;  // '2', '4', '6' hex widths; 'D' decimal
  int position;
  qint32 expected;
};

class Fields : public ::testing::TestWithParam<FieldCase> {};

TEST_P(Fields, ReadAsTheRulesSay) {
  const FieldCase& c = GetParam();
  const QString text = QString::fromLatin1(c.text);
  const qint32 got = c.kind == '2'   ? ReadH2(text, c.position)
                     : c.kind == '4' ? ReadH4(text, c.position)
                     : c.kind == '6' ? ReadH6(text, c.position)
                                     : ReadD2(text, c.position);
  EXPECT_EQ(got, c.expected) << c.text << " kind " << c.kind << " at " << c.position;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Fields,
    ::testing::Values(FieldCase{"xxFF", '2', 3, 255}, FieldCase{"0a", '2', 1, 10},
                      FieldCase{"G1", '2', 1, 0}, FieldCase{"1G", '2', 1, 1},
                      FieldCase{"FFFF", '4', 1, 65535}, FieldCase{"0000", '4', 1, 0},
                      FieldCase{"00ff", '4', 1, 255}, FieldCase{"", '4', 1, -65535},
                      FieldCase{"12", '4', 1, 0x112 - 0x10000}, FieldCase{"1G34", '4', 1, 0x11 - 0x10000},
                      FieldCase{"FFFFFF", '6', 1, 16777215}, FieldCase{"000000", '6', 1, 0},
                      FieldCase{"1A2", '6', 1, -16772702}, FieldCase{"", '6', 1, -16777215},
                      FieldCase{"ab1234", '6', 3, 0x11234 - 0x1000000},
                      FieldCase{"41", 'D', 1, 41}, FieldCase{" 7", 'D', 1, 7},
                      FieldCase{"7x", 'D', 1, 7}, FieldCase{"x7", 'D', 1, 0},
                      FieldCase{"", 'D', 1, 0}, FieldCase{"12345", 'D', 4, 45}));

TEST(Samples, ReadOnDemandFromTheText) {
  const QString header(128, QLatin1Char('0'));
  EXPECT_EQ(ReadSample(header + "FFFFFF000000", 0), 16777215);
  EXPECT_EQ(ReadSample(header + "FFFFFF000000", 1), 0);
  EXPECT_EQ(ReadSample(header + "FFFFFF1A2", 1), -16772702);
  EXPECT_TRUE(SampleInText(header + "FFFFFF", 0));
  EXPECT_FALSE(SampleInText(header + "FFFFFF1A2", 1));
}

TEST(Header, StoredValueRules) {
  struct Case {
    int hourCode, expectedHour;
  } hours[] = {{41, 13}, {40, 12}, {51, 23}, {39, 39}, {9, 9}, {0, 0}};
  for (auto [code, expected] : hours) {
    tools::RecordSpec spec;
    spec.hourCode = code;
    EXPECT_EQ(DecodeHeader(tools::RecordText(spec)).Hour, expected) << code;
  }

  tools::RecordSpec spec;
  spec.year = 6;
  spec.sampleCountField = 0;
  spec.inspectionNumber = 0x1234;
  spec.pipeType = 3;
  spec.failFlag = 2;
  const TestRecord r = DecodeHeader(tools::RecordText(spec));
  EXPECT_EQ(r.Year, 2006);
  EXPECT_EQ(r.SampleCount, 1) << "0 is stored as 1";
  EXPECT_EQ(r.InspectionNumber, 0x1234);
  EXPECT_EQ(r.PipeType, 3);
  EXPECT_EQ(r.FailFlag, 2);
}

TEST(Header, EveryFieldAtItsPosition) {
  tools::RecordSpec s;
  s.samples = {1, 2, 3};
  s.inspectionNumber = 77;
  s.month = 12;
  s.day = 31;
  s.hourCode = 45;
  s.minute = 59;
  s.second = 58;
  s.measureMinutes = 300;
  s.intervalSeconds = 30;
  s.setPressureKpa = 450;
  s.testPressureKpa = 1750;
  s.cursorStartMinutes = 6;
  s.testMinutes = 120;
  s.allowedDropPa = 1234;
  s.endSecondsStored = 600;
  s.bPressurePa = 700000;
  s.aPressurePa = 750000;
  s.finalPressurePa = 650000;
  const TestRecord r = DecodeHeader(tools::RecordText(s));
  EXPECT_EQ(r.SampleCount, 3);
  EXPECT_EQ(r.InspectionNumber, 77);
  EXPECT_EQ(r.Month, 12);
  EXPECT_EQ(r.Day, 31);
  EXPECT_EQ(r.Hour, 17);
  EXPECT_EQ(r.Minute, 59);
  EXPECT_EQ(r.Second, 58);
  EXPECT_EQ(r.MeasureMinutes, 300);
  EXPECT_EQ(r.IntervalSeconds, 30);
  EXPECT_EQ(r.SetPressureKpa, 450);
  EXPECT_EQ(r.TestPressureKpa, 1750);
  EXPECT_EQ(r.CursorStartMinutes, 6);
  EXPECT_EQ(r.TestMinutes, 120);
  EXPECT_EQ(r.AllowedDropPa, 1234);
  EXPECT_EQ(r.EndSeconds, 600) << "still as stored";
  EXPECT_EQ(ElapsedEndSeconds(r), 120 * 60 - 600);
  EXPECT_EQ(r.BPressurePa, 700000);
  EXPECT_EQ(r.APressurePa, 750000);
  EXPECT_EQ(r.FinalPressurePa, 650000);
}

TEST(Header, DamagedTextNeverFails) {
  for (const char* text : {"", "zz", "00000G", "0002000111"}) {
    const TestRecord r = DecodeHeader(QString::fromLatin1(text));
    EXPECT_LT(r.APressurePa, 0) << text;
  }
  EXPECT_EQ(DecodeHeader(QString()).SampleCount, -65535);
}

}  // namespace
