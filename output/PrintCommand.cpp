// The printed report: the main window on one A4 landscape page.
#include "graph/PainterSurface.h"
#include "graph/RedrawGraph.h"
#include "mainwin/Form1.h"
#include "output/PageRenderer.h"
#include "output/PictureControls.h"
#include "output/PrinterDialog.h"
#include "platform/Dialogs.h"
#include "platform/FileDialogs.h"
#include "platform/Printers.h"
#include "platform/ProgramEnd.h"
#include "record/RecordFile.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>
#include <QPrinter>

namespace ptlog {

namespace {
const QString kAskPrint = QStringLiteral("印刷して宜しいですか？");
const QString kPdfFilter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
const QString kPrintFailed = QStringLiteral("印刷できませんでした。");
constexpr int kGraphWidthTwips = 15015, kGraphHeightTwips = 8175;

// A graph that cannot be drawn shows what was drawn; printing goes on.
void RedrawQuietly(Form1& form) {
  try {
    form.RedrawGraph();
  } catch (const PlatformError&) {
  }
}
}  // namespace

void Form1::PrintCommand() {
  if (!ptlog::AskYesNo(this, kAskPrint)) return;

  PrintAnswer.clear();
  if (!printerDialog_) printerDialog_ = new PrinterDialog(PrintAnswer, this);
  printerDialog_->ShowPrinterDialog();
  while (PrintAnswer.isEmpty()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    if (ProgramEnding()) return;
  }
  if (PrintAnswer != QStringLiteral("Yes")) {
    Text1[0]->setFocus();
    return;
  }
  QString pdfFile;
  if (CurrentPrinterAsksForFile()) {
    pdfFile =
        state_.RecordPath.isEmpty()
            ? RunFileDialog(this, {FileDialogRequest::Save, kPdfFilter, 1, QString(), settings_.DataPath})
            : RunFileDialog(this, {FileDialogRequest::Save, kPdfFilter, 1,
                                   PathWithExtension(state_.RecordPath, QStringLiteral("pdf")), QString()});
    if (pdfFile.isEmpty()) return;
  }

  bool printed = false;
  {
    // The page draws the graph at the picture box's own place, so the
    // drawing offset stays at zero and the box keeps its height.
    PictureControlsHidden hidden(*this);
    // The page shows the readouts as this redraw leaves them, a record
    // loaded or not.
    RedrawQuietly(*this);
    QCoreApplication::processEvents();
    printed = PrintJob(
        FileNamePart(state_.RecordPath),
        [this](QPrinter& printer) {
          printer.setPageSize(QPageSize(QPageSize::A4));
          printer.setPageOrientation(QPageLayout::Landscape);
          return PrintWindowPage(printer);
        },
        pdfFile);
  }
  RedrawQuietly(*this);
  if (!printed) ShowOkMessage(this, kPrintFailed);
}

bool Form1::PrintWindowPage(QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  // The window's pixels are 15 twips, 1/96 inch; the page keeps that size.
  const double scale = printer.resolution() / 96.0;
  painter.scale(scale, scale);
  PaintControlsAsVectors(painter, this);

  // The graph again, as vectors, where the picture box stands.
  painter.translate(Picture1->pos());
  painter.setClipRect(QRect(QPoint(0, 0), Picture1->size()));
  painter.scale(1.0 / 15.0, 1.0 / 15.0);
  PenState pen;
  PainterSurface surface(painter, QRectF(0, 0, kGraphWidthTwips, kGraphHeightTwips), pen);
  bool drawn = true;
  try {
    ptlog::RedrawGraph(state_, *this, surface);
  } catch (const PlatformError&) {
    drawn = false;
  }
  return painter.end() && drawn && printer.printerState() != QPrinter::Error;
}

}  // namespace ptlog
