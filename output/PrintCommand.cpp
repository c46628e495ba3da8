// The printed report: the main window on one A4 landscape page.
#include "graph/PainterSurface.h"
#include "graph/RedrawGraph.h"
#include "output/OutputWindow.h"
#include "platform/Errors.h"
#include "output/PageRenderer.h"
#include "output/PictureControls.h"
#include "output/PrinterDialog.h"
#include "platform/Desktop.h"
#include "platform/Fonts.h"
#include "record/RecordFile.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QWidget>
#include <QPainter>
#include <QPrinter>

namespace ptlog {

namespace {
const QString kAskPrint = QStringLiteral("印刷して宜しいですか？");
const QString kPdfFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
const QString kPrintFailed = QStringLiteral("印刷できませんでした。");

// A graph that cannot be drawn shows what was drawn; printing goes on.
void RedrawQuietly(MainView& view) {
  try {
    view.RedrawGraph();
  } catch (const PlatformError&) {
  }
}

bool PrintWindowPage(OutputWindow& w, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The design's pixels are 15 twips, 1/96 inch; the page keeps the design
  // also when the window is laid out smaller to fit its screen.
  const double scale = printer.resolution() / 96.0;
  painter.scale(scale, scale);
  PaintControlsAsVectors(painter, w.window);

  // The graph again, as vectors, where the picture box stands.
  const QRect picture = DesignRect(w.picture);
  painter.translate(picture.topLeft());
  painter.setClipRect(QRect(QPoint(0, 0), picture.size()));
  painter.scale(1.0 / 15.0, 1.0 / 15.0);
  PenState pen;
  PainterSurface surface(painter, QRectF(0, 0, kGraphWidthTwips, kGraphHeightTwips), pen);
  bool drawn = true;
  try {
    RedrawGraph(w.state, w.view, surface);
  } catch (const PlatformError&) {
    drawn = false;
  }
  return painter.end() && drawn && printer.printerState() != QPrinter::Error;
}
}  // namespace

void RunPrintCommand(OutputWindow& w) {
  if (!w.desktop.AskYesNo(w.window, kAskPrint)) return;

  w.printAnswer.clear();
  if (!w.printerDialog) w.printerDialog = new PrinterDialog(w.desktop, w.printAnswer, w.window);
  w.printerDialog->ShowPrinterDialog();
  while (w.printAnswer.isEmpty()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (w.desktop.Ending()) return;
  }
  if (w.printAnswer != QStringLiteral("Yes")) {
    w.siteField->setFocus();
    return;
  }
  QString pdfFile;
  if (w.desktop.Printer().toFile) {
    const QString& record = w.state.RecordPath;
    pdfFile = record.isEmpty()
                  ? w.desktop.RunFileDialog(w.window, {FileDialogRequest::Save, kPdfFilter, 1, QString(), w.dataPath})
                  : w.desktop.RunFileDialog(w.window, {FileDialogRequest::Save, kPdfFilter, 1,
                                                       PathWithExtension(record, QStringLiteral("pdf")), QString()});
    if (pdfFile.isEmpty()) return;
  }

  bool printed = false;
  {
    // The page draws the graph at the picture box's own place, so the
    // drawing offset stays at zero and the box keeps its height.
    PictureControlsHidden hidden(w.controls, w.state.Record);
    // The page shows the readouts as this redraw leaves them, a record
    // loaded or not.
    RedrawQuietly(w.view);
    QCoreApplication::processEvents();
    printed = PrintJob(
        w.desktop.Printer(),
        FileNamePart(w.state.RecordPath),
        [&w](QPrinter& printer) {
          printer.setPageSize(QPageSize(QPageSize::A4));
          printer.setPageOrientation(QPageLayout::Landscape);
          return PrintWindowPage(w, printer);
        },
        pdfFile);
  }
  RedrawQuietly(w.view);
  if (!printed) w.desktop.ShowOk(w.window, kPrintFailed);
}

}  // namespace ptlog
