#include "output/report/Report.h"

#include "output/report/ReportLook.h"

#include "graph/PainterSurface.h"
#include "graph/RedrawGraph.h"
#include "platform/Errors.h"
#include "platform/FileAccess.h"
#include "platform/FontFamilies.h"
#include "record/DecodeTestRecord.h"
#include "record/ReadoutFormats.h"
#include "record/RecordFields.h"

#include <QDir>
#include <QPainter>
#include <QPdfWriter>

namespace ptlog {

namespace {

// The page in twips: A4 landscape, 297 x 210 mm.
constexpr double kPageWidth = 16838, kMargin = 720;
constexpr double kGraphWidth = kGraphWidthTwips, kGraphHeight = kGraphHeightTwips, kGraphScale = 0.66;
const QPointF kGraphAt(kMargin, 3300);

// The painter works in twips: a point is 20 of them, whatever the device.
void UseFont(QPainter& p, double points, bool bold = false) {
  QFont font = MinchoFace();
  font.setPixelSize(int(points * 20));
  font.setBold(bold);
  p.setFont(font);
}

void Text(QPainter& p, const QRectF& box, const QString& text, int flags = Qt::AlignLeft | Qt::AlignVCenter) {
  p.drawText(box, flags | Qt::TextDontClip, text);
}

QString Csv(const QString& field) {
  if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"'))) return field;
  return QLatin1Char('"') + QString(field).replace(QStringLiteral("\""), QStringLiteral("\"\"")) +
         QLatin1Char('"');
}

}  // namespace

std::unique_ptr<ReportRecord> LoadReportRecord(const QString& path, const ReportChoices& choices,
                                               RecordProblem& problem) {
  const SavedName name = ParseSavedName(FileNamePart(path));
  // The choices coded in a saved name, else 1 MPa with details.
  const FlagChoices coded = ChoicesFromFlags(name.flags);
  const bool scale1 = choices.scale1MPa.value_or(!coded.scale2MPa);
  const bool details = choices.details.value_or(coded.details.value_or(1) == 1);
  auto r = std::make_unique<ReportRecord>(scale1, details ? 1 : 0);
  r->name = name;
  r->state.RecordPath = path;
  problem = {};
  const TestRecord& record = r->state.Record;
  try {
    // The readouts are those of the decode's last redraw: one redraw is enough.
    r->view.DeferRedraws(true);
    DecodeTestRecord(r->state, r->view);
    r->view.DeferRedraws(false);
    r->view.RedrawGraph();
  } catch (const PlatformError& error) {
    const int number = error.Number();
    problem.description = error.Description().split(QChar(13)).first();
    problem.kind = number == ErrFileNotFound || number == ErrPathFileAccess ? RecordProblem::Unreadable
                   : number == ErrInputPastEnd || !LooksLikeRecord(record.RecordText) ? RecordProblem::NotARecord
                   : record.SampleCount > kMostSamplesShown                  ? RecordProblem::TooManySamples
                                                                             : RecordProblem::NotDrawable;
    return nullptr;
  }
  if (!LooksLikeRecord(record.RecordText)) {
    problem.kind = RecordProblem::NotARecord;
    return nullptr;
  }
  const qint64 whole = kHeaderLength + qint64(kSampleDigits) * record.SampleCount;
  if (record.RecordText.size() < whole) {
    problem = {RecordProblem::CutShort, record.RecordText.size(), whole, {}};
    return nullptr;
  }
  return r;
}

std::unique_ptr<ReportRecord> LoadReportRecord(const QString& path, const ReportChoices& choices,
                                               QString& why) {
  RecordProblem problem;
  auto r = LoadReportRecord(path, choices, problem);
  why = problem.kind == RecordProblem::CutShort
            ? QStringLiteral("the record is cut short (%1 of %2 characters)").arg(problem.have).arg(problem.whole)
        : problem.kind == RecordProblem::NotARecord && problem.description.isEmpty()
            ? QStringLiteral("not a record")
            : problem.description;
  return r;
}

void PaintReportPage(QPainter& p, ReportRecord& r, const QDate& printed, ReportLook* look) {
  ReportLook plain;
  ReportLook& l = look ? *look : plain;
  const ReportSettings& settings = l.Settings();
  const HeadlessView& v = r.view;
  const auto caption = [&](int index) { return v.Label4Caption(index).trimmed(); };
  p.save();
  p.setPen(Qt::black);
  UseFont(p, 20, true);
  Text(p, {kMargin, kMargin, 8000, 560}, settings.title);
  const QString date = QStringLiteral("印刷日　") + printed.toString(QStringLiteral("yyyy/MM/dd"));
  UseFont(p, 10);
  if (settings.company.isEmpty() && settings.logo.isEmpty()) {
    Text(p, {kPageWidth - kMargin - 4000, kMargin, 4000, 560}, date, Qt::AlignRight | Qt::AlignVCenter);
  } else {
    // The contractor in the head, its logo beside it; the date under the title.
    Text(p, {kMargin, 1180, 8000, 300}, date);
    const QRectF company(kPageWidth - kMargin - 5200, 560, 5200, 800);
    UseFont(p, 12, true);
    Text(p, {company.left(), company.top(), company.width(), 320}, settings.company, Qt::AlignRight | Qt::AlignVCenter);
    UseFont(p, 9);
    Text(p, {company.left(), company.top() + 330, company.width(), 230}, settings.info1, Qt::AlignRight | Qt::AlignVCenter);
    Text(p, {company.left(), company.top() + 560, company.width(), 230}, settings.info2, Qt::AlignRight | Qt::AlignVCenter);
    l.DrawLogo(p, QRectF(company.left() - 1900, company.top(), 1800, company.height()));
  }

  // The test: where, who, what.
  const std::pair<QString, QString> facts[] = {{QStringLiteral("現場名"), r.name.fields[0]},
                                               {QStringLiteral("棟名"), r.name.fields[1]},
                                               {QStringLiteral("担当者"), r.name.fields[2]},
                                               {QStringLiteral("検査番号"), caption(readout::Number)},
                                               {QStringLiteral("検査日時"), caption(readout::Date)},
                                               {QStringLiteral("検査時間"), caption(readout::Duration)},
                                               {QStringLiteral("管材"), caption(readout::PipeType)},
                                               {QStringLiteral("試験圧力"), caption(readout::TestPressure)},
                                               {QStringLiteral("判定基準"), caption(readout::Criterion)}};
  UseFont(p, 11);
  for (int i = 0; i < 9; ++i) {
    const int column = i / 4, line = i % 4;  // three columns of four facts
    const QRectF row(kMargin + column * 3900.0, 1500.0 + line * 400, 3700, 360);
    Text(p, {row.left(), row.top(), 1300, row.height()}, facts[i].first);
    Text(p, {row.left() + 1300, row.top(), 2700, row.height()}, QStringLiteral("：") + facts[i].second);
    p.drawLine(QPointF(row.left(), row.bottom()), QPointF(row.right(), row.bottom()));
  }

  // The logger's verdict, large and framed, for a typed test.
  if (r.state.Record.Typed()) {
    const QRectF box(kPageWidth - kMargin - 3600, 1400, 3600, 1700);
    UseFont(p, 11, true);
    Text(p, {box.left() + 120, box.top() + 60, 1000, 360}, QStringLiteral("判定"));
    p.setPen(QPen(Qt::black, 40));
    p.drawRect(box);
    UseFont(p, 40, true);
    Text(p, box.adjusted(0, 300, 0, 0), caption(readout::Verdict), Qt::AlignCenter);
    p.setPen(Qt::black);
  }

  // The graph, drawn as in the window.
  p.save();
  p.translate(kGraphAt);
  p.scale(kGraphScale, kGraphScale);
  p.setClipRect(QRectF(0, 0, kGraphWidth, kGraphHeight));
  PenState pen;
  PainterSurface surface(p, QRectF(0, 0, kGraphWidth, kGraphHeight), pen);
  r.view.DrawOn(&surface);
  try {
    r.view.RedrawGraph();
  } catch (const PlatformError&) {
    // What was drawn stays, as on screen.
  }
  r.view.DrawOn(nullptr);
  p.restore();
  p.drawRect(QRectF(kGraphAt, QSizeF(kGraphWidth * kGraphScale, kGraphHeight * kGraphScale)));

  // Pressure, time and differential at lines A to D.
  const double gridLeft = kGraphAt.x() + kGraphWidth * kGraphScale + 300, cell = 1150;
  const QString lines[4] = {QStringLiteral("A線"), QStringLiteral("B線"), QStringLiteral("C線"),
                            QStringLiteral("D線")};
  const std::pair<QString, const int*> rows[3] = {{QStringLiteral("圧力"), readout::Pressure},
                                                  {QStringLiteral("時間"), readout::Time},
                                                  {QStringLiteral("差圧"), readout::Differential}};
  UseFont(p, 9, true);
  for (int c = 0; c < 4; ++c)
    Text(p, {gridLeft + 800 + c * cell, kGraphAt.y(), cell, 360}, lines[c], Qt::AlignCenter);
  for (int row = 0; row < 3; ++row) {
    const double y = kGraphAt.y() + 420 + row * 420;
    UseFont(p, 9, true);
    Text(p, {gridLeft, y, 800, 360}, rows[row].first);
    UseFont(p, 9);
    for (int c = 0; c < 4; ++c)
      Text(p, {gridLeft + 800 + c * cell, y, cell - 60, 360}, caption(rows[row].second[c]),
           Qt::AlignRight | Qt::AlignVCenter);
    p.drawLine(QPointF(gridLeft, y + 380), QPointF(gridLeft + 800 + 4 * cell, y + 380));
  }

  // Room to sign and stamp, right of the graph; the inspector's box holds
  // the inspector's seal where the seal folder has one.
  UseFont(p, 10, true);
  const QStringList& signers = settings.boxCaptions;
  const int n = int(signers.size());
  const double width = n <= 2 ? 2300 : (kPageWidth - kMargin - gridLeft) / n;
  bool sealed = false;
  for (int i = 0; i < n; ++i) {
    const QRectF box(kPageWidth - kMargin - (n - i) * width + 100, 8200, width - 100, 2400);
    p.drawRect(box);
    p.drawLine(QPointF(box.left(), box.top() + 420), QPointF(box.right(), box.top() + 420));
    Text(p, {box.left(), box.top(), box.width(), 420}, signers[i], Qt::AlignCenter);
    if (!sealed && signers[i] == QStringLiteral("担当者")) {
      sealed = true;
      // A seal's natural size: about 15 mm across.
      const QPointF middle(box.center().x(), box.top() + 420 + (box.height() - 420) / 2);
      l.DrawSeal(p, r.name.fields[2], QRectF(middle - QPointF(425, 425), QSizeF(850, 850)));
    }
  }
  p.restore();
}

QByteArray RecordCsv(const ReportRecord& r) {
  const HeadlessView& v = r.view;
  const TestRecord& record = r.state.Record;
  const auto caption = [&](int index) { return v.Label4Caption(index).trimmed(); };
  QStringList lines = {QStringLiteral("検査番号,") + Csv(caption(readout::Number)),
                       QStringLiteral("検査日時,") + Csv(caption(readout::Date)),
                       QStringLiteral("管材,") + Csv(caption(readout::PipeType)),
                       QStringLiteral("試験圧力,") + Csv(caption(readout::TestPressure)),
                       QStringLiteral("判定基準,") + Csv(caption(readout::Criterion)),
                       QStringLiteral("判定,") + Csv(caption(readout::Verdict)),
                       QStringLiteral("測定間隔(秒),") + QString::number(record.IntervalSeconds),
                       QString(),
                       QStringLiteral("経過秒,経過時間,圧力(kPa)")};
  for (qint32 i = 0; i < record.SampleCount && SampleInText(record.RecordText, i); ++i) {
    const qint64 seconds = qint64(i) * record.IntervalSeconds;
    lines << QStringLiteral("%1,%2:%3:%4,%5")
                 .arg(seconds)
                 .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
                 .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                 .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                 .arg(ReadSample(record.RecordText, i) / 1000.0, 0, 'f', 2);
  }
  return QByteArray("\xEF\xBB\xBF") + lines.join(QStringLiteral("\r\n")).toUtf8() + "\r\n";
}

ReportPdf::ReportPdf(const QString& path, ReportLook* look) : file_(path), look_(look) {}
ReportPdf::~ReportPdf() { Cancel(); }

bool ReportPdf::Open() {
  // Written unbuffered through a temporary file: never a half-written report.
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return false;
  writer_ = std::make_unique<QPdfWriter>(&file_);
  writer_->setPageSize(QPageSize(QPageSize::A4));
  writer_->setPageOrientation(QPageLayout::Landscape);
  writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
  writer_->setResolution(1440);
  writer_->setTitle(look_ ? look_->Settings().title : ReportSettings().title);
  writer_->setCreator(QStringLiteral("kestra-ptlog-report"));
  return true;
}

bool ReportPdf::AddPage(ReportRecord& record, const QDate& printed) {
  if (!writer_ || (pages_ == 0 ? !painter_.begin(writer_.get()) : !writer_->newPage())) return false;
  PaintReportPage(painter_, record, printed, look_);
  ++pages_;
  return true;
}

bool ReportPdf::Commit() {
  const bool written = writer_ && pages_ > 0 && painter_.end() && file_.commit();
  if (!written) Cancel();
  return written;
}

void ReportPdf::Cancel() {
  if (painter_.isActive()) painter_.end();
  if (file_.isOpen()) file_.cancelWriting(), file_.commit();
  writer_.reset();
}

bool WriteRecordCsv(const QString& folder, const QString& recordPath, const ReportRecord& record) {
  const QString csv = QDir(folder).filePath(PathWithExtension(FileNamePart(recordPath), QStringLiteral("csv")));
  return WriteFileAtomically(csv, RecordCsv(record)) == WriteResult::Written;
}

}  // namespace ptlog
