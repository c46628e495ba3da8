#include "output/PictureControls.h"

#include "mainwin/Form1.h"
#include "record/Readouts.h"

#include <QPushButton>
#include <QScrollBar>

namespace ptlog {

PictureControlsHidden::PictureControlsHidden(Form1& f) : form_(f) {
  for (QWidget* w : std::initializer_list<QWidget*>{
           f.Command1, f.Command2, f.Command3, f.Command5, f.Command6, f.Command99,
           f.Label3[layout::LineDCaption], f.Label3[layout::LineACaption], f.HScroll1[layout::LineABar],
           f.HScroll1[layout::LineDBar]})
    w->hide();
}

PictureControlsHidden::~PictureControlsHidden() {
  Form1& f = form_;
  for (QWidget* w : std::initializer_list<QWidget*>{f.Command1, f.Command2, f.Command3, f.Command5,
                                                    f.Command6, f.Command99, f.Label3[layout::LineDCaption]})
    w->show();
  // The line-A controls belong to untyped records only, as decoding has it.
  if (f.State().Record.PipeType == 0) {
    f.Label3[layout::LineACaption]->show();
    f.HScroll1[layout::LineABar]->show();
  }
  f.HScroll1[layout::LineDBar]->show();
}

}  // namespace ptlog
