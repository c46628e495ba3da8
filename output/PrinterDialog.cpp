#include "output/PrinterDialog.h"

#include "platform/Fonts.h"
#include "platform/Desktop.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace ptlog {

PrinterDialog::PrinterDialog(Desktop& desktop, QString& printAnswer, QWidget* parent)
    : QWidget(parent, Qt::Dialog), desktop_(desktop), printAnswer_(printAnswer) {
  setObjectName(QStringLiteral("frmPRT"));
  setWindowTitle(QStringLiteral("Printer"));
  setFont(MinchoFont(9, false));

  Frame2 = new QGroupBox(QStringLiteral("ﾌﾟﾘﾝﾀｰ"), this);
  Frame2->setObjectName(QStringLiteral("Frame2"));
  PlaceTwips(Frame2, 0, 0, 4575, 1575);
  Frame2->hide();
  Label3 = new QLabel(QStringLiteral("ﾌﾟﾘﾝﾀｰ選択"), Frame2);
  Label3->setObjectName(QStringLiteral("Label3"));
  PlaceTwips(Label3, 120, 240, 900, 180);
  Combo1 = new QComboBox(Frame2);
  Combo1->setObjectName(QStringLiteral("Combo1"));
  Combo1->setFont(QFont());
  PlaceTwips(Combo1, 120, 480, 4335, 315);
  Text1 = new QLineEdit(Frame2);
  Text1->setObjectName(QStringLiteral("Text1"));
  PlaceTwips(Text1, 120, 480, 4070, 310);
  // The name box lies over the list, whose arrow stays free at the right.
  Text1->raise();
  const char* captions[2] = {"印刷", "ｷｬﾝｾﾙ"};
  const int lefts[2] = {1320, 2160};
  for (int i = 0; i < 2; ++i) {
    Command1[i] = new QPushButton(QString::fromUtf8(captions[i]), Frame2);
    Command1[i]->setObjectName(QStringLiteral("Command1(%1)").arg(i));
    Command1[i]->setAutoDefault(false);
    PlaceTwips(Command1[i], lefts[i], 1080, 855, 255);
    connect(Command1[i], &QPushButton::clicked, this, [this, i] { Command1Click(i); });
  }
  connect(Combo1, &QComboBox::activated, this, &PrinterDialog::Combo1Click);
}

void PrinterDialog::ShowPrinterDialog() {
  Frame2->raise();
  Frame2->show();
  // The client area is just the frame.
  setFixedSize(Frame2->size());
  WidenLabelsToText(this);
  if (QWidget* owner = parentWidget()) move(owner->geometry().center() - QPoint(width() / 2, height() / 2));
  show();
  raise();
  activateWindow();
  Text1->setText(desktop_.Printer().name);
  Combo1->clear();
  Combo1->addItems(desktop_.PrinterNames());
  Combo1->addItem(kPdfFileEntry);
  Combo1->setCurrentIndex(-1);
}

void PrinterDialog::Combo1Click(int index) {
  Text1->setText(Combo1->itemText(index));
  desktop_.MakeCurrentPrinter(Text1->text());
}

void PrinterDialog::Command1Click(int index) {
  printAnswer_ = index == 0 ? QStringLiteral("Yes") : QStringLiteral("Cancel");
  Frame2->hide();
  hide();
}

void PrinterDialog::closeEvent(QCloseEvent* event) {
  // The close box must not leave the print command waiting for ever.
  if (printAnswer_.isEmpty()) printAnswer_ = QStringLiteral("Cancel");
  Frame2->hide();
  event->accept();
}

}  // namespace ptlog
