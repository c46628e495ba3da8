#include "Form1Fixture.h"
#include "record/RecordFile.h"
#include "tools/RecordGenerator.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

using namespace ptlog;
using ptlog::test::FileDialogRecorder;
using ptlog::test::Form1Fixture;
using ptlog::test::PlainRecord;
using ptlog::test::Scratch;

namespace {

class Files : public Form1Fixture {
protected:
  void SetUp() override {
    Form1Fixture::SetUp();
    QDir().mkpath(scratch.Path("data"));
    Start("[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() + "\r\n");
  }
  QString Put(const QString& name, const tools::RecordSpec& spec) {
    const QString path = scratch.Path("data/" + name);
    WriteRecordFile(path, tools::RecordText(spec));
    return path;
  }
  void Load(const QString& path) {
    dialogs.answers = {path};
    form->Command2->click();
  }
  QStringList Texts() const {
    return {form->Text1[0]->text(), form->Text1[1]->text(), form->Text1[2]->text()};
  }
  FileDialogRecorder dialogs;
};

TEST_F(Files, LoadingADownloadedFileClearsTheFieldsAndKeepsTheChoices) {
  form->Option2[1]->setChecked(true);
  form->Text1[0]->setText("old");
  const QString path = Put("0012060720140530.txt", PlainRecord(12));
  Load(path);
  ASSERT_EQ(dialogs.asked.size(), 1u);
  EXPECT_EQ(dialogs.asked[0].kind, FileDialogRequest::Open);
  EXPECT_EQ(dialogs.asked[0].filterIndex, 2);
  EXPECT_EQ(dialogs.asked[0].filter, "All Files (*.*)|*.*|Text Files (*.txt)|*.txt|CSV Files (*.csv)|*.csv");
  EXPECT_EQ(dialogs.asked[0].folder, scratch.Path("data/"));
  EXPECT_EQ(form->State().RecordPath, path);
  EXPECT_EQ(Texts(), (QStringList{"", "", ""}));
  EXPECT_TRUE(form->Option2[1]->isChecked());
  EXPECT_EQ(form->Label4[0]->text(), "0012");
  EXPECT_TRUE(messages.shown.empty());
}

TEST_F(Files, SavedNamesRestoreFieldsAndChoices) {
  struct Case {
    const char* name;
    QStringList fields;
    bool twoMpa, water;
    int details;
  } cases[] = {
      {"A1_B2_C3_1es_0012060720140530.txt", {"A1", "B2", "C3"}, false, false, 0},
      {"A1_B2_C3_2wd_0012060720140530.txt", {"A1", "B2", "C3"}, true, true, 1},
      {"A1_B2_0012.txt", {"A1", "B2", ""}, false, false, 1},
      {"A_1_B2_C3_2wd_0012.txt", {"A", "1", "B2"}, false, false, 0},
  };
  for (const Case& c : cases) {
    form->Option2[0]->setChecked(true);
    form->Option1[0]->setChecked(true);
    form->Check1->SetValue(1);
    Load(Put(c.name, PlainRecord(12)));
    EXPECT_EQ(Texts(), c.fields) << c.name;
    EXPECT_EQ(form->Option2[1]->isChecked(), c.twoMpa) << c.name;
    EXPECT_EQ(form->Option1[1]->isChecked(), c.water) << c.name;
    EXPECT_EQ(form->Check1->Value(), c.details) << c.name;
    EXPECT_EQ(form->State().RecordPath, scratch.Path(QString("data/") + c.name));
  }
}

TEST_F(Files, AFailedLoadKeepsTheRecordOnScreen) {
  const QString good = Put("A_B_C_1ed_0001.txt", PlainRecord(1));
  Load(good);
  const QString caption = form->Label4[0]->text();
  const QImage picture = form->Picture1->Canvas().copy();
  tools::RecordSpec noInterval = PlainRecord(3);
  noInterval.intervalSeconds = 0;
  const std::pair<QString, QString> bad[] = {
      {scratch.Write("data/X_Y_Z_2wd_empty.txt", ""), "ファイルを読み込めませんでした。"},
      {scratch.Path("data/none.txt"), "ファイルを読み込めませんでした。"},
      // Read, but the cursor bars end at sample 720.
      {Put("X_Y_Z_2wd_long.txt", PlainRecord(2, 722)), "データ数が多すぎて表示できません。"},
      {Put("X_Y_Z_2wd_zero.txt", noInterval), "データを表示できませんでした。"}};
  for (const auto& [path, message] : bad) {
    messages.shown.clear();
    Load(path);
    ASSERT_EQ(messages.shown.size(), 1u) << path.toStdString();
    EXPECT_EQ(messages.shown[0].text, message);
    EXPECT_EQ(form->State().RecordPath, good);
    EXPECT_EQ(Texts(), (QStringList{"A", "B", "C"}));
    EXPECT_TRUE(form->Option2[0]->isChecked());
    EXPECT_TRUE(form->Option1[0]->isChecked());
    EXPECT_EQ(form->Label4[0]->text(), caption);
    EXPECT_EQ(form->Picture1->Canvas(), picture);
    EXPECT_EQ(form->HScroll1[1]->value(), 99);
  }
}

TEST_F(Files, CancelledOpenChangesNothing) {
  const QString good = Put("0001.txt", PlainRecord(1));
  Load(good);
  form->Text1[0]->setText("site");
  Load(QString());
  EXPECT_EQ(form->State().RecordPath, good);
  EXPECT_EQ(form->Text1[0]->text(), "site");
}

TEST_F(Files, SaveReplacesThePrefixAndMovesTheFile) {
  QDir().mkpath(scratch.Path("elsewhere"));
  const QString path = scratch.Path("elsewhere/x_y_z_2wd_0012060720140530.txt");
  WriteRecordFile(path, tools::RecordText(PlainRecord(12)));
  Load(path);
  form->Text1[0]->setText("A");
  form->Text1[1]->setText("B");
  form->Text1[2]->setText("C");
  form->Option2[0]->setChecked(true);
  form->Option1[0]->setChecked(true);
  form->Check1->SetValue(0);
  const QString proposed = scratch.Path("elsewhere/A_B_C_1es_0012060720140530.txt");
  dialogs.answers = {proposed};
  form->Command5->click();
  ASSERT_EQ(dialogs.asked.size(), 2u);
  EXPECT_EQ(dialogs.asked[1].kind, FileDialogRequest::Save);
  EXPECT_EQ(dialogs.asked[1].fileName, proposed) << "in the file's own folder";
  EXPECT_EQ(dialogs.asked[1].filterIndex, 2);
  EXPECT_FALSE(QFile::exists(path));
  EXPECT_TRUE(QFile::exists(proposed));
  EXPECT_EQ(form->State().RecordPath, proposed);
  EXPECT_TRUE(messages.shown.empty());

  // Saving again with the same entries proposes the file itself: nothing happens.
  const QByteArray content = Scratch::Read(proposed);
  dialogs.answers = {proposed};
  form->Command5->click();
  EXPECT_EQ(Scratch::Read(proposed), content);
  EXPECT_EQ(form->State().RecordPath, proposed);
}

TEST_F(Files, SaveRefusalsInOrderLeaveTheFile) {
  struct Case {
    bool loaded;
    QStringList fields;
    QString answer;  // the save dialog's
    const char* message;
  } cases[] = {{false, {"x", "x", "x"}, "", "ファイルが読み込まれていません。"},
               {true, {"", "", ""}, "", "現場名の入力が有りません。"},
               {true, {"x", "", ""}, "", "棟名の入力が有りません。"},
               {true, {"x", "x", ""}, "", "担当者の入力が有りません。"},
               // The names become part of a file name: they must not lead into another folder.
               {true, {"../up", "ok", "ok"}, "", "現場名に使えない文字が有ります。"},
               {true, {"ok", "a/b", "ok"}, "", "棟名に使えない文字が有ります。"},
               {true, {"ok", "ok", ".."}, "", "担当者に使えない文字が有ります。"},
               {true, {"x", "x", "x"}, scratch.Path("no/such/folder/x.txt"), "ファイルを保存できませんでした。"}};
  const QString path = Put("0001.txt", PlainRecord(1));
  for (const Case& c : cases) {
    if (c.loaded && form->State().RecordPath.isEmpty()) Load(path);
    for (int i = 0; i < 3; ++i) form->Text1[i]->setText(c.fields[i]);
    messages.shown.clear();
    dialogs.answers = {c.answer};
    form->Command5->click();
    ASSERT_EQ(messages.shown.size(), 1u) << c.message;
    EXPECT_EQ(messages.shown[0].text, QString::fromUtf8(c.message));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(form->State().RecordPath, c.loaded ? path : QString());
  }
  EXPECT_EQ(dialogs.asked.size(), 2u) << "the open dialog and the one save that got that far";
}

TEST_F(Files, BarsAndArrowKeysMoveTheLinesWithinTheRecord) {
  Load(Put("0001.txt", PlainRecord(1, 100, 0)));
  EXPECT_EQ(std::make_pair(form->HScroll1[0]->value(), form->State().CursorATime), std::make_pair(30, 300));
  // Left moves a line towards sample 0, Right away from it; the last sample is the limit.
  struct Case {
    int bar, key, expected;
  } cases[] = {{0, Qt::Key_Right, 31}, {0, Qt::Key_Left, 30}, {0, Qt::Key_Left, 29},
               {1, Qt::Key_Right, 99}, {1, Qt::Key_Left, 98},  {1, Qt::Key_Right, 99}};
  for (const Case& c : cases) {
    QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
    QApplication::sendEvent(form->HScroll1[c.bar], &press);
    EXPECT_EQ(form->HScroll1[c.bar]->value(), c.expected) << c.bar << " " << c.key;
  }
  EXPECT_EQ(std::make_pair(form->State().CursorATime, form->State().CursorDTime), std::make_pair(290, 990));

  // Another scale decodes again: line D stays, line A goes back.
  form->HScroll1[1]->setValue(50);
  form->Option2[1]->click();
  EXPECT_EQ(std::make_pair(form->State().CursorATime, form->State().CursorDTime), std::make_pair(300, 500));
  EXPECT_EQ(form->Label4[10]->text(), "00:08:20");
}

TEST_F(Files, TypedRecordHidesTheLineABar) {
  Load(Put("0002.txt", PlainRecord(2, 100, 3)));
  EXPECT_TRUE(form->HScroll1[0]->isHidden());
  EXPECT_TRUE(form->Label3[12]->isHidden());
  EXPECT_FALSE(form->Label4[16]->isHidden());
  EXPECT_EQ(form->Label4[15]->text(), "排水管");
  Load(Put("0003.txt", PlainRecord(3, 100, 0)));
  EXPECT_FALSE(form->HScroll1[0]->isHidden());
  EXPECT_TRUE(form->Label4[16]->isHidden());
}

TEST_F(Files, DisplayControlsWithNothingLoaded) {
  form->Option2[1]->click();
  EXPECT_TRUE(form->Option2[1]->isChecked());
  form->HScroll1[0]->setValue(10);
  EXPECT_EQ(form->State().CursorATime, 0);
  QImage blank(form->Picture1->Canvas().size(), form->Picture1->Canvas().format());
  blank.fill(Qt::white);
  EXPECT_EQ(form->Picture1->Canvas(), blank);
  form->Check1->click();
  EXPECT_NE(form->Picture1->Canvas(), blank) << "the details click redraws the frame";
  EXPECT_EQ(form->Label4[2]->text(), "0分");
}

}  // namespace
