#include "tools/RecordGenerator.h"

#include <cmath>

namespace ptlog::tools {

namespace {

QString Hex(qint64 value, int digits) {
  return QString::number(value, 16).toUpper().rightJustified(digits, QLatin1Char('0')).right(digits);
}

QString Dec(int value) { return QString::number(value).rightJustified(2, QLatin1Char('0')).right(2); }

// Small deterministic generator; the samples must be the same on every machine.
struct Lcg {
  quint32 state;
  double Next() {
    state = state * 1664525u + 1013904223u;
    return (state >> 8) / double(1 << 24) - 0.5;
  }
};

}  // namespace

QString RecordText(const RecordSpec& s) {
  const int count = s.sampleCountField >= 0 ? s.sampleCountField : int(s.samples.size());
  QString t;
  t += QStringLiteral("00") + Hex(count, 4) + Hex(s.inspectionNumber, 4);
  t += Dec(s.year) + Dec(s.month) + Dec(s.day) + QStringLiteral("00");
  t += Dec(s.hourCode) + Dec(s.minute) + Dec(s.second);
  t += Hex(s.measureMinutes, 4) + Hex(s.intervalSeconds, 2) + Hex(s.setPressureKpa, 4);
  t += Hex(s.pipeType, 2) + QStringLiteral("00") + Hex(s.testPressureKpa, 4);
  t += Hex(s.cursorStartMinutes, 4) + Hex(s.testMinutes, 4) + Hex(s.allowedDropPa, 4);
  t += Hex(s.failFlag, 2) + QStringLiteral("00");
  t += Hex(s.endSecondsStored, 6) + Hex(s.bPressurePa, 6) + Hex(s.aPressurePa, 6) + Hex(s.finalPressurePa, 6);
  t += QString(128 - t.size(), QLatin1Char('0'));
  for (qint32 p : s.samples) t += Hex(p, 6);
  return t;
}

std::vector<qint32> HoldProfile(int count, int intervalSeconds, double pressurePa, double dropPaPerHour,
                                unsigned seed) {
  Lcg random{seed};
  std::vector<qint32> samples;
  const int riseSamples = std::max(1, 60 / std::max(1, intervalSeconds));
  for (int i = 0; i < count; ++i) {
    const double t = double(i) * intervalSeconds;
    double p = i < riseSamples ? pressurePa * (i + 1) / riseSamples
                               : pressurePa - dropPaPerHour * (t - riseSamples * intervalSeconds) / 3600.0;
    p += random.Next() * 60.0;
    samples.push_back(qint32(std::lround(std::max(0.0, p))));
  }
  return samples;
}

RecordSpec TypedTest(int pipeType, int testPressureKpa, int testMinutes, int intervalSeconds,
                     double dropPaPerHour, int allowedDropPa, unsigned seed) {
  RecordSpec s;
  s.pipeType = pipeType;
  s.testPressureKpa = testPressureKpa;
  s.testMinutes = testMinutes;
  s.measureMinutes = testMinutes;
  s.intervalSeconds = intervalSeconds;
  s.allowedDropPa = allowedDropPa;
  const int count = std::min(721, testMinutes * 60 / intervalSeconds + 1);
  s.samples = HoldProfile(count, intervalSeconds, testPressureKpa * 1000.0, dropPaPerHour, seed);
  const int aIndex = std::min(count - 1, s.cursorStartMinutes * 60 / intervalSeconds);
  s.aPressurePa = s.samples[aIndex];
  s.finalPressurePa = s.samples.back();
  int bIndex = count - 1;
  for (int i = aIndex; i < count; ++i) {
    if (s.aPressurePa - s.samples[i] > allowedDropPa) {
      bIndex = i;
      s.failFlag = 1;
      break;
    }
  }
  s.bPressurePa = s.samples[bIndex];
  s.endSecondsStored = testMinutes * 60 - bIndex * intervalSeconds;
  return s;
}

RecordSpec Measurement(int setPressureKpa, int minutes, int intervalSeconds, unsigned seed) {
  RecordSpec s;
  s.pipeType = 0;
  s.setPressureKpa = setPressureKpa;
  s.measureMinutes = minutes;
  s.testMinutes = 0;
  s.testPressureKpa = 0;
  s.cursorStartMinutes = 0;
  s.allowedDropPa = 0;
  s.intervalSeconds = intervalSeconds;
  const int count = std::min(721, minutes * 60 / intervalSeconds + 1);
  s.samples = HoldProfile(count, intervalSeconds, setPressureKpa * 1000.0, 400.0, seed);
  const int aIndex = std::min(count - 1, 300 / intervalSeconds);
  s.aPressurePa = s.samples[aIndex];
  s.bPressurePa = s.samples.back();
  s.finalPressurePa = s.samples.back();
  s.endSecondsStored = (count - 1) * intervalSeconds;
  return s;
}

}  // namespace ptlog::tools
