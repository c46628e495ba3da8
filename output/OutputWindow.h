#pragma once

#include "record/MainView.h"

#include <QString>
#include <array>
#include <functional>

class QLineEdit;
class QWidget;

namespace ptlog {

class Desktop;
class PrinterDialog;

// The controls a picture of the window leaves out: the command buttons, then
// the cursor-move captions and bars.
struct PictureControls {
  std::array<QWidget*, 6> commands;  // Command1, 2, 3, 5, 6, 99
  QWidget* lineDCaption;
  QWidget* lineACaption;
  QWidget* lineABar;
  QWidget* lineDBar;
};

// What printing and the snapshot use of the main window.
struct OutputWindow {
  QWidget* window;        // the page's controls, the capture, the dialogs' owner
  QWidget* picture;       // Picture1, where the page draws the graph
  QWidget* captureStrip;  // CapturePicture, sized to the capture
  QLineEdit* siteField;   // Text1(0): the focus after a cancelled print
  PictureControls controls;
  ViewState& state;
  MainView& view;
  Desktop& desktop;
  QString dataPath, programPath;
  QString& printAnswer;
  PrinterDialog*& printerDialog;  // made at the first print, lives with the window
};

// "印  刷": question, printer dialog, the window on one A4 landscape page.
void RunPrintCommand(OutputWindow& window);
// "コピー保存": question, file dialog, the window as a JPEG.
void RunSnapshotCommand(OutputWindow& window);

}  // namespace ptlog
