#include "library/RecordEntry.h"

#include "record/Readouts.h"

#include <QCryptographicHash>

namespace ptlog {

RecordEntry ReadRecordEntry(const QString& folder, const QString& name, qint64 size, qint64 mtime) {
  RecordEntry e;
  e.folder = folder, e.name = name, e.size = size, e.mtime = mtime;
  RecordProblem problem;
  const std::unique_ptr<ReportRecord> r = LoadReportRecord(e.Path(), {true, true}, problem);
  if (!r) {
    e.problem = problem.kind == RecordProblem::Unreadable && size > kLargestRecordFile ? kTooLarge : problem.kind;
    e.have = problem.have, e.whole = problem.whole;
    return e;
  }
  const TestRecord& t = r->state.Record;
  const auto caption = [&](int index) { return r->view.Label4Caption(index).trimmed(); };
  e.hash = QCryptographicHash::hash(t.RecordText.toLatin1(), QCryptographicHash::Sha1);
  e.when = ((((qint64(t.Year) * 100 + t.Month) * 100 + t.Day) * 100 + t.Hour) * 100 + t.Minute) * 100 + t.Second;
  e.pipeType = t.PipeType;
  e.failed = t.Typed() && t.FailFlag != 0;
  e.date = caption(readout::Date);
  e.number = caption(readout::Number);
  e.duration = caption(readout::Duration);
  // An untyped measurement has no pipe, test pressure or verdict.
  e.pipe = t.Typed() ? caption(readout::PipeType) : QString();
  e.pressure = t.Typed() ? caption(readout::TestPressure) : QString();
  e.verdict = t.Typed() ? caption(readout::Verdict) : QStringLiteral("—");
  return e;
}

QString ProblemText(const RecordEntry& e) {
  switch (e.problem) {
    case RecordProblem::None: return QString();
    case RecordProblem::Unreadable: return QStringLiteral("読み込めません");
    case RecordProblem::NotARecord: return QStringLiteral("記録ではありません");
    case RecordProblem::CutShort: return QStringLiteral("途中で切れています（%1 / %2 文字）").arg(e.have).arg(e.whole);
    case RecordProblem::TooManySamples: return QStringLiteral("データ数が多すぎます");
    case kTooLarge: return QStringLiteral("大きすぎます");
    default: return QStringLiteral("表示できません");
  }
}

QString SearchForm(const QString& text) {
  return text.normalized(QString::NormalizationForm_KC).toCaseFolded();
}

}  // namespace ptlog
