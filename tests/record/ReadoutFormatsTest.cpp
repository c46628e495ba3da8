#include "record/ReadoutFormats.h"
#include "record/TestRecord.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

TEST(Formats, Pressure) {
  const std::pair<double, const char*> cases[] = {
      {16777220, "6,777.22kPa"}, {6777220, "6,777.22kPa"}, {750000, "  750.00kPa"},   {0, "    0.00kPa"},
      {1234560, "1,234.56kPa"},  {-5000, "   -5.00kPa"},   {16777215, "6,777.22kPa"}, {125, "      0.13kPa"}};
  for (auto [pa, text] : cases) {
    const QString expected = QString::fromUtf8(text).right(11);
    EXPECT_EQ(PressureText(pa), expected) << pa;
    EXPECT_EQ(PressureText(pa).size(), 11);
  }
}

TEST(Formats, DifferentialKeepsItsSignAndHasNoGrouping) {
  const std::pair<double, const char*> cases[] = {{0, "    0.00kPa"},
                                                  {-1.5, "   -1.50kPa"},
                                                  {2.25, "    2.25kPa"},
                                                  {1234.5, " 1234.50kPa"},
                                                  {-0.001, "    0.00kPa"}};
  for (auto [kpa, text] : cases) EXPECT_EQ(DifferentialText(kpa), QString::fromUtf8(text).right(11)) << kpa;
}

TEST(Formats, TestPressureAndCriterion) {
  const std::pair<int, const char*> pressures[] = {
      {750, "  750kPa"}, {1500, "1,500kPa"}, {0, "     kPa"}, {65535, "5,535kPa"}, {5, "    5kPa"}};
  for (auto [kpa, text] : pressures) EXPECT_EQ(TestPressureText(kpa), text) << kpa;
  EXPECT_EQ(CriterionText(750), "0.750kPa");
  EXPECT_EQ(CriterionText(12345), "12.345kPa");
  EXPECT_EQ(CriterionText(0), "0.000kPa");
}

TEST(Formats, TimesAndDurations) {
  const std::pair<int, const char*> times[] = {
      {0, "00:00:00"}, {3725, "01:02:05"}, {86399, "23:59:59"}, {360000, "00:00:00"}, {363599, "00:59:59"}};
  for (auto [s, text] : times) EXPECT_EQ(TimeText(s), text) << s;
  const std::pair<int, const char*> durations[] = {{125, "2時間05分"}, {45, "45分"},         {0, "0分"},
                                                   {60, "1時間00分"},  {1440, "24時間00分"}, {59, "59分"}};
  for (auto [m, text] : durations) EXPECT_EQ(DurationText(m), QString::fromUtf8(text)) << m;
}

TEST(Formats, HeaderCaptions) {
  TestRecord r;
  r.InspectionNumber = 5;
  r.Year = 2006;
  r.Month = 7;
  r.Day = 20;
  r.Hour = 14;
  r.Minute = 5;
  EXPECT_EQ(InspectionNumberCaption(r), "0005");
  EXPECT_EQ(DateCaption(r), "06/07/20 14:05");
  r.InspectionNumber = 65535;
  EXPECT_EQ(InspectionNumberCaption(r), "5535");
  EXPECT_EQ(DateCaption(TestRecord{}), "00/00/00 00:00");
}

TEST(Formats, CleanNumericTextAndItsReading) {
  const std::tuple<const char*, const char*, double> cases[] = {
      {"", "0", 0},          {"-1.50kPa", "01.50", 1.5},           {"   1,234.56kPa", "01234.56", 1234.56},
      {"12/3", "012/3", 12}, {"6,777.22kPa", "06777.22", 6777.22}, {"1.2.3", "01.2.3", 1.2}};
  for (auto [in, clean, value] : cases) {
    EXPECT_EQ(CleanNumericText(in), clean) << in;
    EXPECT_DOUBLE_EQ(ReadNumber(CleanNumericText(in)), value) << in;
  }
}

TEST(Formats, ZeroPadded) {
  EXPECT_EQ(ZeroPadded(7, 2), "07");
  EXPECT_EQ(ZeroPadded(2006, 2), "06");
  EXPECT_EQ(ZeroPadded(12, 4), "0012");
  EXPECT_EQ(ZeroPadded(-5, 2), "95");
}

}  // namespace
