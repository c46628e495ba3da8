#pragma once

#include "output/OutputWindow.h"

namespace ptlog {

// While alive, the command buttons and the cursor-move controls are hidden
// for a picture of the window; they come back on every way out, the line-A
// ones for untyped records only, as decoding has it.
class PictureControlsHidden {
public:
  PictureControlsHidden(const PictureControls& controls, const TestRecord& record);
  ~PictureControlsHidden();
  PictureControlsHidden(const PictureControlsHidden&) = delete;
  PictureControlsHidden& operator=(const PictureControlsHidden&) = delete;

private:
  const PictureControls& controls_;
  const TestRecord& record_;
};

}  // namespace ptlog
