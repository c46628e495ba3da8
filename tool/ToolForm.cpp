#include "tool/ToolForm.h"

#include "link/SerialLine.h"
#include "platform/Desktop.h"
#include "platform/Errors.h"
#include "platform/Fonts.h"
#include "settings/Conversions.h"
#include "settings/IniFile.h"
#include "settings/MainSettings.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStorageInfo>

namespace ptlog {

namespace {

const QString kWrongPort = QStringLiteral("指定されたポート番号が違います。");
const QString kCreateFolder = QStringLiteral("指定されたデータフォルダーが有りません。作成しますか。");
const QString kNoFolder = QStringLiteral("データフォルダーの入力が有りません。");
const QString kCannotCreate = QStringLiteral("データフォルダーを作成できません。");
const QString kCannotWrite = QStringLiteral("設定ファイルに書き込めません。");

template <typename W>
W* Place(W* widget, const char* name, int left, int top, int width, int height) {
  widget->setObjectName(QString::fromLatin1(name));
  PlaceTwips(widget, left, top, width, height);
  return widget;
}

// The port number's item, naming the device it stands for.
QString PortNumberItem(qint64 port) {
  return QStringLiteral("ポート番号 (%1)")
      .arg(port > 0 ? PortDeviceName(int(port), QString()) : QStringLiteral("-"));
}

QStringList MountPoints() {
  QStringList roots;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) roots << QDir::toNativeSeparators(volume.rootPath());
  roots.removeDuplicates();
  roots.sort();
  return roots;
}

}  // namespace

QString MountPointOf(const QString& path, const QStringList& mountPoints) {
  const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
  QString best;
  qsizetype bestLength = -1;
  for (const QString& mountPoint : mountPoints) {
    const QString root = QDir::fromNativeSeparators(mountPoint);
    const QString prefix = root.endsWith('/') ? root : root + '/';
    const bool holds = absolute == root || absolute.startsWith(prefix);
    if (holds && root.size() > bestLength) best = mountPoint, bestLength = root.size();
  }
  return best;
}

