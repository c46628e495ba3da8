// The printed report and the JPEG snapshot, through the window's buttons.
#include "Form1Fixture.h"
#include "output/PrinterDialog.h"
#include "output/Snapshot.h"

#include <QPrinterInfo>
#include <QProcess>
#include <QTimer>

using namespace ptlog;
using namespace ptlog::test;

namespace {

class Output : public Form1Fixture {
protected:
  void SetUp() override { StartOnData().show(); }
  void LoadRecord(int pipeType) {
    tools::RecordSpec s = tools::TypedTest(2, 750, 60, 10, 300, 750, 3);
    s.inspectionNumber = 12;
    s.pipeType = pipeType;
    Load(Put("0012060720140530.txt", s));
    desktop.asked.clear();
  }
  // Prints, the printer dialog answered by `answer` once it is shown.
  void Print(std::function<void(PrinterDialog&)> answer) {
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = form->findChild<PrinterDialog*>("frmPRT");
      if (!dialog || !dialog->isVisible()) return;
      poll.stop();
      answer(*dialog);
    });
    poll.start(5);
    form->Command3->click();
  }
  // Prints on the dialog's entry `name`.
  void PrintOn(const QString& name) {
    Print([&](PrinterDialog& d) {
      emit d.Combo1->activated(d.Combo1->findText(name));
      d.Command1[0]->click();
    });
  }
  // The buttons and cursor bars hidden for the picture are back.
  void ExpectControlsBack(bool untyped) {
    for (QWidget* w : {form->Command1, form->Command6, form->Command99})
      EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(form->Label3[13]->isHidden() || form->HScroll1[1]->isHidden());
    EXPECT_EQ(form->HScroll1[0]->isHidden(), !untyped);
  }
};

// No to either question, or a picture with nothing loaded, changes nothing;
// Cancel in the printer dialog keeps the printer picked and focuses the site name.
TEST_F(Output, NoOrCancelPrintsNothingAndKeepsThePickedPrinter) {
  desktop.answer = MessageAnswer::No;
  form->Command3->click();
  form->Command6->click();
  desktop.answer = MessageAnswer::Yes;
  form->Command6->click();
  EXPECT_EQ(desktop.Texts(), (QStringList{"印刷して宜しいですか？", "コピー保存して宜しいですか？",
                                          "コピー保存して宜しいですか？", "ファイルが読み込まれていません。"}));
  EXPECT_EQ(form->findChild<PrinterDialog*>("frmPRT"), nullptr);
  EXPECT_TRUE(desktop.asked.empty());

  desktop.printers = {"Office", "Site", "Office"};
  QStringList shown;
  for (int entry : {1, 2}) {  // the second "Office"; then the close box counts as Cancel
    form->Text1[2]->setFocus();
    Print([&](PrinterDialog& d) {
      shown << d.Text1->text() << QString::number(d.Combo1->count());
      emit d.Combo1->activated(entry);
      entry == 1 ? d.Command1[1]->click() : (void)d.close();
    });
    EXPECT_EQ(form->PrintAnswer, "Cancel");
    EXPECT_EQ(form->focusWidget(), form->Text1[0]);
  }
  EXPECT_EQ(shown, (QStringList{"Office", "4", "Site", "4"})) << "three printers and the PDF file";
  EXPECT_EQ(desktop.Printer().index, 0) << "the first of two equal names";
}

