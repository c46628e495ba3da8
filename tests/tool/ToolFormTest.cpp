#include "WindowTest.h"
#include "platform/ProgramStart.h"
#include "settings/IniFile.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>

using namespace ptlog;
using namespace ptlog::test;

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
  EXPECT_EQ(desktop.Texts().size(), existed ? 0 : 1);
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ((QStringList{Written("Port Set", "CommPort"), Written("Port Set", "CommSettings"),
                         Written("Data Set", "DataPath"), Written("Data Set", "ProgramPath")}),
            (QStringList{"1", "9600,n,8,1", folder, Native(scratch.Path("prog") + "/")}));
  EXPECT_FALSE(t.isVisible()) << "apply ends the tool";
}

// Apply: what is typed is checked in order (port, folder, creating it, the
// file) and either written (the port as typed, the folder with its
// separator, the stored line settings kept) or refused with the window open
// and the file as it was.
TEST_F(Tool, ApplyWritesWhatWasTypedOrRefusesAndKeepsTheFile) {
  const QByteArray stored = "[Port Set]\r\nCommPort=4\r\nCommSettings=4800,e,7,2\r\n";
  const QString data = scratch.Path("data"), file = scratch.Write("afile", "x");
  const struct {
    QString port, folder;
    MessageAnswer answer;
    QString message;         // the last one shown; empty: none
    QString writtenPort;     // empty: nothing written
    QString settings = {};   // empty: the stored file
  } cases[] = {
      {"0", data, MessageAnswer::Yes, "指定されたポート番号が違います。", ""},
      {"2", "", MessageAnswer::Yes, "データフォルダーの入力が有りません。", ""},
      {"2", scratch.Path("missing"), MessageAnswer::No, "指定されたデータフォルダーが有りません。作成しますか。", ""},
      {"2", scratch.Path("no/parent/here"), MessageAnswer::Yes, "データフォルダーを作成できません。", ""},
      {"2", data, MessageAnswer::Yes, "設定ファイルに書き込めません。", "", file + "/s.ini"},
      {"007", data, MessageAnswer::Yes, "", "007"},
      {"99999", file, MessageAnswer::Yes, "", "99999"}};
  for (const auto& c : cases) {
    desktop.answer = c.answer;
    ToolForm& t = Open(stored, c.settings);
    t.Text2->setText(c.port);
    t.Text1->setText(c.folder);
    t.Command3->click();
    EXPECT_EQ(desktop.Texts().value(desktop.Texts().size() - 1), c.message) << c.port.toStdString();
    EXPECT_EQ(t.isVisible(), c.writtenPort.isEmpty());
    if (c.writtenPort.isEmpty()) {
      EXPECT_EQ(Scratch::Read(iniPath), stored);
      continue;
    }
    EXPECT_EQ((QStringList{Written("Port Set", "CommPort"), Written("Data Set", "DataPath"),
                           Written("Port Set", "CommSettings")}),
              (QStringList{c.writtenPort, Native(c.folder + "/"), "4800,e,7,2"}));
  }
  EXPECT_FALSE(QFile::exists(scratch.Path("missing")));
  EXPECT_EQ(Scratch::Read(file), "x");
  ToolForm& t = Open(stored);
  t.Command2->click();
  EXPECT_FALSE(t.isVisible()) << "cancel closes without writing";
  EXPECT_EQ(Scratch::Read(iniPath), stored);
}

// The port box takes digits only; the list puts its entry in the box. Tab
// leaves it; activation focuses it. Standard dialogs speak Japanese.
TEST_F(Tool, PortBoxKeysListAndFocus) {
  ToolForm& t = Open("[Port Set]\r\nCommPort=COM2\r\n");
  EXPECT_EQ(t.Text2->text(), "Text2") << "a port the tool cannot read stops its start-up quietly";
  QApplication::setActiveWindow(&t);
  ASSERT_TRUE(t.Text2->hasFocus());
  t.Text2->clear();
  // Every digit and nothing beside them ('/' and ':' border the digits).
  for (QChar c : QStringLiteral("/01a2-345.6ｘ789:\b\t")) {
    const int key = c == '\b' ? int(Qt::Key_Backspace) : c == '\t' ? int(Qt::Key_Tab) : 0;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(t.Text2, &press);
  }
  EXPECT_EQ(t.Text2->text(), "012345678");
  EXPECT_FALSE(t.Text2->hasFocus());
  emit t.Combo1->activated(10);
  EXPECT_EQ(t.Text2->text(), "11");
  LoadJapaneseTranslation(*static_cast<QApplication*>(QCoreApplication::instance()));
  QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
  EXPECT_TRUE(box.button(QMessageBox::Yes)->text().startsWith("はい"));
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

// Acts on the next modal window once it is up.
void WhenModal(std::function<void(QWidget*)> act) {
  auto* poll = new QTimer;
  QObject::connect(poll, &QTimer::timeout, [poll, act] {
    if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) poll->deleteLater(), act(w);
  });
  poll->start(5);
}

// The system desktop's own boxes: our CR line breaks as lines, the title
// given or the program's, Return for the default (Yes), Esc for No.
TEST(SystemDesktop, MessageBoxesAndFileDialogsAsAsked) {
  QApplication::setApplicationName("KESTRA PTLOGINI");
  const std::tuple<MessageButtons, QString, int, MessageAnswer, QString> cases[] = {
      {MessageButtons::Ok, "", Qt::Key_Return, MessageAnswer::Ok, " 8020\n切断|KESTRA PTLOGINI"},
      {MessageButtons::YesNo, "通信エラー", Qt::Key_Return, MessageAnswer::Yes, " 8020\n切断|通信エラー"},
      {MessageButtons::YesNo, "", Qt::Key_Escape, MessageAnswer::No, " 8020\n切断|KESTRA PTLOGINI"}};
  for (const auto& [buttons, title, key, answer, shown] : cases) {
    QString seen;
    WhenModal([&, key = key](QWidget* w) {
      seen = static_cast<QMessageBox*>(w)->text() + "|" + w->windowTitle();
      QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
      QApplication::sendEvent(w, &press);
    });
    EXPECT_EQ(SystemDesktop().Message(nullptr, {" 8020\r切断", buttons, MessageIcon::Warning, title}), answer);
    EXPECT_EQ(seen, shown);
  }
#ifndef Q_OS_WIN  // Windows shows its own file dialogs
  Scratch scratch;
  const QString record = scratch.Write("data/0001.txt", "x"), pdf = scratch.Path("data/0001.pdf");
  const std::tuple<FileDialogRequest, QString, QString> dialogs[] = {  // asked, filter shown, answer
      {{FileDialogRequest::Open, kRecordFileFilter, 2, "", scratch.Path("data")}, "Text Files (*.txt)", record},
      {{FileDialogRequest::Save, "PDF Files (*.pdf)|*.pdf", 1, pdf, ""}, "PDF Files (*.pdf)", pdf}};
  for (const auto& [request, filter, path] : dialogs) {
    QString seen;
    WhenModal([&, path = path](QWidget* w) {
      auto* d = static_cast<QFileDialog*>(w);
      seen = d->selectedNameFilter() + "|" + d->directory().path();
      d->selectFile(path);
      static_cast<QDialog*>(d)->accept();
    });
    EXPECT_EQ(SystemDesktop().RunFileDialog(nullptr, request), path);
    EXPECT_EQ(seen, filter + "|" + scratch.Path("data"));
  }
#endif
}

}  // namespace