ToolForm::ToolForm(Desktop& desktop, SettingsLocation where, QWidget* parent)
    : QWidget(parent), desktop_(desktop), where_(std::move(where)) {
  setObjectName(QStringLiteral("Form1"));
  setWindowTitle(QStringLiteral("KESTRA PTLOGINI 設定ファイルメンテナンス"));
  const QFont regular = MinchoFont(9, false);
  const QFont bold = MinchoFont(9, true);
  setFont(regular);
  setFixedSize(TwipsToPixels(kWidthTwips), TwipsToPixels(kHeightTwips));

  Label1_3 =
      Place(new QLabel(QStringLiteral("設定ファイルメンテナンス"), this), "Label1(3)", 120, 120, 3960, 315);
  Label1_3->setFont(MinchoFont(15.75, true));

  Frame2 = Place(new QGroupBox(QStringLiteral("Ｃｏｍポート設定"), this), "Frame2", 120, 600, 5175, 735);
  Frame2->setFont(bold);
  Combo1 = Place(new QComboBox(Frame2), "Combo1", 120, 280, 975, 300);
  for (int n = 1; n <= 15; ++n) Combo1->addItem(QString::number(n));
  Combo1->setCurrentIndex(-1);
  Text2 = Place(new QLineEdit(QStringLiteral("Text2"), Frame2), "Text2", 120, 280, 735, 320);
  // The number box lies over the list, whose arrow stays free at the right.
  Text2->raise();
  for (QWidget* w : {static_cast<QWidget*>(Combo1), static_cast<QWidget*>(Text2)}) w->setFont(regular);
  Text2->installEventFilter(this);

  Combo2 = Place(new QComboBox(Frame2), "Combo2", 1200, 280, 2895, 300);
  Combo2->setEditable(true);
  Combo2->setInsertPolicy(QComboBox::NoInsert);
  Combo2->setFont(regular);
  Command4 = Place(new QPushButton(QStringLiteral("再検索"), Frame2), "Command4", 4200, 260, 855, 340);
  Command4->setFont(regular);
  Command4->setAutoDefault(false);
  connect(Command4, &QPushButton::clicked, this, [this] { FillDeviceList(PickedDevice()); });
  connect(Text2, &QLineEdit::textChanged, this, [this] {
    const QString picked = PickedDevice();
    Combo2->setItemText(0, PortNumberItem(LeadingNumber(Text2->text())));
    if (picked.isEmpty()) Combo2->setCurrentIndex(0);
  });

  Frame1 = Place(new QGroupBox(QStringLiteral("データフォルダ設定"), this), "Frame1", 120, 1440, 5175, 3375);
  Frame1->setFont(bold);
  Label1_2 = Place(new QLabel(QStringLiteral("フォルダ名"), Frame1), "Label1(2)", 120, 360, 975, 180);
  Text1 = Place(new QLineEdit(QStringLiteral("Text1"), Frame1), "Text1", 120, 600, 4935, 320);
  Label1_0 = Place(new QLabel(QStringLiteral("ドライブ"), Frame1), "Label1(0)", 120, 1080, 780, 180);
  Drive1 = Place(new QComboBox(Frame1), "Drive1", 120, 1320, 4935, 300);
  Label1_1 = Place(new QLabel(QStringLiteral("フォルダ"), Frame1), "Label1(1)", 120, 1680, 780, 180);
  Dir1 = Place(new QListWidget(Frame1), "Dir1", 120, 1920, 4935, 1350);
  for (QLabel* label : {Label1_2, Label1_0, Label1_1}) label->setFont(bold);
  Text1->setFont(regular);
  Drive1->setFont(regular);
  Dir1->setFont(QFont());

  Command3 = Place(new QPushButton(QStringLiteral("設　定"), this), "Command3", 1320, 4920, 1215, 375);
  Command2 = Place(new QPushButton(QStringLiteral("キャンセル"), this), "Command2", 2640, 4920, 1215, 375);
  for (QPushButton* b : {Command3, Command2}) {
    b->setFont(bold);
    b->setAutoDefault(false);
  }

  FillDriveList();
  SetDirPath(QDir::currentPath());

  connect(Combo1, &QComboBox::activated, this, &ToolForm::Combo1Click);
  connect(Dir1, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { Dir1Click(Dir1->row(item)); });
  connect(Dir1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    SetDirPath(DirEntryPath(Dir1->row(item)));
    Dir1Click(-1);
  });
  connect(Drive1, &QComboBox::activated, this, &ToolForm::Drive1Change);
  connect(Command3, &QPushButton::clicked, this, &ToolForm::Command3Click);
  connect(Command2, &QPushButton::clicked, this, &QWidget::close);
  WidenLabelsToText(this);
}

void ToolForm::FillDeviceList(const QString& current) {
  Combo2->clear();
  Combo2->addItem(PortNumberItem(LeadingNumber(Text2->text())), QString());
  for (const PortInfo& port : AvailablePorts())
    Combo2->addItem(port.device + QStringLiteral("  (") + port.about + QLatin1Char(')'), port.device);
  // What the settings name stays on show even when it is not plugged in.
  if (!current.isEmpty() && Combo2->findData(current) < 0) Combo2->addItem(current, current);
  Combo2->setCurrentIndex(std::max(0, Combo2->findData(current)));
}

QString ToolForm::PickedDevice() const {
  const int index = Combo2->findText(Combo2->currentText());
  if (index >= 0) return Combo2->itemData(index).toString();
  return Combo2->currentText().trimmed();  // typed by the user
}

void ToolForm::FillDriveList() {
  Drive1->clear();
  Drive1->addItems(MountPoints());
}

