// The 記録一覧 window as a user meets it, over a real folder and cache.
#include "FakeDesktop.h"
#include "TestSupport.h"
#include "WindowTest.h"
#include "librarywin/RecordsForm.h"
#include "librarywin/ReportSettingsDialog.h"

#include <QLabel>
#include <QProgressDialog>
#include <QTableView>
#include <QTimer>

using namespace ptlog;
using namespace ptlog::test;

namespace {

QByteArray Line(int number) {
  tools::RecordSpec s = tools::TypedTest(1, 750, 10, 20, 300, 750, unsigned(number));
  s.inspectionNumber = number;
  return tools::RecordText(s).toLatin1() + "\r\n";
}

class RecordsWindow : public ::testing::Test {
protected:
  void SetUp() override {
    for (int i = 1; i <= 5; ++i) scratch.Write(QStringLiteral("data/%1.txt").arg(i, 4, 10, QLatin1Char('0')), Line(i));
    scratch.Write("data/駅前_A棟_山田_1ed_0006.txt", Line(6));
    scratch.Write("data/cut.txt", Line(7).left(300));
    scratch.Write("s.ini", "[Data Set]\r\nDataPath=" + scratch.Path("data").toUtf8() + "\r\n[Display Set]\r\nScale=2MPa\r\n");
  }
  std::unique_ptr<RecordsForm> Open() {
    auto form = std::make_unique<RecordsForm>(desktop, SettingsLocation{scratch.Path("prog/"), scratch.Path("s.ini")},
                                              scratch.Path("cache/records.sqlite"), 30);
    form->show();
    return form;
  }
  QStringList Names(const RecordsForm& f) const {
    QStringList names;
    for (int i = 0; i < f.Library().Count(); ++i) names << f.Library().Cell(i, LibraryColumn::FileName);
    names.sort();
    return names;
  }
  bool Lists(const RecordsForm& f, int rows) { return RunUntil([&] { return f.Library().Count() == rows; }); }
  void Select(RecordsForm& f, const QStringList& names) {
    f.Table->clearSelection();
    for (const QString& n : names)
      f.Table->selectionModel()->select(f.Table->model()->index(f.Library().RowOf(scratch.Path("data/" + n)), 0),
                                        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
  Scratch scratch;
  FakeDesktop desktop;
};

// Listed with the damaged file marked; found by full-width search; the
// preview and readouts of the selected record.
TEST_F(RecordsWindow, ListsFindsAndPreviews) {
  auto f = Open();
  ASSERT_TRUE(Lists(*f, 7));
  EXPECT_EQ(f->Library().Cell(f->Library().RowOf(scratch.Path("data/cut.txt")), LibraryColumn::Verdict),
            "途中で切れています（300 / 314 文字）");
  f->SearchBox->setText("ａ棟");
  ASSERT_EQ(Names(*f), QStringList{"駅前_A棟_山田_1ed_0006.txt"});
  f->Table->selectRow(0);
  EXPECT_FALSE(f->Preview->pixmap().isNull());
  // Scale 2 MPa from the main window's last choices: "1" in the name leaves it.
  EXPECT_EQ(std::make_pair(f->Readouts[readout::Number]->text(), f->Readouts[readout::Verdict]->text()),
            std::make_pair(QString("0006"), QString("合格")));
}

// The preview is the main window's own graph of the record, with the
// choices of its saved name over the main window's last ones.
TEST_F(RecordsWindow, PreviewIsTheMainWindowsGraph) {
  auto f = Open();
  ASSERT_TRUE(Lists(*f, 7));
  Select(*f, {"駅前_A棟_山田_1ed_0006.txt"});
  Form1 main(desktop, {scratch.Path("prog/"), scratch.Path("s.ini")});
  main.Load();
  desktop.answers = {scratch.Path("data/駅前_A棟_山田_1ed_0006.txt")};
  main.Command2->click();
  EXPECT_TRUE(main.Option2[1]->isChecked());
  EXPECT_EQ(f->PreviewGraph(), main.Picture1->Canvas());
}

// Three saved at once, downloaded names with the main window's last choices
// (2 MPa, air, details); one whose name is taken is refused in one message;
// the list follows the files.
TEST_F(RecordsWindow, RenamesSeveralAndRefusesATakenName) {
  scratch.Write("data/S_B_I_2ed_0003.txt", Line(9));
  auto f = Open();
  ASSERT_TRUE(Lists(*f, 8));
  Select(*f, {"0001.txt", "0002.txt", "0003.txt"});
  f->RenameButton->click();
  EXPECT_EQ(desktop.Texts(), QStringList{"現場名の入力が有りません。"});
  for (int i = 0; i < 3; ++i) f->Fields[size_t(i)]->setText(QStringList{"S", "B", "I"}[i]);
  f->RenameButton->click();
  EXPECT_EQ(desktop.Texts().last(), "同じ名前のファイルが有るため、次の名前では保存しませんでした。\rS_B_I_2ed_0003.txt");
  ASSERT_TRUE(RunUntil([&] { return Names(*f).contains("S_B_I_2ed_0001.txt"); }));
  EXPECT_EQ(Names(*f), (QStringList{"0003.txt", "0004.txt", "0005.txt", "S_B_I_2ed_0001.txt", "S_B_I_2ed_0002.txt",
                                    "S_B_I_2ed_0003.txt", "cut.txt", "駅前_A棟_山田_1ed_0006.txt"}));
}

// A PDF of the selection, damaged records left out and named; a cancelled
// report leaves no file; CSV tables into a chosen folder.
TEST_F(RecordsWindow, ReportsTheSelection) {
  auto f = Open();
  ASSERT_TRUE(Lists(*f, 7));
  Select(*f, {"0001.txt", "0002.txt", "cut.txt"});
  desktop.answers = {scratch.Path("r.pdf")};
  f->PdfButton->click();
  EXPECT_EQ(desktop.Texts(), QStringList{"次の記録は報告書に入れませんでした。\rcut.txt"});
  EXPECT_TRUE(RunTool("pdfinfo", {scratch.Path("r.pdf")}).contains(QRegularExpression("Pages:\\s+2\\n")));

  Select(*f, {"0001.txt", "0002.txt", "0003.txt", "0004.txt", "0005.txt"});
  QTimer cancel;
  QObject::connect(&cancel, &QTimer::timeout, [&] {
    if (auto* p = f->findChild<QProgressDialog*>(); p && p->value() >= 2) p->cancel();
  });
  cancel.start(0);
  for (const char* kind : {"pdf", "csv"}) {
    desktop.answers = {scratch.Path(QStringLiteral("cancelled.%1").arg(kind))};
    (QByteArray(kind) == "pdf" ? f->PdfButton : f->CsvButton)->click();
  }
  EXPECT_EQ(AllEntries(scratch.Root()), (QStringList{"cache", "data", "r.pdf", "s.ini"}));
  cancel.stop();
  QDir().mkpath(scratch.Path("tables"));
  desktop.answers = {scratch.Path("tables")};
  f->CsvButton->click();
  EXPECT_EQ(AllEntries(scratch.Path("tables")), (QStringList{"0001.csv", "0002.csv", "0003.csv", "0004.csv", "0005.csv"}));
}

// Two windows on one folder and one cache: both list, both see a file that
// another program adds, renames or removes; a folder that goes away keeps
// the list and says so until it is back. Copies tidied into "重複".
TEST_F(RecordsWindow, TwoWindowsFollowTheFolder) {
  auto a = Open(), b = Open();
  ASSERT_TRUE(Lists(*a, 7) && Lists(*b, 7));
  scratch.Write("data/sub/0008.txt", Line(8));
  QFile::rename(scratch.Path("data/0005.txt"), scratch.Path("data/X_Y_Z_1es_0005.txt"));
  ASSERT_TRUE(Lists(*a, 8) && Lists(*b, 8));
  EXPECT_TRUE(Names(*b).contains("X_Y_Z_1es_0005.txt"));

  QFile::copy(scratch.Path("data/0001.txt"), scratch.Path("data/sub/S_B_I_1ed_0001.txt"));
  ASSERT_TRUE(RunUntil([&] { return a->Library().Entries().size() == 9; }));
  EXPECT_EQ(a->Library().Count(), 8) << "the copy is one row";
  a->TidyButton->click();
  EXPECT_EQ(AllEntries(scratch.Path("data/重複")), QStringList{"0001.txt"});
  EXPECT_TRUE(QFile::exists(scratch.Path("data/sub/S_B_I_1ed_0001.txt")));

  // Windows refuses while a listing has the folder open: tried until it goes.
  ASSERT_TRUE(RunUntil([&] { return QFile::rename(scratch.Path("data"), scratch.Path("gone")) || QDir(scratch.Path("gone")).exists(); }));
  ASSERT_TRUE(RunUntil([&] { return b->Status->text().startsWith("データフォルダーが見つかりません"); }));
  EXPECT_EQ(b->Library().Count(), 8);
  ASSERT_TRUE(RunUntil([&] { return QFile::rename(scratch.Path("gone"), scratch.Path("data")) || QDir(scratch.Path("data")).exists(); }));
  ASSERT_TRUE(RunUntil([&] { return b->Status->text().startsWith("8 件"); }));
}

// 報告書の設定: a file that is no image is refused when chosen, a logo gone
// since is refused at OK with the settings file as it was; else OK writes
// the section. The preview is a page of the selected record.
TEST_F(RecordsWindow, ReportSettingsCheckImagesAndWriteTheSection) {
  const QString text = scratch.Write("text.png", "not a picture"), gone = scratch.Path("gone.png");
  const QByteArray stored = Scratch::Read(scratch.Path("s.ini"));
  ReportSettingsDialog d(desktop, {scratch.Path("prog/"), scratch.Path("s.ini")}, scratch.Path("data/0001.txt"));
  desktop.answers = {text};
  d.LogoButton->click();
  d.Company->setText("北斗設備");
  d.Logo->setText(gone);
  d.OkButton->click();
  EXPECT_EQ(desktop.Texts(), (QStringList{"画像ファイルではありません：" + Native(text), "画像ファイルが見つかりません：" + Native(gone)}));
  EXPECT_EQ(Scratch::Read(scratch.Path("s.ini")), stored);
  d.Logo->clear();
  d.OkButton->click();
  EXPECT_EQ(ReadReportSettings({QString(), scratch.Path("s.ini")}).company, "北斗設備");
  QImage blank(d.PreviewPage().size(), QImage::Format_RGB32);
  blank.fill(Qt::white);
  EXPECT_NE(d.PreviewPage(), blank);
}

}  // namespace
