#pragma once

#include "graph/HeadlessView.h"
#include "record/RecordFile.h"

#include <QByteArray>
#include <QDate>
#include <QPainter>
#include <QSaveFile>
#include <QString>
#include <memory>
#include <optional>

class QPdfWriter;

namespace ptlog {

// The display choices a report is drawn with; unset ones come from the
// record's saved name, else 1MPa with details, as the window starts.
struct ReportChoices {
  std::optional<bool> scale1MPa;
  std::optional<bool> details;
};

// One record read and decoded as the window does on loading it, with the
// readouts the window would show (lines A and D at their load positions).
struct ReportRecord {
  ReportRecord(bool scale1MPa, int details) : view(state, scale1MPa, details) {}
  ReportRecord(const ReportRecord&) = delete;  // the view keeps the state's address
  ReportRecord& operator=(const ReportRecord&) = delete;

  ViewState state;
  SavedName name;
  HeadlessView view;
};

// Why a file is not reported: it cannot be read; its text is no record; it
// is shorter than its header says; it has more samples than the window shows
// (721); or the window could not draw it.
struct RecordProblem {
  enum Kind { None, Unreadable, NotARecord, CutShort, TooManySamples, NotDrawable } kind = None;
  qint64 have = 0, whole = 0;  // characters, of a record cut short
  QString description;         // the platform's words for the error met
};

// Nothing, with the reason, for a record that is damaged.
std::unique_ptr<ReportRecord> LoadReportRecord(const QString& path, const ReportChoices& choices,
                                               RecordProblem& problem);
// The same, with the reason as the report command says it.
std::unique_ptr<ReportRecord> LoadReportRecord(const QString& path, const ReportChoices& choices,
                                               QString& why);

class ReportLook;

// One A4 landscape test report on a painter set up in twips (1/1440 inch),
// with the contractor's look (none: title, date and two boxes only).
void PaintReportPage(QPainter& painter, ReportRecord& record, const QDate& printed, ReportLook* look = nullptr);

// The samples as a table a spreadsheet opens as it is: UTF-8 with a byte-order
// mark, CR LF, a header block, then seconds, hh:mm:ss and kPa per sample.
QByteArray RecordCsv(const ReportRecord& record);

// A PDF of report pages, one A4 landscape page a record. The file is
// replaced only by a whole report: a cancelled or failed one leaves the
// earlier file, or none, as it was.
class ReportPdf {
public:
  explicit ReportPdf(const QString& path, ReportLook* look = nullptr);
  ~ReportPdf();
  bool Open();  // false: the file cannot be written
  bool AddPage(ReportRecord& record, const QDate& printed);
  bool Commit();  // false: nothing was written
  void Cancel();

private:
  QSaveFile file_;
  std::unique_ptr<QPdfWriter> writer_;
  QPainter painter_;
  ReportLook* look_;
  int pages_ = 0;
};

// The table of a record as FOLDER/NAME.csv; false when it was not written.
bool WriteRecordCsv(const QString& folder, const QString& recordPath, const ReportRecord& record);

}  // namespace ptlog
