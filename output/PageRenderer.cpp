#include "output/PageRenderer.h"

#include <QAbstractButton>
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
  option.rect = QRect(QPoint(0, 0), b->size());
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
  p.setFont(b->font());
  b->style()->drawControl(element, &option, &p, b);
}

void PaintLineEdit(QPainter& p, QLineEdit* edit) {
  QStyleOptionFrame frame;
  frame.initFrom(edit);
  frame.rect = QRect(QPoint(0, 0), edit->size());
  frame.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, edit);
  p.fillRect(frame.rect, Qt::white);
  edit->style()->drawPrimitive(QStyle::PE_PanelLineEdit, &frame, &p, edit);
  p.setFont(edit->font());
  p.setPen(edit->palette().color(QPalette::Text));
  p.drawText(frame.rect.adjusted(4, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter, edit->text());
}

void PaintLabel(QPainter& p, QLabel* label) {
  p.setFont(label->font());
  p.setPen(label->palette().color(QPalette::WindowText));
  p.drawText(QRect(QPoint(0, 0), label->size()), int(label->alignment()) | Qt::TextDontClip, label->text());
}

void PaintChildren(QPainter& p, QWidget* parent);

void PaintControl(QPainter& p, QWidget* w) {
  p.save();
  p.translate(w->pos());
  if (auto* label = qobject_cast<QLabel*>(w)) {
    PaintLabel(p, label);
  } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
    PaintLineEdit(p, edit);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    PaintButton(p, button);
  } else {
    if (w->autoFillBackground())
      p.fillRect(QRect(QPoint(0, 0), w->size()), w->palette().color(w->backgroundRole()));
    if (auto* frame = qobject_cast<QFrame*>(w); frame && frame->frameShape() == QFrame::Box) {
      p.setPen(frame->palette().color(QPalette::WindowText));
      p.drawRect(QRect(QPoint(0, 0), w->size() - QSize(1, 1)));
    }
    PaintChildren(p, w);
  }
  p.restore();
}

void PaintChildren(QPainter& p, QWidget* parent) {
  p.save();
  p.setClipRect(QRect(QPoint(0, 0), parent->size()), Qt::IntersectClip);
  for (QObject* child : parent->children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w && !w->isHidden() && !w->isWindow()) PaintControl(p, w);
  }
  p.restore();
}

}  // namespace

void PaintControlsAsVectors(QPainter& painter, QWidget* root) { PaintChildren(painter, root); }

}  // namespace ptlog
