// The record library on real files and a real SQLite cache: what is listed,
// what the cache keeps, and what the library does to files.
#include "TestSupport.h"
#include "library/FolderScan.h"
#include "library/LibraryActions.h"
#include "library/RecordIndex.h"
#include "library/RecordLibrary.h"

#include <QDateTime>
#include <sqlite3.h>
#ifndef Q_OS_WIN
#include <sys/stat.h>
#endif

using namespace ptlog;
using namespace ptlog::test;

namespace {

QByteArray Line(int number, int hourCode = 14, int samples = 30) {
  tools::RecordSpec s = tools::TypedTest(1 + number % 4, 750, 10, 20, 300, 750, unsigned(number));
  s.inspectionNumber = number, s.hourCode = hourCode;
  s.samples.resize(size_t(samples), 700000);
  return tools::RecordText(s).toLatin1();
}

class Library : public ::testing::Test {
protected:
  QString Put(const QString& name, const QByteArray& line) { return scratch.Write("data/" + name, line + "\r\n"); }
  // Names and what is said of them, in scan order.
  QStringList Scan(RecordIndex& index, int* read = nullptr) {
    const ScanResult r = ScanFolder(scratch.Path("data"), index);
    if (read) *read = r.read;
    QStringList listed;
    for (const RecordEntry& e : r.entries)
      listed << QDir(scratch.Path("data")).relativeFilePath(e.Path()) + (e.problem ? " " + ProblemText(e) : "");
    return listed;
  }
  QString Db() const { return scratch.Path("cache/records.sqlite"); }
  Scratch scratch;
};

// Damaged files are listed and say why; FIFOs, devices and folders named
// "重複" are not; a subfolder three deep is, four deep is not.
TEST_F(Library, ScanListsRecordsAndSaysWhyOthersAreMarked) {
  Put("0001.txt", Line(1));
  Put("cut.txt", Line(2).left(300));
  Put("notes.txt", "hello world");
  Put("long.txt", Line(3, 14, 722));
  scratch.Write("data/empty.txt", "");
  Put("a/b/c/deep3.txt", Line(4));
  Put("a/b/c/d/deep4.txt", Line(5));
  Put("重複/0001.txt", Line(1));
  Put("other.csv", Line(6));
#ifndef Q_OS_WIN
  ::mkfifo(QFile::encodeName(scratch.Path("data/fifo.txt")).constData(), 0666);
  QFile::link("/dev/zero", scratch.Path("data/zero.txt"));
  QFile::link(scratch.Path("data/0001.txt"), scratch.Path("data/link.txt"));
#else
  Put("link.txt", Line(1));
#endif
  {
    QFile big(scratch.Path("data/big.txt"));
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    big.write(QByteArray(kLargestRecordFile + 1, '0'));
  }
  RecordIndex index(Db());
  QStringList listed = Scan(index);
  listed.sort();
  EXPECT_EQ(listed, (QStringList{"0001.txt", "a/b/c/deep3.txt", "big.txt 大きすぎます",
                                 "cut.txt 途中で切れています（300 / 308 文字）", "empty.txt 記録ではありません",
                                 "link.txt", "long.txt データ数が多すぎます", "notes.txt 記録ではありません"}));
}

// The cache: unchanged files are not read again, changed and new ones are,
// removed ones are forgotten; a damaged, foreign or locked cache is made
// anew (or kept in memory) and the list is the same.
TEST_F(Library, CacheRereadsOnlyWhatChangedAndIsRebuiltWhenUnusable) {
  for (int i = 1; i <= 5; ++i) Put(QStringLiteral("%1.txt").arg(i), Line(i));
  int read = 0;
  {
    RecordIndex index(Db());
    EXPECT_EQ(Scan(index, &read).size(), 5);
    EXPECT_EQ(read, 5);
  }
  QFile::remove(scratch.Path("data/5.txt"));
  Put("6.txt", Line(6));
  Put("2.txt", Line(2, 41));  // same size, another time of day
  QFile(scratch.Path("data/2.txt")).setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime);
  {
    RecordIndex index(Db());
    EXPECT_EQ(Scan(index, &read), (QStringList{"1.txt", "2.txt", "3.txt", "4.txt", "6.txt"}));
    EXPECT_EQ(read, 2);
    EXPECT_EQ(index.Entries(scratch.Path("data")).size(), 5u) << "5.txt forgotten";
    EXPECT_EQ(index.Entries(scratch.Path("data"))[1].date, "06/07/20 13:05");
  }
  // Damaged, of another layout, not a database: made anew without a word.
  const std::function<void()> spoil[] = {
      [&] { scratch.Write("cache/records.sqlite", QByteArray(4096, 'x')); },
      [&] {
        sqlite3* db = nullptr;
        sqlite3_open(QFile::encodeName(Db()).constData(), &db);
        sqlite3_exec(db, "PRAGMA user_version=99", nullptr, nullptr, nullptr);
        sqlite3_close(db);
      }};
  for (const auto& f : spoil) {
    f();
    RecordIndex index(Db());
    EXPECT_FALSE(index.InMemory());
    EXPECT_EQ(Scan(index, &read).size(), 5);
    EXPECT_EQ(read, 5) << "rebuilt from the files";
    RecordIndex again(Db());
    EXPECT_EQ(again.Entries(scratch.Path("data")).size(), 5u);
  }
  // Another program holds it locked: this run works from memory, and the
  // other's database is left alone.
  sqlite3* holder = nullptr;
  sqlite3_open(QFile::encodeName(Db()).constData(), &holder);
  ASSERT_EQ(sqlite3_exec(holder, "PRAGMA locking_mode=EXCLUSIVE; BEGIN EXCLUSIVE; DELETE FROM files WHERE name='1.txt'",
                         nullptr, nullptr, nullptr), SQLITE_OK);
  {
    RecordIndex index(Db());
    EXPECT_TRUE(index.InMemory());
    EXPECT_EQ(Scan(index).size(), 5);
  }
  sqlite3_exec(holder, "ROLLBACK", nullptr, nullptr, nullptr);
  sqlite3_close(holder);
  EXPECT_EQ(RecordIndex(Db()).Entries(scratch.Path("data")).size(), 5u);
}

