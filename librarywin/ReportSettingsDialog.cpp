#include "librarywin/ReportSettingsDialog.h"

#include "output/report/Report.h"
#include "platform/Desktop.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>

namespace ptlog {

namespace {
// The page at about 72 dpi: A4 landscape in twips, scaled.
constexpr double kPageWidthTwips = 16838, kPageHeightTwips = 11906, kPreviewScale = 0.05;
const QString kImageFilter = kSvgLogos
    ? QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp *.svg)|*.png;*.jpg;*.jpeg;*.bmp;*.svg")
    : QStringLiteral("Image Files (*.png *.jpg *.jpeg *.bmp)|*.png;*.jpg;*.jpeg;*.bmp");
}  // namespace

ReportSettingsDialog::ReportSettingsDialog(Desktop& desktop, const SettingsLocation& where, const QString& recordPath,
                                           QWidget* parent)
    : QDialog(parent), desktop_(desktop), where_(where), recordPath_(recordPath) {
  setWindowTitle(QStringLiteral("報告書の設定"));
  const ReportSettings s = ReadReportSettings(where_);
  auto* form = new QFormLayout;
  const auto field = [&](const char* label, const QString& text) {
    auto* edit = new QLineEdit(text);
    edit->setAccessibleName(QString::fromUtf8(label));
    connect(edit, &QLineEdit::textChanged, this, [this] { Redraw(); });
    return edit;
  };
  form->addRow(QStringLiteral("表題"), Title = field("表題", s.title));
  form->addRow(QStringLiteral("会社名"), Company = field("会社名", s.company));
  form->addRow(QStringLiteral("住所"), Info1 = field("住所", s.info1));
  form->addRow(QStringLiteral("電話"), Info2 = field("電話", s.info2));
  auto* logoRow = new QHBoxLayout;
  logoRow->addWidget(Logo = field("ロゴ", s.logo), 1);
  logoRow->addWidget(LogoButton = new QPushButton(QStringLiteral("参照")));
  form->addRow(QStringLiteral("ロゴ"), logoRow);
  auto* sealRow = new QHBoxLayout;
  sealRow->addWidget(SealFolder = field("印影のフォルダー", s.sealFolder), 1);
  auto* chooseSeals = new QPushButton(QStringLiteral("参照"));
  sealRow->addWidget(chooseSeals);
  form->addRow(QStringLiteral("印影のフォルダー"), sealRow);
  form->addRow(QStringLiteral("押印欄（,区切り・4つまで）"), Captions = field("押印欄", s.boxCaptions.join(QLatin1Char(','))));

  Preview = new QLabel;
  Preview->setFixedSize(int(kPageWidthTwips * kPreviewScale), int(kPageHeightTwips * kPreviewScale));
  Preview->setAccessibleName(QStringLiteral("報告書の見本"));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QHBoxLayout(this);
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addStretch(1);
  left->addWidget(buttons);
  layout->addLayout(left, 1);
  layout->addWidget(Preview);

  connect(LogoButton, &QPushButton::clicked, this, [this] { ChooseImage(); });
  connect(chooseSeals, &QPushButton::clicked, this, [this] {
    const QString folder =
        desktop_.RunFileDialog(this, {FileDialogRequest::Folder, QString(), 1, QString(), SealFolder->text()});
    if (!folder.isEmpty()) SealFolder->setText(folder);
  });
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (Apply()) accept();
  });
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  Redraw();
}

ReportSettings ReportSettingsDialog::Current() const {
  ReportSettings s;
  s.title = Title->text(), s.company = Company->text(), s.info1 = Info1->text(), s.info2 = Info2->text();
  s.logo = Logo->text(), s.sealFolder = SealFolder->text();
  s.boxCaptions.clear();
  for (const QString& c : Captions->text().split(QLatin1Char(',')))
    if (!c.trimmed().isEmpty() && s.boxCaptions.size() < kMostSignatureBoxes) s.boxCaptions << c.trimmed();
  return s;
}

void ReportSettingsDialog::ChooseImage() {
  const QString chosen = desktop_.RunFileDialog(this, {FileDialogRequest::Open, kImageFilter, 1, QString(), QString()});
  if (chosen.isEmpty()) return;
  // A file that is no image, or too large, is refused when it is chosen.
  if (const QString problem = ImageCheckText(CheckImageFile(chosen), chosen); !problem.isEmpty()) {
    desktop_.ShowOk(this, problem);
    return;
  }
  Logo->setText(chosen);
}

bool ReportSettingsDialog::Apply() {
  const ReportSettings s = Current();
  if (!s.logo.isEmpty()) {
    if (const QString problem = ImageCheckText(CheckImageFile(s.logo), s.logo); !problem.isEmpty()) {
      desktop_.ShowOk(this, problem);
      return false;
    }
  }
  if (!WriteReportSettings(where_, s)) {
    desktop_.ShowOk(this, QStringLiteral("設定ファイルに書き込めません。"));
    return false;
  }
  return true;
}

void ReportSettingsDialog::Redraw() {
  page_ = QImage(Preview->size(), QImage::Format_RGB32);
  page_.fill(Qt::white);
  QString why;
  const std::unique_ptr<ReportRecord> record = recordPath_.isEmpty() ? nullptr : LoadReportRecord(recordPath_, {}, why);
  if (record) {
    ReportLook look(Current());
    QPainter p(&page_);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(kPreviewScale, kPreviewScale);
    PaintReportPage(p, *record, QDate::currentDate(), &look);
  }
  Preview->setPixmap(QPixmap::fromImage(page_));
}

}  // namespace ptlog
