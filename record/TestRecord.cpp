#include "record/TestRecord.h"

#include "platform/Arithmetic.h"
#include "record/RecordFields.h"

namespace ptlog {

TestRecord DecodeHeader(const QString& text) {
  TestRecord r;
  r.RecordText = text;
  r.SampleCount = ReadH4(text, 3);
  if (r.SampleCount == 0) r.SampleCount = 1;
  r.InspectionNumber = ReadH4(text, 7);
  r.Year = ReadD2(text, 11) + 2000;
  r.Month = ReadD2(text, 13);
  r.Day = ReadD2(text, 15);
  r.Hour = ReadD2(text, 19);
  // The logger codes afternoon hours as 40 + (hour - 12).
  if (r.Hour >= 40) r.Hour = r.Hour - 40 + 12;
  r.Minute = ReadD2(text, 21);
  r.Second = ReadD2(text, 23);
  r.MeasureMinutes = ReadH4(text, 25);
  r.IntervalSeconds = ReadH2(text, 29);
  r.SetPressureKpa = ReadH4(text, 31);
  r.PipeType = ReadH2(text, 35);
  r.TestPressureKpa = ReadH4(text, 39);
  r.CursorStartMinutes = ReadH4(text, 43);
  r.TestMinutes = ReadH4(text, 47);
  r.AllowedDropPa = ReadH4(text, 51);
  r.FailFlag = ReadH2(text, kFailFlagPosition);
  r.EndSeconds = ReadH6(text, 59);
  r.BPressurePa = ReadH6(text, 65);
  r.APressurePa = ReadH6(text, 71);
  r.FinalPressurePa = ReadH6(text, 77);
  return r;
}

qint32 ElapsedEndSeconds(const TestRecord& r) {
  return Add32(Mul32(r.TestMinutes, 60), -qint64(r.EndSeconds));
}

}  // namespace ptlog
