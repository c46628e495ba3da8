#include "output/PageRenderer.h"

#include "platform/Fonts.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOption>

namespace ptlog {

namespace {

void PaintButton(QPainter& p, QAbstractButton* b) {
  QStyleOptionButton option;
  option.initFrom(b);
  option.text = b->text();
  option.rect = QRect(QPoint(0, 0), DesignRect(b).size());
  option.fontMetrics = QFontMetrics(DesignFont(b->font()));
  QStyle::ControlElement element = QStyle::CE_PushButton;
  if (auto* check = qobject_cast<QCheckBox*>(b)) {
    element = QStyle::CE_CheckBox;
    option.state |= check->checkState() == Qt::Checked     ? QStyle::State_On
                    : check->checkState() == Qt::Unchecked ? QStyle::State_Off
                                                           : QStyle::State_NoChange;
  } else if (auto* radio = qobject_cast<QRadioButton*>(b)) {
    element = QStyle::CE_RadioButton;
    option.state |= radio->isChecked() ? QStyle::State_On : QStyle::State_Off;
  } else {
    option.state |= QStyle::State_Raised;
  }
  p.setFont(DesignFont(b->font()));
  // The page has the design's marks, not the ones scaled for the screen.
  QApplication::style()->drawControl(element, &option, &p, b);
}

void PaintLineEdit(QPainter& p, QLineEdit* edit) {
  QStyleOptionFrame frame;
  frame.initFrom(edit);
  frame.rect = QRect(QPoint(0, 0), DesignRect(edit).size());
  frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
  p.fillRect(frame.rect, Qt::white);
  edit->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, edit);
  p.setFont(DesignFont(edit->font()));
  p.setPen(edit->palette().color(QPalette::Text));
  p.drawText(frame.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, edit->text());
}

void PaintLabel(QPainter& p, QLabel* label) {
  p.setFont(DesignFont(label->font()));
  p.setPen(label->palette().color(QPalette::WindowText));
  p.drawText(QRect(QPoint(0, 0), DesignRect(label).size()), int(label->alignment()) | Qt::TextDontClip, label->text());
}

void PaintChildren(QPainter& p, QWidget* parent);

void PaintControl(QPainter& p, QWidget* w) {
  p.save();
  p.translate(DesignRect(w).topLeft());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    PaintLabel(p, label);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    PaintLineEdit(p, edit);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    PaintButton(p, button);
  } else {
    if (w->autoFillBackground())
      p.fillRect(QRect(QPoint(0, 0), DesignRect(w).size()), w->palette().color(w->backgroundRole()));
    if (auto* frame = qobject_cast<QFrame*>(w); frame && frame->frameShape() == QFrame::Box) {
      p.setPen(frame->palette().color(QPalette::WindowText));
      p.drawRect(QRect(QPoint(0, 0), DesignRect(w).size() - QSize(1, 1)));
    }
    PaintChildren(p, w);
  }
  p.restore();
}

void PaintChildren(QPainter& p, QWidget* parent) {
  p.save();
  p.setClipRect(QRect(QPoint(0, 0), DesignRect(parent).size()), Qt::IntersectClip);
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && !w->isHidden() && !w->isWindow()) PaintControl(p, w);
  }
  p.restore();
}

}  // namespace

void PaintControlsAsVectors(QPainter& painter, QWidget* root) { PaintChildren(painter, root); }

}  // namespace ptlog
