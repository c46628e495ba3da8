#include "mainwin/Form1.h"

#include "record/Readouts.h"

#include "graph/RedrawGraph.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "platform/Desktop.h"
#include "record/DecodeTestRecord.h"
#include "settings/SettingsFile.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

namespace ptlog {

namespace {

constexpr int kScrollMax = 720;

QString Indexed(const char* name, int index) {
  return QStringLiteral("%1(%2)").arg(QLatin1String(name)).arg(index);
}

QFont CaptionFont() { return MinchoFont(11.25, true); }
QFont TitleFont() { return MinchoFont(15.75, true); }

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption, int left, int top,
                        int width, int height) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setFont(CaptionFont());
  button->setAutoDefault(false);
  PlaceTwips(button, left, top, width, height);
  return button;
}

struct LabelDesign {
  const char* caption;
  int left, top, width;
};

// Caption labels, by index.
const LabelDesign kLabel3[20] = {
    {"検査番号：", 240, 720, 0},    {"検査日　：", 2760, 1800, 0},
    {"検査時間：", 240, 1440, 0},   {"現場名", 2760, 720, 0},
    {"棟名", 2760, 1080, 0},        {"Ａ線", 8280, 720, 0},
    {"Ｂ線", 9720, 720, 0},         {"Ｃ線", 11280, 720, 0},
    {"Ｄ線", 12840, 720, 0},        {"圧力：", 7080, 1080, 0},
    {"時間：", 7080, 1440, 0},      {"差圧：", 7080, 1800, 0},
    {"Ａ線移動", 14040, 720, 1080}, {"Ｄ線移動", 14040, 1440, 1035},
    {"管材　　：", 240, 1080, 0},   {"圧力　　：", 240, 1800, 0},
    {"判定基準：", 240, 2640, 0},   {"判定　　：", 240, 2160, 0},
    {"担当者", 2760, 1440, 0},      {"データ読み込み中", 1800, 360, 0},
};

// Value labels with their design captions, shown only if start-up stops early.
const LabelDesign kLabel4[19] = {
    {"2006", 1440, 720, 0},       {"02/07/20", 4080, 1800, 0},  {"14:20", 1440, 1440, 0},
    {"750.5KPa", 7800, 1080, 0},  {"750.5KPa", 9360, 1080, 0},  {"750.5KPa", 10920, 1080, 0},
    {"750.5KPa", 12480, 1080, 0}, {"12:00:00", 8160, 1440, 0},  {"12:00:00", 9720, 1440, 0},
    {"12:00:00", 11280, 1440, 0}, {"12:00:00", 12840, 1440, 0}, {"0.5KPa", 7800, 1800, 0},
    {"0.5KPa", 9360, 1800, 0},    {"0.5KPa", 10920, 1800, 0},   {"0.5KPa", 12480, 1800, 0},
    {"PE菅", 1440, 1080, 0},      {"0.75Mpa", 1440, 1800, 0},   {"0.75Kpa", 1560, 2640, 0},
    {"合否", 1440, 2160, 0},
};

}  // namespace

Form1::Form1(Desktop& desktop, SettingsLocation where, int tickIntervalMs, QWidget* parent)
    : QWidget(parent), desktop_(desktop), where_(std::move(where)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("KESTRA PTLOG 配管試験データ"));
  setFont(MinchoFont(11.25, false));
  setFixedSize(TwipsToPixels(kClientWidthTwips), TwipsToPixels(kClientHeightTwips));
  SetDesignRect(this, QRect(QPoint(0, 0), DesignSize()));

  CreateButtons();
  CreateEntryFields();
  CreateDisplayChoices();
  CreateGraphArea();
  CreateLabels();
  SetTabOrder();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(tickIntervalMs);
  connect(Timer1, &QTimer::timeout, this, &Form1::Timer1Timer);
  Timer1->start();

  Text1[0]->setFocus();
}

void Form1::CreateButtons() {
  Command1 = MakeButton(this, "Command1", "データ読込", 2880, 120, 2055, 375);
  Command2 = MakeButton(this, "Command2", "ファイル読込", 4920, 120, 2055, 375);
  Command5 = MakeButton(this, "Command5", "ファイル保存", 6960, 120, 2055, 375);
  Command6 = MakeButton(this, "Command6", "コピー保存", 9000, 120, 2055, 375);
  Command3 = MakeButton(this, "Command3", "印  刷", 11040, 120, 2055, 375);
  Command99 = MakeButton(this, "Command99", "終  了", 13080, 120, 2055, 375);
  // A strip along the bottom edge, wider than the window; it does nothing.
  Command4 = MakeButton(this, "Command4", QString(), -120, 10560, 15495, 225);
  Command4->setFocusPolicy(Qt::ClickFocus);
  connect(Command99, &QPushButton::clicked, this, &QWidget::close);
  connect(Command1, &QPushButton::clicked, this, &Form1::DownloadRecords);
  connect(Command2, &QPushButton::clicked, this, &Form1::LoadRecordFile);
  connect(Command5, &QPushButton::clicked, this, &Form1::SaveRecordFileAs);
  connect(Command3, &QPushButton::clicked, this, &Form1::PrintCommand);
  connect(Command6, &QPushButton::clicked, this, &Form1::SnapshotCommand);
}

