#pragma once

class QPainter;
class QWidget;

namespace ptlog {

// Paints the visible controls inside `root` onto a page as text and lines,
// in the window's own pixels: labels, entry fields, option buttons, check
// boxes, buttons and frames. Qt's own widget rendering would send a page a
// bitmap of them, which neither prints sharp nor keeps its text.
void PaintControlsAsVectors(QPainter& painter, QWidget* root);

}  // namespace ptlog