// The dialog's PDF file entry: the file dialog proposes the record's name;
// Cancel there prints nothing; else one A4 landscape page of the window.
TEST_F(Output, PdfFileEntryWritesOnePageOfTheWindow) {
  desktop.printers = {"Office"};
  const std::tuple<int, double, std::vector<const char*>> cases[] = {  // pipe type (-1: nothing loaded), scale, texts
      // The readouts as the print command's redraw leaves them.
      {-1, 1.0, {"配管試験データ", "0000", "00/00/00 00:00", "0分", "0.00kPa", "1.0MPa"}},
      {2, 1.0, {"配管試験データ", "0012", "06/07/20 14:05", "1.0MPa", "60分", "A線"}},
      {0, 1.0, {"0012", "A線"}},
      // A window laid out smaller prints the design's page.
      {2, 0.75, {"0012", "A線"}}};
  for (const auto& [pipeType, scale, texts] : cases) {
    ScaleForTest at(scale);
    if (scale != 1.0) StartOnData().show();
    if (pipeType >= 0) LoadRecord(pipeType);
    const QString pdf = scratch.Path(QStringLiteral("report%1-%2.pdf").arg(pipeType).arg(scale));
    desktop.answers = {pdf};
    desktop.shown.clear();
    PrintOn("PDFファイル");
    EXPECT_EQ(desktop.shown.size(), 1u) << "only the question";
    ExpectControlsBack(pipeType <= 0);
    EXPECT_EQ(std::make_tuple(form->State().DrawOffsetX, form->State().DrawOffsetY, form->Picture1->height()),
              std::make_tuple(0, 0, int(std::lround(545 * scale))));
    const QString info = RunTool("pdfinfo", {pdf});
    EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n(.|\\n)*Page size:\\s+842 x 595 pts \\(A4\\)")))
        << info.toStdString();
    EXPECT_EQ(info.contains(QRegularExpression("Title:\\s+0012060720140530.txt")), pipeType >= 0);
    EXPECT_TRUE(RunTool("pdffonts", {pdf}).contains("IPAMincho"));
    // Blanks as the text extraction guesses them from the glyphs' places.
    const QString text = RunTool("pdftotext", {"-layout", pdf, "-"}).remove(' ');
    for (const char* expected : texts)
      EXPECT_TRUE(text.contains(QString::fromUtf8(expected).remove(' '))) << expected << "\n" << text.toStdString();
    EXPECT_FALSE(text.contains("データ読込")) << "the buttons are not on the page";
  }
  PrintOn("PDFファイル");  // Cancel in the file dialog
  EXPECT_EQ(std::make_pair(desktop.asked.back().fileName, desktop.asked.back().filter),
            std::make_pair(scratch.Path("data/0012060720140530.pdf"), QString("PDF Files (*.pdf)|*.pdf")));
  EXPECT_EQ(QDir(scratch.Path(".")).entryList({"*pdf*"}, QDir::Files | QDir::Hidden).size(), 4) << "no leftovers";
  ExpectControlsBack(false);

  // At the smaller scale the same words at the same places.
  const auto words = [&](const char* pdf) { return RunTool("pdftotext", {"-bbox", scratch.Path(pdf), "-"}).section("<doc>", 1); };
  EXPECT_GT(words("report2-1.pdf").count("<word "), 20);
  EXPECT_EQ(words("report2-0.75.pdf"), words("report2-1.pdf"));
}

TEST_F(Output, CupsQueueWritesTheReport) {
  const QString out = qEnvironmentVariable("PTLOG_TEST_CUPS_OUT"), queue = qEnvironmentVariable("PTLOG_TEST_CUPS_QUEUE");
  if (out.isEmpty() || queue.isEmpty()) GTEST_SKIP() << "no private CUPS scheduler (scripts/test starts one)";
#ifdef Q_OS_WIN
  GTEST_SKIP() << "Windows prints through the system's printer drivers";
#endif
  LoadRecord(1);
  desktop.printers = QPrinterInfo::availablePrinterNames();
  const QStringList before = QDir(out).entryList({"*.pdf"}, QDir::Files);
  PrintOn(queue);
  EXPECT_EQ(desktop.shown.size(), 1u);
  QString pdf, info;
  ASSERT_TRUE(RunUntil(
      [&] {
        for (const QString& f : QDir(out).entryList({"*.pdf"}, QDir::Files))
          if (!before.contains(f)) pdf = QDir(out).filePath(f);
        return !pdf.isEmpty() && (info = RunTool("pdfinfo", {pdf})).contains("Pages:");
      },
      60000))
      << "the queue wrote no PDF";
  EXPECT_TRUE(info.contains(QRegularExpression("Pages:\\s+1\\n"))) << info.toStdString();
  // PostScript prints a landscape page as a portrait sheet turned by 90 degrees.
  EXPECT_TRUE(info.contains(QRegularExpression("Page size:\\s+(595 x 842|842 x 595) pts \\(A4\\)")));
  // Ghostscript turns the bold CJK captions into glyphs without text; the
  // graph's own texts stay readable.
  const QString text = RunTool("pdftotext", {"-layout", pdf, "-"});
  for (const char* expected : {"60分", "kPa", "B線"}) EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;

  // A queue that refuses jobs, and one removed since the dialog listed it.
  ASSERT_EQ(QProcess::execute("cupsreject", {queue}), 0);
  desktop.printers << "kestra-removed";
  for (const QString& name : {queue, QString("kestra-removed")}) {
    desktop.shown.clear();
    PrintOn(name);
    EXPECT_EQ(desktop.Texts(), (QStringList{"印刷して宜しいですか？", "印刷できませんでした。"})) << name.toStdString();
  }
  QProcess::execute("cupsaccept", {queue});
}