void Form1::CreateEntryFields() {
  const int tops[3] = {660, 1020, 1380};
  for (int i = 0; i < 3; ++i) {
    Text1[i] = new QLineEdit(QStringLiteral("Text1"), this);
    Text1[i]->setObjectName(Indexed("Text1", i));
    Text1[i]->setStyleSheet(QStringLiteral("background: white"));
    PlaceTwips(Text1[i], 3840, tops[i], 3135, 330);
    Text1[i]->installEventFilter(this);
  }
}

void Form1::CreateDisplayChoices() {
  // Each pair in its own borderless frame, so each is its own group.
  const int frameLeft[2] = {4800, 2760};
  for (int i = 0; i < 2; ++i) {
    Frame1[i] = new QWidget(this);
    Frame1[i]->setObjectName(Indexed("Frame1", i));
    PlaceTwips(Frame1[i], frameLeft[i], 2040, 1935, 375);
  }
  const char* mediums[2] = {"空圧", "水圧"};
  const int mediumLeft[2] = {120, 960};
  const char* scales[2] = {"1MPa", "2MPa"};
  const int scaleLeft[2] = {0, 1080};
  const int widths[2] = {1095, 1215};
  for (int i = 0; i < 2; ++i) {
    Option1[i] = new QRadioButton(QString::fromUtf8(mediums[i]), Frame1[0]);
    Option1[i]->setObjectName(Indexed("Option1", i));
    PlaceTwips(Option1[i], mediumLeft[i], 120, widths[i], 255);
    Option2[i] = new QRadioButton(QString::fromUtf8(scales[i]), Frame1[1]);
    Option2[i]->setObjectName(Indexed("Option2", i));
    PlaceTwips(Option2[i], scaleLeft[i], 120, widths[i], 255);
    for (QRadioButton* option : {Option1[i], Option2[i]}) {
      option->setFont(CaptionFont());
      option->setFocusPolicy(Qt::ClickFocus);
      option->setStyle(LayoutScaledMarks());
    }
    connect(Option2[i], &QRadioButton::toggled, this, [this, i](bool selected) {
      if (selected) Option2Click(i);
    });
  }
  Option1[0]->setChecked(true);
  Option2[0]->setChecked(true);

  Check1 = new DetailsCheckBox(QStringLiteral("詳細"), this);
  Check1->setObjectName(QStringLiteral("Check1"));
  Check1->setFont(CaptionFont());
  PlaceTwips(Check1, 6840, 2160, 975, 255);
  Check1->setStyle(LayoutScaledMarks());
  Check1->SetValue(1);
  connect(Check1, &QCheckBox::stateChanged, this, [this] { Check1Click(); });

  const int scrollTops[2] = {1080, 1800};
  for (int i = 0; i < 2; ++i) {
    HScroll1[i] = new QScrollBar(Qt::Horizontal, this);
    HScroll1[i]->setObjectName(Indexed("HScroll1", i));
    HScroll1[i]->setRange(0, kScrollMax);
    HScroll1[i]->setSingleStep(1);
    HScroll1[i]->setPageStep(1);
    // Left moves a line towards sample 0, Right away from it, like the arrows.
    HScroll1[i]->setInvertedControls(false);
    // Dragging the thumb changes the value once, on release.
    HScroll1[i]->setTracking(false);
    HScroll1[i]->setFocusPolicy(Qt::ClickFocus);
    PlaceTwips(HScroll1[i], 14280, scrollTops[i], 495, 255);
    connect(HScroll1[i], &QScrollBar::valueChanged, this, [this, i] { HScroll1Change(i); });
  }
}

void Form1::CreateGraphArea() {
  Picture1 = new PictureBox(this);
  Picture1->setObjectName(QStringLiteral("Picture1"));
  Picture1->setFocusPolicy(Qt::StrongFocus);
  PlaceTwips(Picture1, 120, 2520, kGraphWidthTwips, kGraphHeightTwips);

  Frame2 = new QFrame(Picture1);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  Frame2->setFrameShape(QFrame::Box);
  Frame2->setAutoFillBackground(true);
  PlaceTwips(Frame2, 3600, 3960, 6735, 1455);
  Frame2->hide();

  Command7 = MakeButton(Frame2, "Command7", "ＯＫ", 2880, 840, 975, 375);
  connect(Command7, &QPushButton::clicked, this, &Form1::Command7Click);

  CapturePicture = new QWidget(this);
  CapturePicture->setObjectName(QStringLiteral("CapturePicture"));
  PlaceTwips(CapturePicture, 240, 2640, 3615, 615);
  CapturePicture->hide();
}

