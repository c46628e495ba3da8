#include "output/PictureControls.h"

#include <QWidget>

namespace ptlog {

PictureControlsHidden::PictureControlsHidden(const PictureControls& c, const TestRecord& record)
    : controls_(c), record_(record) {
  for (QWidget* w : c.commands) w->hide();
  for (QWidget* w : {c.lineDCaption, c.lineACaption, c.lineABar, c.lineDBar}) w->hide();
}

PictureControlsHidden::~PictureControlsHidden() {
  const PictureControls& c = controls_;
  for (QWidget* w : c.commands) w->show();
  c.lineDCaption->show();
  if (!record_.Typed()) {
    c.lineACaption->show();
    c.lineABar->show();
  }
  c.lineDBar->show();
}

}  // namespace ptlog