void ToolForm::SetDirPath(const QString& path) {
  dirPath_ = QDir::cleanPath(QDir(path).absolutePath());
  Dir1->clear();
  QDir dir(dirPath_);
  if (!dir.isRoot()) Dir1->addItem(QStringLiteral(".."));
  for (const QString& name : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
    Dir1->addItem(name);
}

QString ToolForm::DirEntryPath(int row) const {
  if (row < 0 || row >= Dir1->count()) return dirPath_;
  QDir dir(dirPath_);
  const QString name = Dir1->item(row)->text();
  return QDir::cleanPath(name == QStringLiteral("..") ? dir.absoluteFilePath(QStringLiteral(".."))
                                                      : dir.absoluteFilePath(name));
}

void ToolForm::Startup() {
  try {
    const qint16 port =
        WholeTextToInteger16(ReadSetting(where_, keys::PortSet, keys::CommPort, QStringLiteral("1")));
    lineSettings_ = ReadSetting(where_, keys::PortSet, keys::CommSettings, kDefaultCommSettings);
    lineSettingsRead_ = true;
    const QString dataFolder =
        ReadSetting(where_, keys::DataSet, keys::DataPath, DefaultDataPath(where_.ProgramFolderPath));
    Text2->setText(QString::number(port));
    FillDeviceList(ReadSetting(where_, keys::PortSet, keys::CommDevice, QString()));
    Text1->setText(dataFolder);

    const QString drive = MountPointOf(dataFolder, MountPoints());
    if (drive.isEmpty()) return;
    Drive1->setCurrentIndex(Drive1->findText(drive));
    if (!QFileInfo(dataFolder).isDir()) return;
    SetDirPath(dataFolder);
  } catch (const PlatformError&) {
    // Start-up problems are not reported; the window shows what was filled.
  }
}

bool ToolForm::event(QEvent* event) {
  // The port box takes the focus when the window first becomes active; later
  // activations leave it where the user put it.
  if (event->type() == QEvent::WindowActivate && !activated_) {
    activated_ = true;
    Text2->setFocus();
  }
  return QWidget::event(event);
}

bool ToolForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Text2 && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString typed = key->text();
    // Tab and Shift+Tab move the focus; only typed characters are filtered.
    const bool focusKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
    if (typed.size() == 1 && !focusKey) {
      const QChar c = typed.at(0);
      const bool passes = c == QChar(27) || c == QChar(13) || c == QChar(8) || c == QChar(127) ||
                          (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
      if (!passes) return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ToolForm::Combo1Click(int index) { Text2->setText(Combo1->itemText(index)); }

// The box shows the folder as the system writes paths (backslashes on Windows).
void ToolForm::Dir1Click(int row) { Text1->setText(QDir::toNativeSeparators(DirEntryPath(row))); }

void ToolForm::Drive1Change(int index) {
  SetDirPath(Drive1->itemText(index));
  Dir1Click(-1);
}

void ToolForm::Command3Click() {
  if (LeadingNumber(Text2->text()) <= 0) {
    desktop_.ShowOk(this, kWrongPort);
    return;
  }
  // An empty box would name the current folder and store an empty data folder.
  if (Text1->text().isEmpty()) {
    desktop_.ShowOk(this, kNoFolder);
    return;
  }
  if (!QFileInfo::exists(Text1->text())) {
    if (!desktop_.AskYesNo(this, kCreateFolder)) return;
    if (!QDir().mkdir(Text1->text())) {
      desktop_.ShowOk(this, kCannotCreate);
      return;
    }
  }

  // An empty device lets the port number choose, so the tool always shows
  // the device the main program opens.
  std::vector<SettingWrite> writes{{keys::PortSet, keys::CommPort, Text2->text()},
                                   {keys::PortSet, keys::CommDevice, PickedDevice()}};
  // Never an empty line-settings text over the stored one (start-up may have
  // stopped before reading it).
  if (lineSettingsRead_ && !lineSettings_.isEmpty())
    writes.push_back({keys::PortSet, keys::CommSettings, lineSettings_});
  Text1->setText(WithTrailingSeparator(Text1->text()));
  writes.push_back({keys::DataSet, keys::DataPath, Text1->text()});
  writes.push_back({keys::DataSet, keys::ProgramPath, where_.ProgramFolderPath});

  // One replacement of the file for the four keys: a failure leaves it as it was.
  if (!WriteSettings(where_, writes)) {
    desktop_.ShowOk(this, kCannotWrite);
    return;
  }
  close();
}

}  // namespace ptlog