// One row per record line, the saved copy shown; search, filters and sort.
TEST_F(Library, DuplicatesAreOneRowAndTheListFindsBySearchAndFilters) {
  Put("0001060720140530.txt", Line(1));
  Put("sub/駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt", Line(1));
  Put("0002060720140530.txt", Line(2, 51));
  Put("East_b_Kim_1es_0003.txt", Line(3, 9));
  Put("cut.txt", Line(4).left(200));
  RecordIndex index(Db());
  RecordLibrary library;
  library.SetEntries(ScanFolder(scratch.Path("data"), index).entries);
  const auto names = [&] {
    QStringList shown;
    for (int i = 0; i < library.Count(); ++i) shown << library.Cell(i, LibraryColumn::FileName) + library.Cell(i, LibraryColumn::Copies);
    return shown.join(' ');
  };
  EXPECT_EQ(names(), "0002060720140530.txt 駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt2 East_b_Kim_1es_0003.txt cut.txt");
  EXPECT_EQ(library.Cell(1, LibraryColumn::Building), "Ａ棟");
  EXPECT_EQ(library.DuplicateGroups(), std::vector<QStringList>{{scratch.Path("data/0001060720140530.txt")}});

  const std::pair<LibraryFilter, const char*> filters[] = {
      {{"ａ棟"}, "駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt2"},   // full- and half-width alike
      {{"やまだ"}, ""}, {{"ヤマダ"}, "駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt2"},
      {{"kim"}, "East_b_Kim_1es_0003.txt"}, {{"0002"}, "0002060720140530.txt"}, {{"CUT"}, "cut.txt"},
      {{"", QDate(2006, 7, 20), QDate(2006, 7, 20)}, "0002060720140530.txt 駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt2 East_b_Kim_1es_0003.txt"},
      {{"", QDate(2006, 7, 21)}, ""},
      {{"", {}, {}, LibraryFilter::Failed}, ""},
      {{"", {}, {}, LibraryFilter::Passed, 4}, "East_b_Kim_1es_0003.txt"}};
  for (const auto& [filter, shown] : filters) {
    library.SetFilter(filter);
    EXPECT_EQ(names(), QString::fromUtf8(shown)) << filter.text.toStdString();
  }
  library.SetFilter({});
  library.SortBy(LibraryColumn::When, true);
  EXPECT_EQ(names(), "cut.txt East_b_Kim_1es_0003.txt 駅前_Ａ棟_ﾔﾏﾀﾞ_2wd_0001060720140530.txt2 0002060720140530.txt");
}

// Many renamed at once, each in its own folder, flags kept or taken from the
// main window; a name that holds another file is refused and nothing is
// overwritten. Copies go into "重複", never over a file already there.
TEST_F(Library, BatchRenameAndTidyingNeverOverwriteOrDelete) {
  const QString a = Put("0001.txt", Line(1)), b = Put("sub/x_y_z_1es_0002.txt", Line(2)), c = Put("0003.txt", Line(3));
  Put("S_B_I_2wd_0003.txt", Line(9));  // in the way of c
  const RenameOutcome renamed = RenameRecords({a, b, c}, {"S", "B", "I"}, "2wd");
  EXPECT_EQ(renamed.renamed, (QStringList{scratch.Path("data/S_B_I_2wd_0001.txt"), scratch.Path("data/sub/S_B_I_1es_0002.txt")}));
  EXPECT_EQ(renamed.refused, QStringList{"S_B_I_2wd_0003.txt"});
  EXPECT_EQ(Scratch::Read(scratch.Path("data/S_B_I_2wd_0003.txt")), Line(9) + "\r\n");
  EXPECT_EQ(Scratch::Read(c), Line(3) + "\r\n");

  const QString copy = Put("0001.txt", Line(1)), other = Put("sub/0001.txt", Line(1));
  scratch.Write("data/sub/重複/0001.txt", "an earlier copy");
  const TidyOutcome tidy = MoveDuplicates({{copy, other}});
  EXPECT_EQ(std::make_pair(tidy.moved, tidy.kept), std::make_pair(1, QStringList{"0001.txt"}));
  EXPECT_EQ(Scratch::Read(scratch.Path("data/重複/0001.txt")), Line(1) + "\r\n");
  EXPECT_EQ(Scratch::Read(other), Line(1) + "\r\n");
  EXPECT_EQ(Scratch::Read(scratch.Path("data/sub/重複/0001.txt")), "an earlier copy");
}

}  // namespace
