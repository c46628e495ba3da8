#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

namespace ptlog::tools {

// Builds record lines as the logger sends them: a 128-character header of
// fixed-position fields, then six hexadecimal digits per sample.
struct RecordSpec {
  int inspectionNumber = 1;
  int year = 6, month = 7, day = 20;  // two-digit year
  int hourCode = 14;                  // as the logger writes it: 40 + (h - 12) after noon
  int minute = 5, second = 30;
  int measureMinutes = 60;
  int intervalSeconds = 10;
  int setPressureKpa = 0;
  int pipeType = 1;
  int testPressureKpa = 750;
  int cursorStartMinutes = 5;
  int testMinutes = 60;
  int allowedDropPa = 750;
  int failFlag = 0;
  int endSecondsStored = 0;  // seconds that remained of the test
  int bPressurePa = 0, aPressurePa = 0, finalPressurePa = 0;
  std::vector<qint32> samples;  // pascals
  int sampleCountField = -1;    // -1: the number of samples
};

QString RecordText(const RecordSpec& spec);

// A test's pressure: a rise to the test pressure, then a slow fall with a
// little noise; deterministic for a given seed.
std::vector<qint32> HoldProfile(int count, int intervalSeconds, double pressurePa, double dropPaPerHour,
                                unsigned seed);

// A typed test from its profile: A at the cursor start, B at the end (or at
// the first sample whose drop from A exceeds the allowance, for a failure).
RecordSpec TypedTest(int pipeType, int testPressureKpa, int testMinutes, int intervalSeconds,
                     double dropPaPerHour, int allowedDropPa, unsigned seed);

// An untyped measurement over `minutes`.
RecordSpec Measurement(int setPressureKpa, int minutes, int intervalSeconds, unsigned seed);

}  // namespace ptlog::tools
