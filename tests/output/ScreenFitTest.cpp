// The windows on small or scaled screens: laid out smaller as a whole where
// the design does not fit, every text whole within its control.
#include "Form1Fixture.h"
#include "link/LoggerLink.h"
#include "output/PrinterDialog.h"

#include <QBitmap>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStyleOptionButton>
#include <QWindow>

#include <cmath>
#include <map>

using namespace ptlog;
using namespace ptlog::test;

namespace {

// The texts of a window that do not fit their control, or whose control
// sticks out of its container; empty when every text is read whole.
QStringList Clipped(QWidget* window) {
  QStringList out;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window) || w->objectName().startsWith("qt_")) continue;
    const QFontMetrics fm(w->font());
    QString text;
    QRect room;  // where the text may go, in the control
    if (auto* label = qobject_cast<QLabel*>(w)) {
      text = label->text(), room = label->contentsRect();
    } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      text = button->text();
      QStyleOptionButton option;
      option.initFrom(button);
      const auto element = qobject_cast<QCheckBox*>(w)      ? QStyle::SE_CheckBoxContents
                           : qobject_cast<QRadioButton*>(w) ? QStyle::SE_RadioButtonContents
                                                            : QStyle::SE_PushButtonContents;
      room = w->style()->subElementRect(element, &option, w);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      text = group->title(), room = group->rect().adjusted(fm.averageCharWidth(), 0, -fm.averageCharWidth(), 0);
    }
    // A text starts where its room does (centred ones fit if this fits) and
    // is seen only within the container too.
    const int need = fm.horizontalAdvance(text);
    const int right = std::min(room.right(), w->parentWidget()->width() - 1 - w->x());
    if (!text.isEmpty() && (room.left() + need - 1 > right || fm.ascent() > w->height()))
      out << QStringLiteral("%1 \"%2\": %3 px from %4 to %5").arg(w->objectName(), text).arg(need).arg(room.left()).arg(right);
  }
  return out;
}

// Where the design puts each named control of a window, and its font size.
using Layout = std::map<QString, std::pair<QRect, int>>;
Layout LayoutOf(QWidget* window) {
  Layout layout{{"", {window->geometry(), 0}}};
  for (QWidget* w : window->findChildren<QWidget*>())
    if (!w->objectName().isEmpty() && !w->objectName().startsWith("qt_"))
      layout[w->objectName()] = {w->geometry(), w->font().pixelSize()};
  return layout;
}

// Every control of `scaled` where the design's is, times `scale`, fonts
// likewise; labels keep their place, their size may follow the text.
void ExpectScaledLayout(const Layout& design, QWidget* scaled, double scale) {
  const auto near = [scale](int designed, int got) { return std::abs(designed * scale - got) <= 1.0; };
  const Layout got = LayoutOf(scaled);
  for (const auto& [name, d] : design) {
    const auto& [s, font] = got.at(name);
    const bool label = qobject_cast<QLabel*>(scaled->findChild<QWidget*>(name)) != nullptr;
    EXPECT_TRUE(near(d.first.x(), s.x()) && near(d.first.y(), s.y()) && near(d.second, font) &&
                (label || (near(d.first.width(), s.width()) && near(d.first.height(), s.height()))))
        << name.toStdString() << " at " << scale;
  }
}

// Once the window system shows it: the window wholly on the screen's free
// area, every text of it whole.
void ExpectWhollyShown(QWidget& w) {
  for (int i = 0; i < 500 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(w.frameGeometry()))
      << w.objectName().toStdString() << " " << w.frameGeometry().width() << "x" << w.frameGeometry().height();
  EXPECT_EQ(Clipped(&w), QStringList());
}

// Bounds of what the graph drew (every pixel not white) on the picture box.
QRect Drawn(const QImage& canvas) {
  return QRegion(QBitmap::fromImage(canvas.createMaskFromColor(qRgb(255, 255, 255), Qt::MaskOutColor))).boundingRect();
}

class ScreenFit : public Form1Fixture {
protected:
  // The main window at the current scale with a record loaded.
  Form1& Window() {
    StartOnData().show();
    Load(Put("0012060720140530.txt", tools::TypedTest(2, 750, 60, 10, 300, 750, 3)));
    return *form;
  }
};

}  // namespace

// The largest scale up to 1 at which a window and its frame fit the screen's free area.
TEST(LayoutScale, LargestThatFitsUpToTheDesign) {
  const QSize main = Form1::DesignSize();
  const std::tuple<QSize, QRect, double> cases[] = {
      {ToolForm::DesignSize(), {0, 0, 683, 360}, 321.0 / 359},  // 1366 x 768 at 200 %, the tool
      {main, {0, 0, 1016 + 16, 713 + 39}, 1.0},          // exactly the window and its frame
      {main, {0, 0, 1016 + 16, 713 + 38}, 712.0 / 713},  // a pixel short
      {main, {0, 0, 1280, 688}, 649.0 / 713},  // 1920 x 1080 at 150 %, the taskbar below
      {main, {100, 50, 400, 325}, 0.4},  // nothing readable below
  };
  for (const auto& [design, available, scale] : cases)
    EXPECT_DOUBLE_EQ(FittingScale(design, available), scale) << available.width() << "x" << available.height();
}

// Smaller windows are the design scaled, every control, font and the graph;
// every caption, and every message the download shows, is read whole (the
// tool and the printer dialog: on the real screens below).
TEST_F(ScreenFit, WindowsAtAScaleAreTheDesignScaledWithEveryTextWhole) {
  const Layout design = LayoutOf(&Window());
  const QRect drawn = Drawn(form->Picture1->Canvas());
  ASSERT_TRUE(drawn.width() > 900 && drawn.height() > 500) << "the axes reach the box's edges";
  for (double scale : {1.0, 0.75, 0.5}) {
    ScaleForTest at(scale);
    Form1& window = Window();
    ExpectScaledLayout(design, &window, scale);
    const QRect got = Drawn(window.Picture1->Canvas());
    for (auto edge : {&QRect::left, &QRect::right, &QRect::top, &QRect::bottom})
      EXPECT_NEAR((got.*edge)(), (drawn.*edge)() * scale, 2) << scale;
    window.SetPanelVisible(true);
    for (const QString& status : {kNoData, kInterrupted, "1" + kRecordsRead, "99" + kRecordsRead,
                                  "999" + kRecordsRead, QStringLiteral("データ読み込み中")}) {
      window.SetStatusText(status);
      EXPECT_EQ(Clipped(&window), QStringList()) << scale;
    }
    EXPECT_EQ(window.Label3[19]->x(), std::lround(120 * scale)) << "a short text back at its place";
  }
}

// On a real screen (an X server the test command starts, the screen size and
// Qt's scale factor set): the programs' own fitting puts each window wholly
// on the screen's free area.
TEST_F(ScreenFit, WindowsAreWhollyOnTheScreen) {
  if (QGuiApplication::platformName() == "offscreen") GTEST_SKIP() << "needs a real screen";
  FitLayoutToScreen(Form1::DesignSize());
  ScaleForTest at(LayoutScale());
  Form1& window = Window();
  ExpectWhollyShown(window);
  PrinterDialog printer(desktop, window.PrintAnswer, &window);
  printer.ShowPrinterDialog();
  ExpectWhollyShown(printer);
  window.grab().save(qEnvironmentVariable("PTLOG_SCREEN_SHOT", scratch.Path("shot.png")));

  FitLayoutToScreen(ToolForm::DesignSize());
  ToolForm tool(desktop, form->Location());
  tool.show();
  ExpectWhollyShown(tool);
}
