// The windows on small or scaled screens: laid out smaller as a whole where
// the design does not fit, every text whole within its control, the printed
// page the same at any scale.
#include "Form1Fixture.h"
#include "link/LoggerLink.h"
#include "output/PrinterDialog.h"
#include "platform/Fonts.h"
#include "tool/ToolForm.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTimer>
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
    if (text.isEmpty()) continue;
    // A text starts where its room does (centred ones fit if this fits) and
    // is seen only within the container too.
    const int need = fm.horizontalAdvance(text);
    const int right = std::min(room.right(), w->parentWidget()->width() - 1 - w->x());
    if (room.left() + need - 1 > right || fm.ascent() > w->height())
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
  ASSERT_EQ(got.size(), design.size());
  for (const auto& [name, placed] : design) {
    const auto& [d, font] = placed;
    const QRect s = got.at(name).first;
    const bool sizesItself = qobject_cast<QLabel*>(scaled->findChild<QWidget*>(name)) != nullptr;
    EXPECT_TRUE(near(d.x(), s.x()) && near(d.y(), s.y()) &&
                (sizesItself || (near(d.width(), s.width()) && near(d.height(), s.height()))))
        << name.toStdString() << " at " << scale;
    EXPECT_TRUE(near(font, got.at(name).second)) << name.toStdString();
  }
}

// Once the window system shows it: the window wholly on the screen's free
// area, every text of it whole.
void ExpectWhollyShown(QWidget& w) {
  for (int i = 0; i < 500 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
  const QRect frame = w.frameGeometry();
  EXPECT_TRUE(QGuiApplication::primaryScreen()->availableGeometry().contains(frame))
      << w.objectName().toStdString() << " " << frame.width() << "x" << frame.height();
  EXPECT_EQ(Clipped(&w), QStringList());
}

// Bounds of what the graph drew (every pixel not white) on the picture box.
QRect Drawn(const QImage& canvas) {
  QRect box;
  for (int y = 0; y < canvas.height(); ++y)
    for (int x = 0; x < canvas.width(); ++x)
      if (canvas.pixel(x, y) != qRgb(255, 255, 255)) box |= QRect(x, y, 1, 1);
  return box;
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
  const QSize main = Form1::DesignSize(), tool = ToolForm::DesignSize();
  EXPECT_EQ(std::make_pair(main, tool), std::make_pair(QSize(1016, 713), QSize(358, 359)));
  const std::tuple<QSize, QRect, double> cases[] = {
      {main, {0, 0, 1920, 1040}, 1.0},                   // a desktop at 100 %
      {main, {0, 0, 1016 + 16, 713 + 39}, 1.0},          // exactly the window and its frame
      {main, {0, 0, 1016 + 16, 713 + 38}, 712.0 / 713},  // a pixel short
      {main, {0, 0, 1016 + 15, 713 + 39}, 1015.0 / 1016},
      {main, {0, 0, 1280, 688}, 649.0 / 713},  // 1920 x 1080 at 150 %, the taskbar below
      {main, {0, 0, 1093, 582}, 543.0 / 713},  // 1366 x 768 at 125 %
      {tool, {0, 0, 683, 360}, 321.0 / 359},   // 1366 x 768 at 200 %
      {tool, {0, 0, 683, 398}, 1.0},
      {main, {100, 50, 400, 325}, 0.4},  // nothing readable below
  };
  for (const auto& [design, available, scale] : cases)
    EXPECT_DOUBLE_EQ(FittingScale(design, available), scale) << available.width() << "x" << available.height();
}

// Smaller windows are the design scaled, every control, font and the graph;
// every caption, and every message the download shows, is read whole.
TEST_F(ScreenFit, WindowsAtAScaleAreTheDesignScaledWithEveryTextWhole) {
  const Layout design = LayoutOf(&Window());
  const QRect drawn = Drawn(form->Picture1->Canvas());
  ASSERT_TRUE(drawn.width() > 900 && drawn.height() > 500) << "the axes reach the box's edges";
  const Layout tool = LayoutOf(std::make_unique<ToolForm>(desktop, form->Location()).get());
  for (double scale : {1.0, 0.75, 0.5}) {
    ScaleForTest at(scale);
    Form1& window = Window();
    ExpectScaledLayout(design, &window, scale);
    const QRect got = Drawn(window.Picture1->Canvas());
    for (auto edge : {&QRect::left, &QRect::right, &QRect::top, &QRect::bottom})
      EXPECT_NEAR((got.*edge)(), (drawn.*edge)() * scale, 2) << scale;
    EXPECT_EQ(Clipped(&window), QStringList()) << scale;
    window.SetPanelVisible(true);
    for (const QString& status : {QStringLiteral("データ読み込み中"), kNoData, kInterrupted, "1" + kRecordsRead,
                                  "99" + kRecordsRead, "999" + kRecordsRead}) {
      window.SetStatusText(status);
      EXPECT_EQ(Clipped(&window), QStringList()) << scale;
    }
    window.SetStatusText(QStringLiteral("データ読み込み中"));
    EXPECT_EQ(window.Label3[19]->x(), std::lround(120 * scale)) << "a short text back at its place";

    ToolForm smallTool(desktop, form->Location());
    ExpectScaledLayout(tool, &smallTool, scale);
    smallTool.Startup();
    EXPECT_EQ(Clipped(&smallTool), QStringList()) << scale;
    PrinterDialog printer(desktop, window.PrintAnswer, &window);
    printer.ShowPrinterDialog();
    EXPECT_EQ(Clipped(&printer), QStringList()) << scale;
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
