#pragma once

#include <QFont>

class QWidget;

namespace ptlog {

// The Mincho face at a point size of the design (which assumes 96 dots to
// the inch, so 11.25 pt is 15 pixels whatever the X server claims).
QFont MinchoFont(double points, bool bold);

// Twips of the design to device-independent pixels (15 twips a pixel).
int TwipsToPixels(int twips);

// Design rectangle in twips, placed in device-independent pixels.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

}  // namespace ptlog
