#include "tool/ToolForm.h"

#include "FakeDesktop.h"
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
using ptlog::test::Native;
using ptlog::test::Scratch;

namespace {

class Tool : public ::testing::Test {
protected:
  void SetUp() override {
    oldHome = qgetenv("HOME");
    qputenv("HOME", scratch.Path("home").toUtf8());
    QDir().mkpath(scratch.Path("home"));
    QDir().mkpath(scratch.Path("data"));
  }
  void TearDown() override {
    tool.reset();
    qputenv("HOME", oldHome);
  }

  ToolForm& Open(const QByteArray& settings, const QString& where = QString()) {
    iniPath = settings.isNull() ? scratch.Path("prog/KESTRA PTLOG.ini")
                                : scratch.Write("prog/KESTRA PTLOG.ini", settings);
    QDir().mkpath(scratch.Path("prog"));
    desktop.shown.clear();
    tool.reset();
    tool = std::make_unique<ToolForm>(
        desktop, LocateSettings(scratch.Path("prog"), {"x", where.isEmpty() ? iniPath : where}, {}));
    tool->Startup();
    tool->show();
    return *tool;
  }
  QString Written(const QString& section, const QString& key) const {
    return ReadProfileString(iniPath, section, key, "<absent>");
  }
  QStringList Shown() const {
    QStringList texts;
    for (const MessageRequest& m : desktop.shown) texts << m.text;
    return texts;
  }

  Scratch scratch;
  test::FakeDesktop desktop;
  QByteArray oldHome;
  QString iniPath;
  std::unique_ptr<ToolForm> tool;
};

TEST_F(Tool, FirstStartCreatesTheDefaultFolderAndWritesAllFourKeys) {
#ifdef Q_OS_WIN
  // On the program's drive; the test cannot keep it to its scratch folder.
  const QString folder = scratch.Path("prog").left(1) + ":\\KESTRA PTLOG DATA\\";
#else
  const QString folder = scratch.Path("home") + "/KESTRA PTLOG DATA/";
#endif
  const bool existed = QFileInfo::exists(folder);
  ToolForm& t = Open(QByteArray());
  EXPECT_EQ(std::make_pair(t.Text2->text(), t.Text1->text()), std::make_pair(QString("1"), folder));
  t.Command3->click();
  EXPECT_EQ(Shown().size(), existed ? 0 : 1);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ((QStringList{Written("Port Set", "CommPort"), Written("Port Set", "CommSettings"),
                         Written("Data Set", "DataPath"), Written("Data Set", "ProgramPath")}),
            (QStringList{"1", "9600,n,8,1", folder, Native(scratch.Path("prog") + "/")}));
  EXPECT_FALSE(t.isVisible()) << "apply ends the tool";
}

// The port box takes digits only; a number is written as typed, zero or
// nothing is refused.
TEST_F(Tool, PortNumbersRefusedOrWrittenAsTyped) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", nullptr}, {"00", nullptr}, {"", nullptr}, {"007", "007"}, {"99999", "99999"}};
  for (auto [typed, written] : cases) {
    ToolForm& t = Open(QByteArray());
    t.Text1->setText(scratch.Path("data"));
    t.Text2->setText(typed);
    t.Command3->click();
    EXPECT_EQ(Shown(), written ? QStringList{} : QStringList{"指定されたポート番号が違います。"}) << typed;
    EXPECT_EQ(Written("Port Set", "CommPort"), written ? written : "<absent>");
    EXPECT_NE(t.isVisible(), bool(written));
    QFile::remove(iniPath);
  }
  ToolForm& t = Open(QByteArray());
  t.Text2->clear();
  for (QChar c : QStringLiteral("1a-2.ｘ3\b")) {
    QKeyEvent press(QEvent::KeyPress, c == '\b' ? int(Qt::Key_Backspace) : 0, Qt::NoModifier, QString(c));
    QApplication::sendEvent(t.Text2, &press);
  }
  EXPECT_EQ(t.Text2->text(), "12");
  emit t.Combo1->activated(11);
  EXPECT_EQ(t.Text2->text(), "12") << "the list's twelfth entry";
  EXPECT_EQ(t.Combo1->count(), 15);
}

TEST_F(Tool, TabLeavesThePortBoxAndLaterActivationsKeepTheFocus) {
  ToolForm& t = Open(QByteArray());
  QApplication::setActiveWindow(&t);
  ASSERT_TRUE(t.Text2->hasFocus()) << "the first activation puts it there";
  QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier, "\t");
  QApplication::sendEvent(t.Text2, &tab);
  EXPECT_FALSE(t.Text2->hasFocus());
  t.Text1->setFocus();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(&t, &activate);
  EXPECT_TRUE(t.Text1->hasFocus());

  LoadJapaneseTranslation(*static_cast<QApplication*>(QCoreApplication::instance()));
  QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"));
}

