#include "tool/ToolForm.h"

#include "TestSupport.h"
#include "platform/ProgramStart.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <memory>

using namespace ptlog;
using ptlog::test::MessageRecorder;
using ptlog::test::Scratch;

namespace {

const QString kWrongPort = "指定されたポート番号が違います。";
const QString kCreate = "指定されたデータフォルダーが有りません。作成しますか。";

class Tool : public ::testing::Test {
protected:
  void SetUp() override {
    oldHome = qgetenv("HOME");
    qputenv("HOME", scratch.Path("home").toUtf8());
    QDir().mkpath(scratch.Path("home"));
  }
  void TearDown() override { qputenv("HOME", oldHome); }

  ToolForm& Open(const QByteArray& settings) {
    iniPath = settings.isNull() ? scratch.Path("prog/KESTRA PTLOG.ini")
                                : scratch.Write("prog/KESTRA PTLOG.ini", settings);
    QDir().mkpath(scratch.Path("prog"));
    tool = std::make_unique<ToolForm>(SettingsLocation{scratch.Path("prog") + "/", iniPath});
    tool->Startup();
    tool->show();
    return *tool;
  }
  QString Written(const QString& section, const QString& key) const {
    return ReadProfileString(iniPath, section, key, "<absent>");
  }
  void Type(QWidget* w, const QString& text) {
    for (QChar c : text) {
      const int key = c == QChar(8) ? int(Qt::Key_Backspace) : 0;
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
      QApplication::sendEvent(w, &press);
    }
  }

  Scratch scratch;
  QByteArray oldHome;
  QString iniPath;
  std::unique_ptr<ToolForm> tool;
};

TEST_F(Tool, FirstStartCreatesTheDefaultFolderAndWritesAllFourKeys) {
  MessageRecorder messages(MessageAnswer::Yes);
  ToolForm& t = Open(QByteArray());
  EXPECT_EQ(t.windowTitle(), "KESTRA PTLOGINI 設定ファイルメンテナンス");
  EXPECT_EQ(t.Text2->text(), "1");
  const QString folder = scratch.Path("home") + "/KESTRA PTLOG DATA/";
  EXPECT_EQ(t.Text1->text(), folder);

  t.Command3->click();
  ASSERT_EQ(messages.shown.size(), 1u);
  EXPECT_EQ(messages.shown[0].text, kCreate);
  EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(Written("Port Set", "CommPort"), "1");
  EXPECT_EQ(Written("Port Set", "CommSettings"), "9600,n,8,1");
  EXPECT_EQ(Written("Data Set", "DataPath"), folder);
  EXPECT_EQ(Written("Data Set", "ProgramPath"), scratch.Path("prog") + "/");
  EXPECT_FALSE(t.isVisible()) << "apply ends the tool";
}

TEST_F(Tool, PortNumbersRefusedOrWrittenAsTyped) {
  const std::pair<const char*, const char*> cases[] = {{"0", nullptr},    {"00", nullptr}, {"", nullptr},
                                                       {"-3", nullptr},   {"007", "007"},  {"99999", "99999"},
                                                       {"12abc", "12abc"}};
  for (auto [typed, written] : cases) {
    MessageRecorder messages;
    ToolForm& t = Open(QByteArray());
    QDir().mkpath(scratch.Path("data"));
    t.Text1->setText(scratch.Path("data"));
    t.Text2->setText(typed);
    t.Command3->click();
    if (!written) {
      ASSERT_EQ(messages.shown.size(), 1u) << typed;
      EXPECT_EQ(messages.shown[0].text, kWrongPort);
      EXPECT_FALSE(QFile::exists(iniPath)) << typed;
      EXPECT_TRUE(t.isVisible());
    } else {
      EXPECT_TRUE(messages.shown.empty()) << typed;
      EXPECT_EQ(Written("Port Set", "CommPort"), written);
      QFile::remove(iniPath);
    }
  }
}

TEST_F(Tool, OnlyDigitsCanBeTypedIntoThePortBox) {
  ToolForm& t = Open(QByteArray());
  t.Text2->clear();
  Type(t.Text2, "1a-2.ｘ3");
  EXPECT_EQ(t.Text2->text(), "123");
  Type(t.Text2, QString(QChar(8)));
  EXPECT_EQ(t.Text2->text(), "12");
}

TEST_F(Tool, TabLeavesThePortBoxAndLaterActivationsKeepTheFocus) {
  ToolForm& t = Open(QByteArray());
  QApplication::setActiveWindow(&t);
  ASSERT_TRUE(t.Text2->hasFocus()) << "the first activation puts it there";
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  QApplication::sendEvent(t.Text2, &tab);
  EXPECT_FALSE(t.Text2->hasFocus());
  EXPECT_EQ(t.Text2->text(), "1");

  t.Text1->setFocus();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&t, &activate);
  EXPECT_TRUE(t.Text1->hasFocus());
}

TEST(StandardDialogs, SpeakJapanese) {
  LoadJapaneseTranslation(*static_cast<QApplication*>(QCoreApplication::instance()));
  QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"));
  EXPECT_TRUE(box.button(QMessageBox::No)->text().startsWith("いいえ"));
}

TEST_F(Tool, ListPickPutsItsTextInThePortBox) {
  ToolForm& t = Open(QByteArray());
  ASSERT_EQ(t.Combo1->count(), 15);
  EXPECT_EQ(t.Combo1->itemText(0), "1");
  EXPECT_EQ(t.Combo1->itemText(14), "15");
  emit t.Combo1->activated(11);
  EXPECT_EQ(t.Text2->text(), "12");
}