void Form1::CreateLabels() {
  Label1 =
      new AutoLabel(this, QStringLiteral("Label1"), QStringLiteral("配管試験データ"), TitleFont(), 120, 120);

  const int label2Left[2] = {8160, 11160};
  for (int i = 0; i < 2; ++i)
    Label2[i] =
        new AutoLabel(this, Indexed("Label2", i), QStringLiteral("Label2"), font(), label2Left[i], 2160);

  for (int i = 0; i < 20; ++i) {
    const LabelDesign& d = kLabel3[i];
    QWidget* container = i == 19 ? static_cast<QWidget*>(Frame2) : this;
    Label3[i] = new AutoLabel(container, Indexed("Label3", i), QString::fromUtf8(d.caption),
                              i == 19 ? TitleFont() : CaptionFont(), d.left, d.top, d.width);
  }
  for (int i = 0; i < 19; ++i) {
    const LabelDesign& d = kLabel4[i];
    Label4[i] =
        new AutoLabel(this, Indexed("Label4", i), QString::fromUtf8(d.caption), CaptionFont(), d.left, d.top);
  }
  // The criterion lies inside the graph area and is never shown.
  Label3[16]->hide();
  Label4[17]->hide();
  Frame2->raise();
}

void Form1::SetTabOrder() {
  const QWidget* order[] = {Text1[0], Text1[1], Text1[2],  Command1, Command2, Command5,
                            Command6, Command3, Command99, Picture1, Check1,   Command7};
  for (size_t i = 0; i + 1 < std::size(order); ++i)
    QWidget::setTabOrder(const_cast<QWidget*>(order[i]), const_cast<QWidget*>(order[i + 1]));
}

void Form1::Load() {
  try {
    ReadMainSettings(where_, settings_);
    const QString scale = ReadSetting(where_, keys::DisplaySet, keys::Scale, kScale1MPa);
    const QString model = ReadSetting(where_, keys::DisplaySet, keys::Model, kModelAir);
    Option2[scale == kScale1MPa ? 0 : 1]->setChecked(true);
    Option1[model == kModelAir ? 0 : 1]->setChecked(true);
    Check1->SetValue(ReadDetailsState(where_));
    Frame2->hide();
    for (QLineEdit* field : Text1) field->clear();
    for (AutoLabel* label : Label2) label->SetCaption(QString());
    for (AutoLabel* label : Label4) label->SetCaption(QString());
    QCoreApplication::processEvents();
  } catch (const PlatformError& error) {
    StartupFailure(error);
  }
}

void Form1::StartupFailure(const PlatformError& error) {
  desktop_.ShowOk(this, ErrorMessageText(error));
}

DisplayChoices Form1::CurrentDisplayChoices() const {
  return {Option2[0]->isChecked(), Option1[0]->isChecked(), Check1->Value()};
}

void Form1::Unload() {
  if (unloaded_) return;
  unloaded_ = true;
  WriteDisplayChoices(where_, CurrentDisplayChoices());
  Timer1->stop();
  hide();
  desktop_.EndProgram();
}

void Form1::closeEvent(QCloseEvent* event) {
  Unload();
  event->accept();
}

// Handlers end quietly on an error; what was drawn so far stays.
void Form1::Option2Click(int) {
  try {
    DecodeTestRecord(state_, *this);
  } catch (const PlatformError&) {
  }
}

void Form1::Check1Click() {
  try {
    RedrawGraph();
  } catch (const PlatformError&) {
  }
}

void Form1::HScroll1Change(int index) {
  try {
    CursorScrollChanged(state_, *this, index);
  } catch (const PlatformError& error) {
    // A change the program made hands the error back to it.
    if (settingScroll_ > 0) scrollError_ = error;
  }
}

bool Form1::Scale1MPaSelected() const { return Option2[0]->isChecked(); }
int Form1::DetailsValue() const { return Check1->Value(); }
QString Form1::Label4Caption(int index) const { return Label4.at(index)->text(); }
void Form1::SetLabel4Caption(int index, const QString& caption) { Label4.at(index)->SetCaption(caption); }
void Form1::SetLabel3Visible(int index, bool visible) { Label3.at(index)->setVisible(visible); }
void Form1::SetLabel4Visible(int index, bool visible) { Label4.at(index)->setVisible(visible); }
int Form1::ScrollValue(int index) const { return HScroll1.at(index)->value(); }
void Form1::SetScrollVisible(int index, bool visible) { HScroll1.at(index)->setVisible(visible); }

