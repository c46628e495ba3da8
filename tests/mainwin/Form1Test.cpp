// The main window as a user meets it: start-up and shutdown, its controls,
// and loading, saving and looking at record files.
#include "Form1Fixture.h"

using namespace ptlog;
using namespace ptlog::test;

namespace {

// The scale, model and details shown, then the first entry ("Text1": the
// start-up stopped before it was cleared).
QString Choices(const Form1& f) {
  return QStringLiteral("%1 %2 %3 %4")
      .arg(f.Option2[0]->isChecked() ? "1MPa" : "2MPa", f.Option1[0]->isChecked() ? "air" : "water")
      .arg(f.Check1->Value())
      .arg(f.Text1[0]->text());
}

using Startup = Form1Fixture;

// The stored display choices are shown and written back at the end, other
// lines kept; a bad value stops the start-up where it is found, with its
// message, and the choices shown are still written at the end.
TEST_F(Startup, StoredChoicesAreShownAndWrittenBack) {
  const QByteArray air = "Model=\x8B\xF3\x88\xB3\r\n", water = "Model=\x90\x85\x88\xB3\r\n";
  const std::tuple<QByteArray, QString, QString, QByteArray> cases[] = {  // stored, shown, message, written
      {{}, "1MPa air 1 ", "", "[Display Set]\r\nScale=1MPa\r\n" + air + "Details=1\r\n"},
      {"[Display Set]\r\nScale=2MPa\r\n" + water + "Details=0\r\n", "2MPa water 0 ", "", {}},
      // Only the exact texts select 1 MPa and air.
      {"; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=1mpa\r\nModel=air\r\nDetails=2\r\n",
       "2MPa water 2 ", "", "; kept\r\n[Port Set]\r\nCommPort=2\r\n\r\n[Display Set]\r\nScale=2MPa\r\n" + water + "Details=2\r\n"},
      {"[Port Set]\r\nCommPort=abc\r\n", "1MPa air 1 Text1", " 13\r型が一致しません。", "Scale=1MPa"},
      {"[Port Set]\r\nReadRetrial=40000\r\n", "1MPa air 1 Text1", " 6\rオーバーフローしました。", "Scale=1MPa"},
      // Details are read after the scale and model were applied.
      {"[Display Set]\r\nScale=2MPa\r\nModel=x\r\nDetails=7\r\n", "2MPa water 1 Text1", " 380\rプロパティの値が不正です。",
       "Scale=2MPa"}};
  int ended = 0;
  for (const auto& [stored, shown, message, written] : cases) {
    desktop.shown.clear();
    Form1& f = Start(stored);
    EXPECT_EQ(Choices(f), shown) << stored.constData();
    EXPECT_EQ(desktop.Texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    f.Command99->click();
    f.close();  // the unload step runs once whatever ends the window
    EXPECT_EQ(desktop.ended, ++ended);
    const QByteArray now = Scratch::Read(f.Location().SettingsFilePath);
    EXPECT_TRUE(written.isEmpty() ? now == stored : message.isEmpty() ? now == written : now.contains(written))
        << now.constData();
  }
  EXPECT_EQ(desktop.shown.front().title, "KESTRA PTLOG");
}

using Controls = Form1Fixture;

// The option pairs are separate groups; a grey details box becomes checked.
// Return and Down go to the next entry, Up back, Esc to the first; other
// keys still reach the field.
TEST_F(Controls, ChoicesAndEntryKeys) {
  Form1& f = Start("[Display Set]\r\nDetails=2\r\n");
  f.Option2[1]->click();
  f.Option1[1]->click();
  f.Check1->click();
  EXPECT_EQ(Choices(f), "2MPa water 1 ");
  f.Check1->click();
  EXPECT_EQ(f.Check1->Value(), 0);
  f.show();
  f.activateWindow();
  ASSERT_TRUE(RunUntil([&] { return f.isActiveWindow(); }));
  const int none = Qt::NoModifier, shift = Qt::ShiftModifier, ctrl = Qt::ControlModifier;
  const int cases[][4] = {  // from, key, modifiers, to
      {0, Qt::Key_Return, none, 1}, {1, Qt::Key_Enter, none, 2}, {2, Qt::Key_Return, none, 2},
      {1, Qt::Key_Down, shift, 2},  {2, Qt::Key_Down, none, 2},  {2, Qt::Key_Up, none, 1},
      {0, Qt::Key_Up, none, 0},     {1, Qt::Key_Escape, ctrl, 0}, {1, Qt::Key_A, none, 1}};
  for (const auto& c : cases) {
    f.Text1[c[0]]->setFocus();
    QKeyEvent press(QEvent::KeyPress, c[1], Qt::KeyboardModifiers(c[2]), c[1] == Qt::Key_A ? "a" : QString());
    QApplication::sendEvent(f.Text1[c[0]], &press);
    EXPECT_EQ(f.focusWidget(), f.Text1[c[3]]) << c[0] << " key " << c[1];
  }
  EXPECT_EQ(f.Text1[1]->text(), "a");

}

class Files : public Form1Fixture {
protected:
  void SetUp() override { StartOnData(); }
  // The entries, then the choices.
  QString Shows() const {
    return form->Text1[1]->text() + " " + form->Text1[2]->text() + " " + Choices(*form);
  }
};

// A saved name restores the entries and choices; a downloaded one clears the
// entries; a cancelled dialog changes nothing; a file that cannot be read
// or shown leaves the record before on screen.
TEST_F(Files, LoadingRestoresWhatTheNameSavedOrKeepsTheRecordShown) {
  // Each flag is read from a start where it shows: "2", "w" and "d" (exactly
  // those) select, "1" and "e" leave the choice, three blanks leave all.
  const std::tuple<const char*, const char*, const char*> names[] = {  // name, start, shows
      {"0012060720140530.txt", "2wd", "  2MPa water 1 "},
      {"A1_B2_C3_1es_0012060720140530.txt", "2wd", "B2 C3 2MPa water 0 A1"},
      {"A1_B2_C3_2wd_0012060720140530.txt", "1es", "B2 C3 2MPa water 1 A1"},
      {"A1_B2_C3_2Wd_0012060720140530.txt", "1es", "B2 C3 2MPa air 1 A1"},
      {"A_B_C__0012.txt", "1ed", "B C 1MPa air 1 A"},
      {"A1_B2_0012.txt", "1ed", "B2  1MPa air 1 A1"},
      {"A_1_B2_C3_2wd_0012.txt", "1ed", "1 B2 1MPa air 0 A"}};
  for (auto [name, start, shows] : names) {
    form->Option2[start[0] == '2']->setChecked(true);
    form->Option1[start[1] == 'w']->setChecked(true);
    form->Check1->SetValue(start[2] == 'd');
    form->Text1[0]->setText("old");
    Load(Put(name, PlainRecord(12)));
    EXPECT_EQ(Shows(), shows) << name;
    EXPECT_EQ(form->State().RecordPath, scratch.Path(QString("data/") + name));
  }
  EXPECT_EQ(desktop.asked[0].folder, scratch.Path("data/")) << "the dialog opens in the data folder";

  const QString good = Put("A_B_C_1ed_0001.txt", PlainRecord(1));
  Load(good);
  const QString shown = Shows(), caption = form->Label4[0]->text();
  const QImage picture = form->Picture1->Canvas().copy();
  tools::RecordSpec noInterval = PlainRecord(3);
  noInterval.intervalSeconds = 0;
  const std::pair<QString, QString> bad[] = {
      {QString(), ""},  // cancelled
      {scratch.Write("data/X_Y_Z_2wd_empty.txt", ""), "ファイルを読み込めませんでした。"},
      {scratch.Path("data/none.txt"), "ファイルを読み込めませんでした。"},
      // Read, but the cursor bars end at sample 720.
      {Put("X_Y_Z_2wd_long.txt", PlainRecord(2, 722)), "データ数が多すぎて表示できません。"},
      {Put("X_Y_Z_2wd_zero.txt", noInterval), "データを表示できませんでした。"}};
  for (const auto& [path, message] : bad) {
    desktop.shown.clear();
    Load(path);
    EXPECT_EQ(desktop.Texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    EXPECT_EQ(std::make_tuple(form->State().RecordPath, Shows(), form->Label4[0]->text()),
              std::make_tuple(good, shown, caption));
    EXPECT_EQ(form->Picture1->Canvas(), picture);
    EXPECT_EQ(form->HScroll1[1]->value(), 99);
  }
  desktop.shown.clear();
  Load(Put("X_Y_Z_2wd_most.txt", PlainRecord(2, 721)));  // the longest that is shown
  EXPECT_EQ(std::make_pair(desktop.Texts(), form->HScroll1[1]->value()), std::make_pair(QStringList{}, 720));
}

// Save renames after the entries and choices in the file's own folder (the
// same name again does nothing); what cannot be saved is refused in order.
TEST_F(Files, SaveRenamesTheFileOrRefuses) {
  QDir().mkpath(scratch.Path("elsewhere"));
  const QString path = scratch.Path("elsewhere/x_y_z_2wd_0012060720140530.txt");
  WriteRecordFile(path, tools::RecordText(PlainRecord(12)));
  const QByteArray content = Scratch::Read(path);
  const QString proposed = scratch.Path("elsewhere/A_B_C_1es_0012060720140530.txt");
  const std::tuple<QStringList, QString, QString, QString> cases[] = {  // entries, answer, message, record after
      {{"x", "x", "x"}, "", "ファイルが読み込まれていません。", ""},
      {{"", "", ""}, "", "現場名の入力が有りません。", path},
      {{"x", "", ""}, "", "棟名の入力が有りません。", path},
      {{"x", "x", ""}, "", "担当者の入力が有りません。", path},
      // The names become part of a file name: they must not lead into another folder.
      {{"../up", "ok", "ok"}, "", "現場名に使えない文字が有ります。", path},
      {{"ok", "a/b", "ok"}, "", "棟名に使えない文字が有ります。", path},
      {{"ok", "ok", ".."}, "", "担当者に使えない文字が有ります。", path},
      {{"x", "x", "x"}, scratch.Path("no/such/folder/x.txt"), "ファイルを保存できませんでした。", path},
      {{"A", "B", "C"}, proposed, "", proposed},
      {{"A", "B", "C"}, proposed, "", proposed}};
  for (const auto& [entries, answer, message, after] : cases) {
    if (!after.isEmpty() && form->State().RecordPath.isEmpty()) Load(path);
    for (int i = 0; i < 3; ++i) form->Text1[i]->setText(entries[i]);
    form->Option2[0]->setChecked(true);
    form->Option1[0]->setChecked(true);
    form->Check1->SetValue(0);
    desktop.shown.clear();
    desktop.answers = {answer};
    const size_t asked = desktop.asked.size();
    form->Command5->click();
    EXPECT_EQ(desktop.Texts(), message.isEmpty() ? QStringList{} : QStringList{message});
    EXPECT_EQ(desktop.asked.size() - asked, answer.isEmpty() ? 0u : 1u) << "a refusal asks nothing more";
    EXPECT_EQ(form->State().RecordPath, after);
    EXPECT_EQ(Scratch::Read(after.isEmpty() ? path : after), content);
  }
  EXPECT_EQ(std::make_pair(desktop.asked.back().kind, desktop.asked.back().fileName),
            std::make_pair(FileDialogRequest::Save, proposed));
  EXPECT_FALSE(QFile::exists(path));
}

TEST_F(Files, BarsAndArrowKeysMoveTheLinesWithinTheRecord) {
  Load(Put("0001.txt", PlainRecord(1, 100, 0)));
  EXPECT_EQ(std::make_pair(form->HScroll1[0]->value(), form->State().CursorATime), std::make_pair(30, 300));
  // Left moves a line towards sample 0, Right away from it; the last sample is the limit.
  const int cases[][3] = {{0, Qt::Key_Right, 31}, {0, Qt::Key_Left, 30}, {0, Qt::Key_Left, 29},
                          {1, Qt::Key_Right, 99}, {1, Qt::Key_Left, 98}, {1, Qt::Key_Right, 99}};
  for (const auto& c : cases) {
    QKeyEvent press(QEvent::KeyPress, c[1], Qt::NoModifier);
    QApplication::sendEvent(form->HScroll1[c[0]], &press);
    EXPECT_EQ(form->HScroll1[c[0]]->value(), c[2]) << c[0] << " " << c[1];
  }
  EXPECT_EQ(std::make_pair(form->State().CursorATime, form->State().CursorDTime), std::make_pair(290, 990));

  // Another scale decodes again: line D stays, line A goes back.
  form->HScroll1[1]->setValue(50);
  form->Option2[1]->click();
  EXPECT_EQ(std::make_pair(form->State().CursorATime, form->State().CursorDTime), std::make_pair(300, 500));
  EXPECT_EQ(form->Label4[10]->text(), "00:08:20");

  // A typed record hides line A's bar and caption and shows its own readouts.
  EXPECT_TRUE(form->Label4[16]->isHidden());
  Load(Put("0002.txt", PlainRecord(2, 100, 3)));
  EXPECT_TRUE(form->HScroll1[0]->isHidden() && form->Label3[12]->isHidden() && !form->Label4[16]->isHidden());
}

}  // namespace
