// The record library over generated folders of records of 721 samples: the
// first scan into an empty cache, a start on a warm cache to the full list,
// one keystroke in the search box, a re-listing after 100 files changed, and
// peak memory. Prints "name value" lines for bench/run.
#include "library/FolderScan.h"
#include "library/RecordIndex.h"
#include "library/RecordLibrary.h"
#include "tools/RecordGenerator.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/resource.h>

using namespace ptlog;

namespace {

// `count` records in site folders of 500, a few saved under names to search.
void Generate(const QString& root, int count) {
  for (int i = 0; i < count; ++i) {
    tools::RecordSpec s = tools::TypedTest(1 + i % 4, 750, 180, 15, 300, 750, unsigned(i));
    s.inspectionNumber = i % 10000, s.day = 1 + i % 28, s.month = 1 + i / 28 % 12;
    const QString folder = QStringLiteral("%1/site%2").arg(root).arg(i / 500);
    QDir().mkpath(folder);
    const QString name = QStringLiteral("%1%2.txt").arg(i % 7 ? QString() : QStringLiteral("駅前_B棟_山田_1ed_"))
                             .arg(i, 16, 10, QLatin1Char('0'));
    QFile f(folder + QLatin1Char('/') + name);
    if (f.open(QIODevice::WriteOnly)) f.write(tools::RecordText(s).toLatin1() + "\r\n");
  }
}

double Ms(QElapsedTimer& t) { return double(t.nsecsElapsed()) / 1e6; }

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  QTemporaryDir dir;
  const QString root = dir.filePath(QStringLiteral("data")), db = dir.filePath(QStringLiteral("cache/r.sqlite"));
  Generate(root, count);
  QElapsedTimer t;

  t.start();
  double first = 0;
  {
    RecordIndex index(db);
    ScanFolder(root, index);
    first = Ms(t);
  }
  // What a second start shows at once: the cached list, grouped and sorted.
  t.restart();
  RecordLibrary library;
  {
    RecordIndex index(db);
    library.SetEntries(index.Entries(QDir::cleanPath(root)));
  }
  const double warm = Ms(t);
  t.restart();
  {
    RecordIndex index(db);
    ScanFolder(root, index);
  }
  const double relist = Ms(t);
  t.restart();
  library.SetFilter({QStringLiteral("ｂ棟")});
  const double keystroke = Ms(t);
  const int found = library.Count();

  // 100 files changed (rewritten with a new time) and re-listed.
  QDir site(root + QStringLiteral("/site0"));
  const QStringList names = site.entryList(QDir::Files);
  for (int i = 0; i < 100 && i < names.size(); ++i) {
    QFile f(site.filePath(names[i]));
    f.open(QIODevice::Append);
    f.setFileTime(QDateTime::currentDateTime().addSecs(100), QFileDevice::FileModificationTime);
  }
  t.restart();
  {
    RecordIndex index(db);
    ScanFolder(root, index);
  }
  const double changed = Ms(t);

  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("library_%d_first_scan_s %.2f\nlibrary_%d_warm_start_s %.3f\nlibrary_%d_relist_unchanged_s %.3f\n"
              "library_%d_keystroke_ms %.1f\nlibrary_%d_found %d\nlibrary_%d_relist_100_changed_s %.3f\n"
              "library_%d_peak_mb %.0f\n",
              count, first / 1000, count, warm / 1000, count, relist / 1000, count, keystroke, count, found, count,
              changed / 1000, count, double(usage.ru_maxrss) / 1024);
  return 0;
}
