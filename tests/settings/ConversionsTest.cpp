#include "settings/Conversions.h"

#include "platform/Errors.h"
#include "platform/Rounding.h"

#include <gtest/gtest.h>

using namespace ptlog;

namespace {

// Whole numbers of the settings file: rounded half to even, or an error
// (-1000 - its number) for what does not fit 16 bits or is no number.
TEST(WholeText, ConvertsOrRaises) {
  const std::pair<const char*, int> cases[] = {
      {"007", 7},       {" 12 ", 12},        {"3.5", 4},         {"2.5", 2},        {"-3.5", -4},
      {"32767", 32767}, {"-32768", -32768},  {"32767.5", -1006}, {"32768", -1006},  {"-32769", -1006},
      {"", -1013},      {"5x", -1013},       {"１", -1013},       {".", -1013}};
  for (auto [text, expected] : cases) {
    int got;
    try {
      got = WholeTextToInteger16(QString::fromUtf8(text));
    } catch (const PlatformError& e) {
      got = -1000 - e.Number();
    }
    EXPECT_EQ(got, expected) << '"' << text << '"';
  }
  const std::pair<const char*, double> leading[] = {{"5 tries", 5}, {"abc", 0}, {"", 0}, {"  -4", -4},
                                                    {"2.5", 2.5},   {"1e2x", 100}, {"7e", 7}};
  for (auto [text, expected] : leading) EXPECT_DOUBLE_EQ(LeadingNumber(text), expected) << text;
  const std::pair<double, double> rounded[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-1.5, -2}, {2.4999, 2}};
  for (auto [in, out] : rounded) EXPECT_EQ(RoundHalfEven(in), out) << in;
}

}  // namespace