void Form1::SetScrollValue(int index, int value) {
  QScrollBar* bar = HScroll1.at(index);
  if (value < bar->minimum() || value > bar->maximum()) throw PlatformError(ErrInvalidPropertyValue);
  std::optional<PlatformError> outer = std::move(scrollError_);
  scrollError_.reset();
  ++settingScroll_;
  bar->setValue(value);
  --settingScroll_;
  std::optional<PlatformError> nested = std::move(scrollError_);
  scrollError_ = std::move(outer);
  if (nested) throw *nested;
}

void Form1::PrintCommand() {
  OutputWindow window = ForOutput();
  RunPrintCommand(window);
}

void Form1::SnapshotCommand() {
  OutputWindow window = ForOutput();
  RunSnapshotCommand(window);
}

OutputWindow Form1::ForOutput() {
  using namespace layout;
  return {this,
          Picture1,
          CapturePicture,
          Text1[0],
          {{Command1, Command2, Command3, Command5, Command6, Command99},
           Label3[LineDCaption],
           Label3[LineACaption],
           HScroll1[LineABar],
           HScroll1[LineDBar]},
          state_,
          *this,
          desktop_,
          settings_.DataPath,
          // An installed program's own folder takes no work bitmap either.
          where_.Installed && settings_.ProgramPath == where_.ProgramFolderPath ? QString() : settings_.ProgramPath,
          PrintAnswer,
          printerDialog_};
}

void Form1::RedrawGraph() {
  QImage& canvas = Picture1->Canvas();
  // The graph keeps its design in twips; a window laid out smaller draws it smaller.
  const double pixelsPerTwip = LayoutScale() / 15.0;
  const QRectF whole(0, 0, canvas.width() / canvas.devicePixelRatio() / pixelsPerTwip,
                     canvas.height() / canvas.devicePixelRatio() / pixelsPerTwip);
  PainterSurface surface(&canvas, pixelsPerTwip, whole, pen_,
                         [this](bool visible) { Picture1->setVisible(visible); });
  // Whatever happens, the picture shows what was drawn.
  struct Repaint {
    PainterSurface& s;
    PictureBox* p;
    ~Repaint() {
      s.End();
      p->update();
    }
  } repaint{surface, Picture1};
  ptlog::RedrawGraph(state_, *this, surface);
}

void Form1::Command7Click() {
  Command7->hide();
  Frame2->hide();
}

void Form1::Timer1Timer() {
  clock_.Tick();
  // Makes the status text blink; only seen while the panel is shown.
  Label3[19]->setHidden(!Label3[19]->isHidden());
}

void Form1::DownloadRecords() {
  link_.SetSettings({settings_.CommPort, settings_.CommSettings, settings_.CommDevice, settings_.ReadRetrial,
                     settings_.DataPath});
  link_.DownloadRecords();
}

bool Form1::AskYesNo(const QString& question) { return desktop_.AskYesNo(this, question); }
void Form1::ShowError(const QString& text) { desktop_.ShowOk(this, text); }
bool Form1::Ending() const { return desktop_.Ending(); }
void Form1::ShowLineError(const QString& text) {
  desktop_.Message(this, {text, MessageButtons::Ok, MessageIcon::Warning, QStringLiteral("通信エラー")});
}
void Form1::SetStatusText(const QString& text) { Label3[19]->SetCaption(text); }
void Form1::SetStatusTextVisible(bool visible) { Label3[19]->setVisible(visible); }
void Form1::SetOkVisible(bool visible) { Command7->setVisible(visible); }
void Form1::SetPanelVisible(bool visible) { Frame2->setVisible(visible); }
QString Form1::ActivityText() const { return Label2[0]->text(); }
void Form1::SetActivityText(int index, const QString& text) { Label2.at(index)->SetCaption(text); }

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    for (int i = 0; i < 3; ++i)
      if (watched == Text1[i]) Text1KeyDown(i, static_cast<QKeyEvent*>(event)->key());
  }
  return QWidget::eventFilter(watched, event);
}

bool Form1::Text1KeyDown(int index, int key) {
  int target = -1;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Down:
      if (index <= 1) target = index + 1;
      break;
    case Qt::Key_Up:
      if (index >= 1) target = index - 1;
      break;
    case Qt::Key_Escape:
      if (index >= 1) target = 0;
      break;
    default: break;
  }
  if (target < 0) return false;
  Text1[target]->setFocus();
  return true;
}

}  // namespace ptlog
