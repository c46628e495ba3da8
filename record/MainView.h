#pragma once

#include "record/TestRecord.h"

#include <QString>
#include <QtGlobal>

namespace ptlog {

// The state the main window shares between loading, decoding and drawing.
struct ViewState {
  TestRecord Record;
  QString RecordPath;
  qint32 CursorATime = 0;
  qint32 CursorDTime = 0;
  bool CursorDPlaced = false;
  qint16 DrawOffsetX = 0;
  qint16 DrawOffsetY = 0;
};

// What decoding and drawing read from and change on the main window.
// The window implements it with its controls; tests with plain values.
class MainView {
public:
  virtual ~MainView() = default;

  virtual bool Scale1MPaSelected() const = 0;  // Option2(0)
  virtual int DetailsValue() const = 0;        // Check1: 0, 1 or 2

  virtual QString Label4Caption(int index) const = 0;
  virtual void SetLabel4Caption(int index, const QString& caption) = 0;
  virtual void SetLabel3Visible(int index, bool visible) = 0;
  virtual void SetLabel4Visible(int index, bool visible) = 0;

  // HScroll1(index). Setting a new value runs the change handling at once,
  // nested; a value outside 0..720 raises 380. Errors of the nested handling
  // come out of this call.
  virtual int ScrollValue(int index) const = 0;
  virtual void SetScrollValue(int index, int value) = 0;
  virtual void SetScrollVisible(int index, bool visible) = 0;

  virtual void RedrawGraph() = 0;
};

}  // namespace ptlog
