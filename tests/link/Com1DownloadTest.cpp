// The Windows build's download from COM1, as a user starts it. The test
// script links Wine's COM1 to a pseudo-terminal where the logger simulator
// answers, names the settings file, and compares the files written.
#include "WindowTest.h"

namespace {

// The main window on a settings file, its download button pressed: the
// messages shown, then the status.
QStringList PressDownload(const QString& ini) {
  ptlog::test::FakeDesktop desktop;
  ptlog::Form1 form(desktop, ptlog::LocateSettings(QCoreApplication::applicationDirPath(), {"x", ini}, {}), 5);
  form.Load();
  form.show();
  form.Command1->click();
  return desktop.Texts() << form.Label3[19]->text();
}

TEST(Com1Download, TheButtonDownloadsEveryRecord) {
  const QString ini = qEnvironmentVariable("PTLOG_COM1_SETTINGS");
  if (ini.isEmpty()) GTEST_SKIP() << "run by scripts/windows/test";
  EXPECT_EQ(PressDownload(ini), (QStringList{"データ読み込みをして宜しいですか？",
                                             qEnvironmentVariable("PTLOG_COM1_COUNT") + "　件のデータを読み込みました。"}));
}

TEST(Com1Download, APortThatDoesNotExistIsNamedSo) {
  ptlog::test::Scratch scratch;
  const QString ini = scratch.Write("s.ini", "[Port Set]\r\nCommPort=199\r\n[Data Set]\r\nDataPath=" +
                                                 scratch.Path("").toUtf8() + "\r\n");
  EXPECT_EQ(PressDownload(ini).value(1), " 8002\rポート番号が不正です。");
}

}  // namespace
