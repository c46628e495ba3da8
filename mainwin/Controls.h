#pragma once

#include <QCheckBox>
#include <QImage>
#include <QLabel>
#include <QWidget>

namespace ptlog {

// A label that sizes itself to its caption, unless the design gives it a width.
class AutoLabel : public QLabel {
  Q_OBJECT
public:
  AutoLabel(QWidget* parent, const QString& name, const QString& caption, const QFont& font, int leftTwips,
            int topTwips, int widthTwips = 0);
  // A caption longer than the room right of the design's place moves left
  // within its container, so it is read whole (the download's count).
  void SetCaption(const QString& caption);

private:
  int fixedWidth_;
  int designLeft_;
};

// The details box: a click toggles between checked and unchecked; the greyed
// state only comes from the settings file.
class DetailsCheckBox : public QCheckBox {
  Q_OBJECT
public:
  using QCheckBox::QCheckBox;
  int Value() const;
  void SetValue(int state);

protected:
  void nextCheckState() override;
};

// The graph's picture box: shows an image the graph routine paints into.
class PictureBox : public QWidget {
  Q_OBJECT
public:
  explicit PictureBox(QWidget* parent);
  // The image the graph is drawn on, as large as the box in device pixels.
  QImage& Canvas();
  void SetCanvas(const QImage& image);

protected:
  void paintEvent(QPaintEvent*) override;

private:
  QImage canvas_;
};

}  // namespace ptlog
