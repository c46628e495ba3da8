// Loading and saving record files from the main window.
#include "mainwin/Form1.h"

#include "platform/Desktop.h"
#include "record/DecodeTestRecord.h"
#include "record/Readouts.h"
#include "record/RecordFields.h"
#include "record/RecordFile.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>

namespace ptlog {

namespace {
const QString kCannotRead = QStringLiteral("ファイルを読み込めませんでした。");
const QString kCannotSave = QStringLiteral("ファイルを保存できませんでした。");

// The captions whose visibility a record's kind decides.
constexpr int kLayoutLabel3[] = {layout::TypedOnlyCaptions[0], layout::TypedOnlyCaptions[1],
                                 layout::TypedOnlyCaptions[2], layout::TypedOnlyCaptions[3],
                                 layout::TypedOnlyCaptions[4], layout::LineACaption};

// A file that was read but cannot be shown is not called unreadable.
QString LoadFailureText(int error, qint32 samples) {
  if (error == ErrFileNotFound || error == ErrInputPastEnd || error == ErrPathFileAccess) return kCannotRead;
  if (samples > kMostSamplesShown) return QStringLiteral("データ数が多すぎて表示できません。");
  return QStringLiteral("データを表示できませんでした。");
}
}  // namespace

struct Form1::DisplaySnapshot {
  ViewState state;
  std::array<QString, 3> fields;
  bool scale1MPa, air;
  int details;
  std::array<int, 2> scroll;
  bool scrollAVisible;
  std::array<bool, std::size(kLayoutLabel3)> label3Visible;
  bool typedReadoutVisible;
  std::array<QString, 19> captions;
  QImage picture;
};

Form1::DisplaySnapshot Form1::TakeSnapshot() const {
  DisplaySnapshot s{state_,
                    {},
                    Option2[0]->isChecked(),
                    Option1[0]->isChecked(),
                    Check1->Value(),
                    {HScroll1[0]->value(), HScroll1[1]->value()},
                    !HScroll1[layout::LineABar]->isHidden(),
                    {},
                    !Label4[layout::TypedOnlyReadout]->isHidden(),
                    {},
                    Picture1->Canvas().copy()};
  for (int i = 0; i < 3; ++i) s.fields[i] = Text1[i]->text();
  for (size_t i = 0; i < std::size(kLayoutLabel3); ++i)
    s.label3Visible[i] = !Label3[kLayoutLabel3[i]]->isHidden();
  for (int i = 0; i < 19; ++i) s.captions[i] = Label4[i]->text();
  return s;
}

void Form1::Restore(const DisplaySnapshot& s) {
  // Put back without running any control's handling.
  state_ = s.state;
  for (int i = 0; i < 3; ++i) Text1[i]->setText(s.fields[i]);
  {
    const QSignalBlocker b0(Option2[0]), b1(Option2[1]), b2(Check1), b3(HScroll1[0]), b4(HScroll1[1]);
    Option2[s.scale1MPa ? 0 : 1]->setChecked(true);
    Option1[s.air ? 0 : 1]->setChecked(true);
    Check1->SetValue(s.details);
    for (int i = 0; i < 2; ++i) HScroll1[i]->setValue(s.scroll[i]);
  }
  HScroll1[layout::LineABar]->setVisible(s.scrollAVisible);
  for (size_t i = 0; i < std::size(kLayoutLabel3); ++i)
    Label3[kLayoutLabel3[i]]->setVisible(s.label3Visible[i]);
  Label4[layout::TypedOnlyReadout]->setVisible(s.typedReadoutVisible);
  for (int i = 0; i < 19; ++i) Label4[i]->SetCaption(s.captions[i]);
  Picture1->SetCanvas(s.picture);
}

void Form1::LoadRecordFile() {
  const QString path =
      desktop_.RunFileDialog(this, {FileDialogRequest::Open, kRecordFileFilter, 2, QString(), settings_.DataPath});
  // A cancelled dialog changes nothing: the record on screen stays the one
  // that saving and the snapshot act on.
  if (path.isEmpty()) return;

  const DisplaySnapshot before = TakeSnapshot();
  state_.RecordPath = path;
  for (QLineEdit* field : Text1) field->clear();
  const SavedName saved = ParseSavedName(FileNamePart(path));
  for (int i = 0; i < 3; ++i)
    if (!saved.fields[i].isEmpty()) Text1[i]->setText(saved.fields[i]);

  try {
    const FlagChoices chosen = ChoicesFromFlags(saved.flags);
    if (chosen.scale2MPa) Option2[1]->setChecked(true);
    if (chosen.water) Option1[1]->setChecked(true);
    if (chosen.details) Check1->SetValue(*chosen.details);
    state_.CursorDPlaced = false;
    DecodeTestRecord(state_, *this);
  } catch (const PlatformError& error) {
    const qint32 samples = state_.Record.SampleCount;
    // Never leave the window showing one record while RecordPath names another.
    Restore(before);
    desktop_.ShowOk(this, LoadFailureText(error.Number(), samples));
  }
}

void Form1::SaveRecordFileAs() {
  if (state_.RecordPath.isEmpty()) {
    desktop_.ShowOk(this, kFileNotLoaded);
    return;
  }
  const std::array<QString, 3> fields = {Text1[0]->text(), Text1[1]->text(), Text1[2]->text()};
  if (const QString problem = SavedNameFieldsProblem(fields); !problem.isEmpty()) {
    desktop_.ShowOk(this, problem);
    return;
  }

  const QString folder = FolderPart(state_.RecordPath);
  const QString base = BaseName(FileNamePart(state_.RecordPath));
  const QString flags = DisplayFlags(Option2[1]->isChecked(), Option1[1]->isChecked(), Check1->Value());
  const QString proposed = folder + SavedNamePrefix(fields, flags) + base;

  const QString chosen =
      desktop_.RunFileDialog(this, {FileDialogRequest::Save, kRecordFileFilter, 2, proposed, QString()});
  if (chosen.isEmpty()) return;
  const QFileInfo from(state_.RecordPath), to(chosen);
  if (to.exists() && from.canonicalFilePath() == to.canonicalFilePath()) return;
  if (!MoveRecordFile(state_.RecordPath, chosen)) {
    desktop_.ShowOk(this, kCannotSave);
    return;
  }
  state_.RecordPath = chosen;
}

}  // namespace ptlog
