#include "record/ReadoutFormats.h"
#include "record/TestRecord.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

// The readouts are eleven characters wide, right-aligned, rounded half away
// from zero; beyond four digits of kPa the leading digit is cut.
TEST(Formats, PressuresAndDifferentials) {
  const std::pair<double, const char*> pressures[] = {
      {16777220, "6,777.22kPa"}, {750000, "  750.00kPa"}, {0, "    0.00kPa"},
      {1234560, "1,234.56kPa"},  {-5000, "   -5.00kPa"},  {125, "    0.13kPa"}};
  for (auto [pa, text] : pressures) EXPECT_EQ(PressureText(pa), text) << pa;
  const std::pair<double, const char*> differentials[] = {
      {-1.5, "   -1.50kPa"}, {1234.5, " 1234.50kPa"}, {-0.001, "    0.00kPa"}};
  for (auto [kpa, text] : differentials) EXPECT_EQ(DifferentialText(kpa), text) << kpa;
  const std::pair<int, const char*> tests[] = {{750, "  750kPa"}, {1500, "1,500kPa"}, {0, "     kPa"}, {65535, "5,535kPa"}};
  for (auto [kpa, text] : tests) EXPECT_EQ(TestPressureText(kpa), text) << kpa;
  EXPECT_EQ(CriterionText(12345), "12.345kPa");
  EXPECT_EQ(CriterionText(0), "0.000kPa");
}

TEST(Formats, TimesDurationsAndHeaderCaptions) {
  const std::pair<int, const char*> times[] = {{3725, "01:02:05"}, {86399, "23:59:59"}, {363599, "00:59:59"}};
  for (auto [s, text] : times) EXPECT_EQ(TimeText(s), text) << s;
  const std::pair<int, const char*> durations[] = {{125, "2時間05分"}, {0, "0分"}, {60, "1時間00分"}, {59, "59分"}};
  for (auto [m, text] : durations) EXPECT_EQ(DurationText(m), QString::fromUtf8(text)) << m;
  TestRecord r;
  r.InspectionNumber = 65535, r.Year = 2006, r.Month = 7, r.Day = 20, r.Hour = 14, r.Minute = 5;
  EXPECT_EQ(InspectionNumberCaption(r) + " " + DateCaption(r), "5535 06/07/20 14:05");
  EXPECT_EQ(DateCaption(TestRecord{}), "00/00/00 00:00");
  EXPECT_EQ(ZeroPadded(-5, 2), "95");
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

}  // namespace
