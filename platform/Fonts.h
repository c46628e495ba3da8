#pragma once

#include <QFont>
#include <QMargins>
#include <QRect>
#include <QSize>

class QStyle;
class QWidget;

namespace ptlog {

// The Mincho face at a point size of the design (which assumes 96 dots to
// the inch, so 11.25 pt is 15 pixels whatever the X server claims), at the
// screen layout's scale.
QFont MinchoFont(double points, bool bold);

// Twips of the design to device-independent pixels (15 twips a pixel at
// the screen layout's scale 1).
int TwipsToPixels(int twips);

// Design rectangle in twips, placed in device-independent pixels.
void PlaceTwips(QWidget* widget, int left, int top, int width, int height);

// A control's rectangle and a font as the design has them, whatever the
// layout scale: the printed page draws the window at its design size.
QRect DesignRect(const QWidget* widget);
void SetDesignRect(QWidget* widget, QRect designPixels);
QFont DesignFont(const QFont& font);

// A style whose check and option marks follow the layout scale, as the
// text beside them does; for those boxes.
QStyle* LayoutScaledMarks();

// Fonts come in whole pixels and hinted glyphs round their advances, so at a
// smaller scale, or with another system's fonts, a label's text may come out
// a little wider than its designed box: such boxes grow to the right, as far
// as their container allows.
void WidenLabelsToText(QWidget* window);

// The scale the windows are laid out at: 1, the design, unless the design
// does not fit the screen (a laptop at 150 %), then the largest that fits.
// Set once, before the windows are made; the printed page ignores it.
double LayoutScale();
void SetLayoutScale(double scale);

// Room a window frame takes around the client area, for the fitting: the
// title bar and borders of a Windows 10 window at 100 %.
inline constexpr QMargins kFrameAllowance{8, 31, 8, 8};

// The largest scale up to 1 at which `design` pixels and their frame fit
// `available`; never below 0.4, where nothing could be read.
double FittingScale(QSize design, QRect available, QMargins frame = kFrameAllowance);

// Sets the layout scale for a window of `design` pixels on the primary screen.
void FitLayoutToScreen(QSize design);

}  // namespace ptlog
