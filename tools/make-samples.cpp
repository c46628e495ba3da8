// Writes the synthetic sample records into a folder (default: samples/).
//   make-samples [folder]
#include "record/RecordFile.h"
#include "record/TestRecord.h"
#include "tools/RecordGenerator.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

using namespace ptlog;
using namespace ptlog::tools;

namespace {

struct Sample {
  const char* what;
  RecordSpec spec;
  QString savedPrefix;      // non-empty: stored under a name made by saving
  int keepCharacters = -1;  // damaged: the text cut to this length
};

RecordSpec With(RecordSpec s, int number, int day, int hourCode, int minute) {
  s.inspectionNumber = number;
  s.day = day;
  s.hourCode = hourCode;
  s.minute = minute;
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("samples");
  QDir().mkpath(folder);

  const RecordSpec damaged = With(TypedTest(1, 750, 60, 10, 200, 750, 11), 11, 23, 10, 0);

  const Sample samples[] = {
      {"PE/PB pipe, water, passed", With(TypedTest(1, 750, 60, 10, 300, 750, 1), 1, 20, 9, 30), {}, -1},
      {"PE/PB pipe, failed", With(TypedTest(1, 750, 60, 10, 2400, 750, 2), 2, 20, 10, 45), {}, -1},
      {"PVC pipe, 1500 kPa, passed", With(TypedTest(2, 1500, 30, 5, 500, 1500, 3), 3, 21, 41, 5), {}, -1},
      {"PVC pipe, failed", With(TypedTest(2, 1500, 30, 5, 9000, 1500, 4), 4, 21, 43, 20), {}, -1},
      {"drain pipe, passed", With(TypedTest(3, 30, 15, 5, 100, 300, 5), 5, 21, 45, 0), {}, -1},
      {"floor-heating pipe, a day, passed",
       With(TypedTest(4, 600, 1440, 120, 20, 2000, 6), 6, 22, 8, 0),
       {},
       -1},
      {"floor-heating pipe, failed", With(TypedTest(4, 600, 120, 10, 1500, 1000, 7), 7, 22, 51, 15), {}, -1},
      {"untyped measurement, 10 s", With(Measurement(500, 60, 10, 8), 8, 22, 13, 0), {}, -1},
      {"untyped measurement, 8 s", With(Measurement(1200, 90, 8, 9), 9, 22, 42, 10), {}, -1},
      {"long PE/PB test over 5 hours",
       With(TypedTest(1, 1000, 360, 30, 100, 1000, 10), 10, 23, 7, 0),
       {},
       -1},
      {"damaged: cut short", damaged, QString(), 128 + 6 * 200 + 3},
      {"saved under site, building and inspector",
       With(TypedTest(2, 750, 60, 10, 200, 750, 12), 12, 20, 42, 5), QStringLiteral("駅前ビル_A棟_山田_2wd_"),
       -1},
  };

  for (const Sample& s : samples) {
    QString text = RecordText(s.spec);
    if (s.keepCharacters >= 0) {
      // Cut short, and one sample field garbled on the line.
      text.truncate(s.keepCharacters);
      text[128 + 6 * 40 + 2] = QLatin1Char('Z');
    }
    const QString name = s.savedPrefix + RecordFileName(DecodeHeader(text));
    WriteRecordFile(QDir(folder).filePath(name), text);
    std::printf("%-45s %s\n", s.what, name.toUtf8().constData());
  }
  return 0;
}
