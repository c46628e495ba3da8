#pragma once

#include "graph/HeadlessView.h"
#include "record/RecordFile.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <memory>
#include <optional>

class QPainter;

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

// Nothing, with the reason, for a record that is damaged: text shorter than
// its header says, or one that the window could not show.
std::unique_ptr<ReportRecord> LoadReportRecord(const QString& path, const ReportChoices& choices,
                                               QString& why);

// One A4 landscape test report on a painter set up in twips (1/1440 inch).
void PaintReportPage(QPainter& painter, ReportRecord& record, const QDate& printed);

// The samples as a table a spreadsheet opens as it is: UTF-8 with a byte-order
// mark, CR LF, a header block, then seconds, hh:mm:ss and kPa per sample.
QByteArray RecordCsv(const ReportRecord& record);

}  // namespace ptlog