// The picture of the window through the JPEG library: the work bitmap
// beside the program, the JPEG where the user says; a missing library is
// reported and the hidden controls come back either way.
TEST_F(Output, SnapshotWritesTheWorkBitmapAndARealJpeg) {
  for (int pipeType : {3, 0}) {
    LoadRecord(pipeType);
    const QString jpg = scratch.Path(QStringLiteral("shot%1.jpg").arg(pipeType));
    QImage(8, 8, QImage::Format_RGB32).save(jpg, "JPG");  // an earlier picture, replaced
    desktop.answers = {jpg};
    form->Command6->click();
    const FileDialogRequest& asked = desktop.asked.back();
    EXPECT_EQ(std::make_tuple(asked.fileName, asked.filter, asked.filterIndex),
              std::make_tuple(scratch.Path("data/0012060720140530.jpg"),
                              QString("All Files (*.*)|*.*|JPEG Files (*.jpg)|*.jpg"), 2));
    const QImage image(jpg, "JPG"), captured(scratch.Path("prog/Work.bmp"), "BMP");
    // The offscreen test platform draws no frame around the window.
    EXPECT_EQ(image.size(),
              QGuiApplication::platformName() == "offscreen" ? form->size() : form->frameGeometry().size());
    ASSERT_EQ(captured.size(), image.size());
    // The coloured one-pixel lines keep their colour (no chroma subsampling).
    int coloured = 0, difference = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) {
        const QColor c = captured.pixelColor(x, y), j = image.pixelColor(x, y);
        if (std::max({c.red(), c.green(), c.blue()}) - std::min({c.red(), c.green(), c.blue()}) < 150) continue;
        ++coloured;
        difference += std::abs(c.red() - j.red()) + std::abs(c.green() - j.green()) + std::abs(c.blue() - j.blue());
      }
    ASSERT_GT(coloured, 100);
    EXPECT_LT(difference / coloured, 60) << "mean colour error over " << coloured << " pixels";
    ExpectControlsBack(pipeType == 0);
  }
  EXPECT_EQ(desktop.Texts(), (QStringList{"コピー保存して宜しいですか？", "コピー保存して宜しいですか？"}));

  QFile::remove(scratch.Path("prog/Work.bmp"));
  desktop.UseJpegLibrary(scratch.Path("libNoSuchSaveJPG.so"));
  desktop.answers = {scratch.Path("x.jpg")};
  form->Command6->click();
  EXPECT_EQ(desktop.Texts().last(), "JPEGファイルを保存できませんでした。");
  EXPECT_FALSE(QFile::exists(scratch.Path("x.jpg")));
  EXPECT_TRUE(QFile::exists(scratch.Path("prog/Work.bmp"))) << "the new bitmap is there";
  ExpectControlsBack(true);

  // Installed, the program never writes its own folder: the bitmap goes to the cache.
  qputenv("XDG_CACHE_HOME", scratch.Path("cache").toUtf8());
  SettingsLocation installed = form->Location();
  installed.Installed = true;
  StartWith(installed).show();
  LoadRecord(0);
  QFile::remove(scratch.Path("prog/Work.bmp"));
  desktop.UseJpegLibrary(PTLOG_SAVEJPG_LIB);
  desktop.answers = {scratch.Path("installed.jpg")};
  form->Command6->click();
  qunsetenv("XDG_CACHE_HOME");
  EXPECT_EQ(std::make_pair(QFile::exists(scratch.Path("prog/Work.bmp")), QImage(scratch.Path("installed.jpg")).size()),
            std::make_pair(false, form->size()));
}

}  // namespace