TEST_F(Tool, ExistingFolderOrFileGetsATrailingSeparatorAndLineSettingsStay) {
  for (const QString& path : {scratch.Path("data"), scratch.Write("afile", "x")}) {
    ToolForm& t = Open("[Port Set]\r\nCommPort=3\r\nCommSettings=4800,e,7,2\r\n");
    t.Text1->setText(path);
    t.Command3->click();
    EXPECT_TRUE(desktop.shown.empty());
    EXPECT_EQ(Written("Data Set", "DataPath"), Native(path + "/"));
    EXPECT_EQ(Written("Port Set", "CommSettings"), "4800,e,7,2");
  }
  // A port the tool cannot read stops its start-up quietly; applying still
  // keeps the stored line settings.
  ToolForm& t = Open("[Port Set]\r\nCommPort=COM2\r\nCommSettings=19200,n,8,1\r\n");
  EXPECT_TRUE(desktop.shown.empty());
  EXPECT_EQ(t.Text2->text(), "Text2");
  t.Text2->setText("2");
  t.Text1->setText(scratch.Path("data"));
  t.Command3->click();
  EXPECT_EQ(Written("Port Set", "CommPort"), "2");
  EXPECT_EQ(Written("Port Set", "CommSettings"), "19200,n,8,1");
}

TEST_F(Tool, RefusalsKeepTheWindowAndTheFile) {
  const QByteArray stored = "[Port Set]\r\nCommPort=4\r\n";
  const QString blocker = scratch.Write("blocker", "x");
  const struct {
    QString folder;
    MessageAnswer answer;
    QString lastMessage;
    QString settings;  // empty: the stored file
  } cases[] = {
      {scratch.Path("missing"), MessageAnswer::No, "指定されたデータフォルダーが有りません。作成しますか。", ""},
      {"", MessageAnswer::Yes, "データフォルダーの入力が有りません。", ""},
      {scratch.Path("no/parent/here"), MessageAnswer::Yes, "データフォルダーを作成できません。", ""},
      {scratch.Path("data"), MessageAnswer::Yes, "設定ファイルに書き込めません。", blocker + "/s.ini"}};
  for (const auto& c : cases) {
    desktop.answer = c.answer;
    ToolForm& t = Open(stored, c.settings);
    t.Text1->setText(c.folder);
    t.Command3->click();
    EXPECT_EQ(Shown().value(Shown().size() - 1), c.lastMessage);
    EXPECT_TRUE(t.isVisible());
    EXPECT_EQ(Scratch::Read(iniPath), stored);
    EXPECT_FALSE(QFile::exists(scratch.Path("missing")));
  }
  EXPECT_EQ(Scratch::Read(blocker), "x");
  ToolForm& t = Open(stored);
  t.Text2->setText("9");
  t.Command2->click();
  EXPECT_FALSE(t.isVisible()) << "cancel closes without writing";
  EXPECT_EQ(Scratch::Read(iniPath), stored);
}

TEST_F(Tool, FolderListShowsTheDataFolderAndClickGivesFullPaths) {
  QDir().mkpath(scratch.Path("data/a"));
  QDir().mkpath(scratch.Path("data/b"));
  const QString data = scratch.Path("data");
  ToolForm& t = Open(EncodeSettingText("[Data Set]\r\nDataPath=" + data + "\r\n"));
  EXPECT_EQ(t.DirPath(), data);
  QStringList entries;
  for (int i = 0; i < t.Dir1->count(); ++i) entries << t.Dir1->item(i)->text();
  EXPECT_EQ(entries, (QStringList{"..", "a", "b"}));
  emit t.Dir1->itemClicked(t.Dir1->item(2));
  EXPECT_EQ(t.Text1->text(), Native(data + "/b"));
  emit t.Dir1->itemClicked(t.Dir1->item(0));
  EXPECT_EQ(t.Text1->text(), Native(QDir::cleanPath(scratch.Path("."))));

  // A missing data folder still fills the boxes; the list stays where it was.
  ToolForm& gone = Open(EncodeSettingText("[Data Set]\r\nDataPath=" + scratch.Path("gone/") + "\r\n"));
  EXPECT_EQ(std::make_pair(gone.Text2->text(), gone.Text1->text()), std::make_pair(QString("1"), scratch.Path("gone/")));
  EXPECT_FALSE(gone.Drive1->currentText().isEmpty());
  EXPECT_EQ(gone.DirPath(), QDir::currentPath());
}

}  // namespace
