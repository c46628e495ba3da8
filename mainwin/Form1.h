#pragma once

#include "graph/PainterSurface.h"
#include "link/LoggerLink.h"
#include "link/SerialPort.h"
#include "link/TickClock.h"
#include "mainwin/Controls.h"
#include "output/OutputWindow.h"
#include "platform/Errors.h"
#include "record/MainView.h"
#include "settings/MainSettings.h"

#include <QImage>
#include <QWidget>
#include <array>
#include <optional>

class QFrame;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTimer;

namespace ptlog {

class Desktop;
class PrinterDialog;

// The main window. It owns the program's shared state; the logic it calls
// lives in the libraries below it.
class Form1 : public QWidget, public MainView, public DownloadView {
  Q_OBJECT
public:
  Form1(Desktop& desktop, SettingsLocation where, int tickIntervalMs = kTickIntervalMs, QWidget* parent = nullptr);

  // The client area of the design, in twips.
  static constexpr int kClientWidthTwips = 15240, kClientHeightTwips = 10695;
  static QSize DesignSize() { return {kClientWidthTwips / 15, kClientHeightTwips / 15}; }

  // The window's load step: settings read and applied, controls prepared.
  void Load();
  // The unload step: display choices written, program ended. Runs once.
  void Unload();

  const SettingsLocation& Location() const { return where_; }
  const MainSettings& Settings() const { return settings_; }
  TickClock& Clock() { return clock_; }
  DisplayChoices CurrentDisplayChoices() const;
  ViewState& State() { return state_; }

  // The buttons' actions.
  void DownloadRecords();
  void LoadRecordFile();
  void SaveRecordFileAs();
  void PrintCommand();
  void SnapshotCommand();

  // The printer dialog's answer: empty while it is open, then "Yes" or "Cancel".
  QString PrintAnswer;

  // MainView: what decoding and the graph use of the window.
  bool Scale1MPaSelected() const override;
  int DetailsValue() const override;
  QString Label4Caption(int index) const override;
  void SetLabel4Caption(int index, const QString& caption) override;
  void SetLabel3Visible(int index, bool visible) override;
  void SetLabel4Visible(int index, bool visible) override;
  int ScrollValue(int index) const override;
  void SetScrollValue(int index, int value) override;
  void SetScrollVisible(int index, bool visible) override;
  void RedrawGraph() override;

  // DownloadView: the status panel and messages of the download.
  bool AskYesNo(const QString& question) override;
  void ShowError(const QString& text) override;
  void ShowLineError(const QString& text) override;
  void SetStatusText(const QString& text) override;
  void SetStatusTextVisible(bool visible) override;
  void SetOkVisible(bool visible) override;
  void SetPanelVisible(bool visible) override;
  QString ActivityText() const override;
  void SetActivityText(int index, const QString& text) override;
  bool Ending() const override;

  QPushButton* Command1;
  QPushButton* Command2;
  QPushButton* Command5;
  QPushButton* Command6;
  QPushButton* Command3;
  QPushButton* Command99;
  QPushButton* Command4;
  QPushButton* Command7;
  std::array<QLineEdit*, 3> Text1;
  std::array<QWidget*, 2> Frame1;
  std::array<QRadioButton*, 2> Option1;
  std::array<QRadioButton*, 2> Option2;
  DetailsCheckBox* Check1;
  std::array<QScrollBar*, 2> HScroll1;
  PictureBox* Picture1;
  QFrame* Frame2;
  QWidget* CapturePicture;
  AutoLabel* Label1;
  std::array<AutoLabel*, 2> Label2;
  std::array<AutoLabel*, 20> Label3;
  std::array<AutoLabel*, 19> Label4;
  QTimer* Timer1;

protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

private:
  void CreateButtons();
  void CreateEntryFields();
  void CreateDisplayChoices();
  void CreateGraphArea();
  void CreateLabels();
  void SetTabOrder();

  void StartupFailure(const PlatformError& error);
  // The window as printing and the snapshot see it.
  OutputWindow ForOutput();

  // What a failed load puts back.
  struct DisplaySnapshot;
  DisplaySnapshot TakeSnapshot() const;
  void Restore(const DisplaySnapshot& snapshot);

  void Option2Click(int index);
  void Check1Click();
  void HScroll1Change(int index);
  void Command7Click();
  void Timer1Timer();
  bool Text1KeyDown(int index, int key);

  Desktop& desktop_;
  SettingsLocation where_;
  MainSettings settings_;
  TickClock clock_;
  SerialPort port_;
  LoggerLink link_{port_, clock_, *this};
  ViewState state_;
  PenState pen_;
  PrinterDialog* printerDialog_ = nullptr;
  int settingScroll_ = 0;
  std::optional<PlatformError> scrollError_;
  bool unloaded_ = false;
};

}  // namespace ptlog
