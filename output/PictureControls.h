#pragma once

namespace ptlog {

class Form1;

// While alive, the command buttons and the cursor-move controls are hidden
// for a picture of the window; they come back on every way out.
class PictureControlsHidden {
public:
  explicit PictureControlsHidden(Form1& form);
  ~PictureControlsHidden();
  PictureControlsHidden(const PictureControlsHidden&) = delete;
  PictureControlsHidden& operator=(const PictureControlsHidden&) = delete;

private:
  Form1& form_;
};

}  // namespace ptlog
