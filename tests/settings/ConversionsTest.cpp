#include "settings/Conversions.h"

#include "platform/Errors.h"
#include "platform/Rounding.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

struct WholeCase {
  const char* text;
  int expected;  // value, or -1000 - error number
};

constexpr int Error(int number) { return -1000 - number; }

class WholeText : public ::testing::TestWithParam<WholeCase> {};

TEST_P(WholeText, ConvertsOrRaises) {
  const WholeCase& c = GetParam();
  int got;
  try {
    got = WholeTextToInteger16(QString::fromUtf8(c.text));
  } catch (const PlatformError& e) {
    got = Error(e.Number());
  }
  EXPECT_EQ(got, c.expected) << '"' << c.text << '"';
}

INSTANTIATE_TEST_SUITE_P(Cases, WholeText,
                         ::testing::Values(WholeCase{"1", 1}, WholeCase{"007", 7}, WholeCase{" 12 ", 12},
                                           WholeCase{"3.5", 4}, WholeCase{"2.5", 2}, WholeCase{"-2.5", -2},
                                           WholeCase{"-3.5", -4}, WholeCase{"32767", 32767},
                                           WholeCase{"-32768", -32768}, WholeCase{"32767.5", Error(6)},
                                           WholeCase{"32768", Error(6)}, WholeCase{"99999", Error(6)},
                                           WholeCase{"-32769", Error(6)}, WholeCase{"", Error(13)},
                                           WholeCase{"abc", Error(13)}, WholeCase{"5x", Error(13)},
                                           WholeCase{"１", Error(13)}, WholeCase{".", Error(13)}));

struct LeadingCase {
  const char* text;
  double expected;
};

class Leading : public ::testing::TestWithParam<LeadingCase> {};

TEST_P(Leading, ReadsTheNumberAtTheStart) {
  EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromUtf8(GetParam().text)), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, Leading,
                         ::testing::Values(LeadingCase{"3", 3}, LeadingCase{"5 tries", 5},
                                           LeadingCase{"5abc", 5}, LeadingCase{"abc", 0}, LeadingCase{"", 0},
                                           LeadingCase{"2.5", 2.5}, LeadingCase{"  -4", -4},
                                           LeadingCase{"1e2x", 100}, LeadingCase{"7e", 7}));

TEST(Rounding, HalvesGoToTheEvenNeighbour) {
  const std::pair<double, double> cases[] = {{0.5, 0},     {1.5, 2},  {2.5, 2},   {37.5, 38},
                                             {42.857, 43}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}};
  for (auto [in, out] : cases) EXPECT_EQ(RoundHalfEven(in), out) << in;
}

}  // namespace
