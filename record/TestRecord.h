#pragma once

#include <QString>
#include <QtGlobal>

namespace ptlog {

// One decoded test record. Samples stay in RecordText and are read on demand.
struct TestRecord {
  QString RecordText;
  qint32 SampleCount = 0;
  qint32 InspectionNumber = 0;
  qint32 Year = 0;
  qint32 Month = 0;
  qint32 Day = 0;
  qint32 Hour = 0;
  qint32 Minute = 0;
  qint32 Second = 0;
  qint32 MeasureMinutes = 0;
  qint32 IntervalSeconds = 0;
  qint32 SetPressureKpa = 0;
  qint32 PipeType = 0;
  qint32 TestPressureKpa = 0;
  qint32 CursorStartMinutes = 0;
  qint32 TestMinutes = 0;
  qint32 AllowedDropPa = 0;
  qint32 FailFlag = 0;
  qint32 EndSeconds = 0;  // as stored until the decoder makes it elapsed time
  qint32 BPressurePa = 0;
  qint32 APressurePa = 0;
  qint32 FinalPressurePa = 0;

  bool Typed() const { return PipeType != 0; }
};

// The header fields in record order, with the stored-value rules for the
// sample count, the year and the afternoon hour. EndSeconds stays as stored.
TestRecord DecodeHeader(const QString& recordText);

// A typed record stores the seconds that remained; the graph wants elapsed time.
qint32 ElapsedEndSeconds(const TestRecord& record);

inline constexpr int kFailFlagPosition = 55;

}  // namespace ptlog
