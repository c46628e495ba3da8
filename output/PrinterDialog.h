#pragma once

#include <QWidget>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ptlog {

class Desktop;

// frmPRT: the printer dialog. It answers through PrintAnswer ("Yes" or
// "Cancel"); closing it any other way counts as "Cancel".
class PrinterDialog : public QWidget {
  Q_OBJECT
public:
  PrinterDialog(Desktop& desktop, QString& printAnswer, QWidget* parent);

  void ShowPrinterDialog();

  QGroupBox* Frame2;
  QLabel* Label3;
  QLineEdit* Text1;
  QComboBox* Combo1;
  std::array<QPushButton*, 2> Command1;

protected:
  void closeEvent(QCloseEvent* event) override;

private:
  void Combo1Click(int index);
  void Command1Click(int index);

  Desktop& desktop_;
  QString& printAnswer_;
};

}  // namespace ptlog