TEST_F(Tool, ExistingFolderOrFileGetsATrailingSeparator) {
  for (bool isFile : {false, true}) {
    MessageRecorder messages;
    ToolForm& t = Open("[Port Set]\r\nCommPort=3\r\nCommSettings=4800,e,7,2\r\n");
    const QString path = isFile ? scratch.Write("afile", "x") : scratch.Path("data");
    QDir().mkpath(scratch.Path("data"));
    t.Text1->setText(path);
    t.Command3->click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(t.Text1->text(), path + "/");
    EXPECT_EQ(Written("Data Set", "DataPath"), path + "/");
    EXPECT_EQ(Written("Port Set", "CommSettings"), "4800,e,7,2") << "written back as read";
  }
}

TEST_F(Tool, RefusalsKeepTheWindowAndTheFile) {
  const QByteArray stored = "[Port Set]\r\nCommPort=4\r\n";
  struct Case {
    const char* what;
    QString folder;
    MessageAnswer answer;
    QString lastMessage;  // empty: the question alone
  } cases[] = {
      {"no to creating the folder", scratch.Path("missing"), MessageAnswer::No, ""},
      {"empty folder box", "", MessageAnswer::Ok, "データフォルダーの入力が有りません。"},
      {"folder that cannot be created", scratch.Path("no/parent/here"), MessageAnswer::Yes,
       "データフォルダーを作成できません。"},
      {"settings file where no file can be", scratch.Path("data"), MessageAnswer::Ok, "設定ファイルに書き込めません。"}};
  QDir().mkpath(scratch.Path("data"));
  const QString blocker = scratch.Write("blocker", "x");
  for (const Case& c : cases) {
    MessageRecorder messages(c.answer);
    const QString ini = scratch.Write("prog/KESTRA PTLOG.ini", stored);
    const bool blocked = c.lastMessage == "設定ファイルに書き込めません。";
    ToolForm t(SettingsLocation{scratch.Path("prog") + "/", blocked ? blocker + "/s.ini" : ini});
    t.Startup();
    t.show();
    t.Text1->setText(c.folder);
    t.Command3->click();
    ASSERT_FALSE(messages.shown.empty()) << c.what;
    if (!c.lastMessage.isEmpty()) {
      EXPECT_EQ(messages.shown.back().text, c.lastMessage) << c.what;
    }
    EXPECT_TRUE(t.isVisible()) << c.what;
    EXPECT_EQ(Scratch::Read(ini), stored) << c.what;
    EXPECT_FALSE(QFile::exists(scratch.Path("missing")));
  }
  EXPECT_EQ(Scratch::Read(blocker), "x");
  // Cancel closes without writing.
  ToolForm& t = Open(stored);
  t.Text2->setText("9");
  t.Command2->click();
  EXPECT_FALSE(t.isVisible());
  EXPECT_EQ(Scratch::Read(iniPath), stored);
}

TEST_F(Tool, UnconvertiblePortStopsStartupAndKeepsStoredLineSettings) {
  MessageRecorder messages;
  ToolForm& t = Open("[Port Set]\r\nCommPort=COM2\r\nCommSettings=19200,n,8,1\r\n");
  EXPECT_TRUE(messages.shown.empty()) << "start-up problems are quiet";
  EXPECT_EQ(t.Text2->text(), "Text2");
  EXPECT_EQ(t.Text1->text(), "Text1");
  QDir().mkpath(scratch.Path("data"));
  t.Text2->setText("2");
  t.Text1->setText(scratch.Path("data"));
  t.Command3->click();
  EXPECT_EQ(Written("Port Set", "CommPort"), "2");
  EXPECT_EQ(Written("Port Set", "CommSettings"), "19200,n,8,1");
}

TEST_F(Tool, FolderListShowsTheDataFolderAndClickGivesFullPaths) {
  QDir().mkpath(scratch.Path("data/a"));
  QDir().mkpath(scratch.Path("data/b"));
  const QString data = scratch.Path("data");
  ToolForm& t = Open(EncodeSettingText("[Data Set]\r\nDataPath=" + data + "\r\n"));
  EXPECT_EQ(t.Text1->text(), data);
  EXPECT_EQ(t.DirPath(), data);
  EXPECT_FALSE(t.Drive1->currentText().isEmpty());
  QStringList entries;
  for (int i = 0; i < t.Dir1->count(); ++i) entries << t.Dir1->item(i)->text();
  EXPECT_EQ(entries, (QStringList{"..", "a", "b"}));
  emit t.Dir1->itemClicked(t.Dir1->item(2));
  EXPECT_EQ(t.Text1->text(), data + "/b");
  emit t.Dir1->itemClicked(t.Dir1->item(0));
  EXPECT_EQ(t.Text1->text(), QDir::cleanPath(scratch.Path(".")));
}

TEST_F(Tool, MissingDataFolderStillFillsTheBoxes) {
  ToolForm& t = Open(EncodeSettingText("[Data Set]\r\nDataPath=" + scratch.Path("gone/") + "\r\n"));
  EXPECT_EQ(t.Text2->text(), "1");
  EXPECT_EQ(t.Text1->text(), scratch.Path("gone/"));
  EXPECT_FALSE(t.Drive1->currentText().isEmpty());
  EXPECT_EQ(t.DirPath(), QDir::currentPath());
}

TEST(MountPoints, LongestHoldingMountWins) {
  const QStringList mounts{"/", "/home", "/home/user/usb", "/media"};
  const std::pair<const char*, const char*> cases[] = {{"/home/user/data", "/home"},
                                                       {"/home/user/usb/x", "/home/user/usb"},
                                                       {"/homework", "/"},
                                                       {"/media", "/media"},
                                                       {"/var/log", "/"}};
  for (auto [path, mount] : cases) EXPECT_EQ(MountPointOf(path, mounts), mount) << path;
}

}  // namespace
