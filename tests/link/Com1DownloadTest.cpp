// The Windows build's download from COM1, as a user starts it. The test
// script links Wine's COM1 to a pseudo-terminal where the logger simulator
// answers, names the settings file, and compares the files written.
#include "WindowTest.h"

TEST(Com1Download, TheButtonDownloadsEveryRecord) {
  const QString ini = qEnvironmentVariable("PTLOG_COM1_SETTINGS");
  if (ini.isEmpty()) GTEST_SKIP() << "run by scripts/windows/test";
  ptlog::test::FakeDesktop desktop;
  ptlog::Form1 form(desktop, ptlog::LocateSettings(QCoreApplication::applicationDirPath(), {"x", ini}, {}), 5);
  form.Load();
  form.show();
  form.Command1->click();
  ASSERT_EQ(desktop.shown.size(), 1u) << desktop.shown.back().text.toStdString();
  EXPECT_EQ(form.Label3[19]->text(), qEnvironmentVariable("PTLOG_COM1_COUNT") + "　件のデータを読み込みました。");
}

TEST(Com1Download, APortThatDoesNotExistIsNamedSo) {
  ptlog::test::FakeDesktop desktop;
  ptlog::test::Scratch scratch;
  const QString ini = scratch.Write("s.ini", "[Port Set]\r\nCommPort=199\r\n[Data Set]\r\nDataPath=" +
                                                 scratch.Path("").toUtf8() + "\r\n");
  ptlog::Form1 form(desktop, ptlog::LocateSettings(scratch.Path("prog"), {"x", ini}, {}), 5);
  form.Load();
  form.Command1->click();
  ASSERT_EQ(desktop.shown.size(), 2u);
  EXPECT_EQ(desktop.shown[1].text, " 8002\rポート番号が不正です。");
}
