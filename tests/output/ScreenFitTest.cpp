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

using namespace ptlog;
using namespace ptlog::test;

namespace {

// The scale for one test, back to the design after it.
struct ScaleForTest {
  explicit ScaleForTest(double scale) { SetLayoutScale(scale); }
  ~ScaleForTest() { SetLayoutScale(1.0); }
};

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
      out << QStringLiteral("%1 \"%2\": %3 px from %4 to %5, at %6,%7 %8x%9")
                 .arg(w->objectName(), text)
                 .arg(need)
                 .arg(room.left())
                 .arg(right)
                 .arg(w->x())
                 .arg(w->y())
                 .arg(w->width())
                 .arg(w->height());
  }
  return out;
}

// Every named control of `scaled` where the design's is, times `scale`;
// fonts likewise. Self-sizing labels keep their place; their size follows the text.
void ExpectScaledLayout(QWidget* design, QWidget* scaled, double scale) {
  const auto near = [scale](int designed, int got) { return std::abs(designed * scale - got) <= 1.0; };
  EXPECT_TRUE(near(design->width(), scaled->width()) && near(design->height(), scaled->height()))
      << design->objectName().toStdString() << " " << scaled->width() << "x" << scaled->height();
  int compared = 0;
  for (QWidget* d : design->findChildren<QWidget*>()) {
    if (d->objectName().isEmpty() || d->objectName().startsWith("qt_")) continue;
    QWidget* s = scaled->findChild<QWidget*>(d->objectName());
    ASSERT_NE(s, nullptr) << d->objectName().toStdString();
    const bool sizesItself = qobject_cast<AutoLabel*>(d) != nullptr;
    const bool placed = (near(d->x(), s->x()) || sizesItself) && near(d->y(), s->y()) &&
                        (sizesItself || (near(d->width(), s->width()) && near(d->height(), s->height())));
    EXPECT_TRUE(placed) << d->objectName().toStdString() << " at " << s->x() << "," << s->y() << " " << s->width()
                        << "x" << s->height() << ", designed " << d->x() << "," << d->y() << " " << d->width() << "x"
                        << d->height();
    EXPECT_TRUE(near(d->font().pixelSize(), s->font().pixelSize())) << d->objectName().toStdString();
    ++compared;
  }
  EXPECT_GT(compared, 5);
}

// Waits for the window system to show the window.
void Exposed(QWidget& w) {
  for (int i = 0; i < 500 && !(w.windowHandle() && w.windowHandle()->isExposed()); ++i)
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
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
  void SetUp() override {
    QDir().mkpath(scratch.Path("data"));
    QDir().mkpath(scratch.Path("prog"));
    settings = "[Data Set]\r\nDataPath=" + scratch.Path("data/").toUtf8() + "\r\nProgramPath=" +
               scratch.Path("prog/").toUtf8() + "\r\n";
    tools::RecordSpec s = tools::TypedTest(2, 750, 60, 10, 300, 750, 3);
    s.inspectionNumber = 12;
    record = Put("0012060720140530.txt", s);
  }
  // A main window at the current scale with the record loaded.
  std::unique_ptr<Form1> Window() {
    auto window =
        std::make_unique<Form1>(desktop, SettingsLocation{scratch.Path("prog/"), scratch.Write("s.ini", settings)});
    window->Load();
    window->show();
    desktop.answers = {record};
    window->Command2->click();
    return window;
  }
  QByteArray settings;
  QString record;
};

}  // namespace

// The largest scale up to 1 at which a window and its frame fit the screen's free area.
TEST(LayoutScale, LargestThatFitsUpToTheDesign) {
  const QSize main = Form1::DesignSize(), tool = ToolForm::DesignSize();
  EXPECT_EQ(std::make_pair(main, tool), std::make_pair(QSize(1016, 713), QSize(358, 359)));
  const struct {
    QSize design;
    QRect available;
    double scale;
  } cases[] = {
      {main, {0, 0, 1920, 1040}, 1.0},                 // a desktop at 100 %
      {main, {0, 0, 1016 + 16, 713 + 39}, 1.0},        // exactly the window and its frame
      {main, {0, 0, 1016 + 16, 713 + 38}, 712.0 / 713},  // a pixel short
      {main, {0, 0, 1016 + 15, 713 + 39}, 1015.0 / 1016},
      {main, {0, 0, 1280, 688}, 649.0 / 713},   // 1920 x 1080 at 150 %, the taskbar below
      {main, {0, 0, 1093, 582}, 543.0 / 713},   // 1366 x 768 at 125 %
      {main, {0, 0, 960, 516}, 477.0 / 713},    // 1920 x 1080 at 200 %
      {tool, {0, 0, 683, 360}, 321.0 / 359},    // 1366 x 768 at 200 %
      {tool, {0, 0, 683, 398}, 1.0},
      {main, {100, 50, 200, 150}, 0.25},        // nothing readable below a quarter
  };
  for (const auto& c : cases)
    EXPECT_DOUBLE_EQ(FittingScale(c.design, c.available), c.scale) << c.available.width() << "x" << c.available.height();
}

// Smaller windows are the design scaled: every control, font and the graph.
TEST_F(ScreenFit, WindowsAtAScaleAreTheDesignScaled) {
  const std::unique_ptr<Form1> design = Window();
  const QRect drawn = Drawn(design->Picture1->Canvas());
  ASSERT_TRUE(drawn.width() > 900 && drawn.height() > 500) << "the axes reach the box's edges";
  ToolForm tool(desktop, SettingsLocation{QString(), scratch.Path("s.ini")});
  for (double scale : {0.75, 0.67}) {
    ScaleForTest at(scale);
    const std::unique_ptr<Form1> scaled = Window();
    ExpectScaledLayout(design.get(), scaled.get(), scale);
    const QRect got = Drawn(scaled->Picture1->Canvas());
    EXPECT_NEAR(got.left(), drawn.left() * scale, 2) << scale;
    EXPECT_NEAR(got.right(), drawn.right() * scale, 2) << scale;
    EXPECT_NEAR(got.bottom(), drawn.bottom() * scale, 2) << scale;
    EXPECT_NEAR(got.top(), drawn.top() * scale, 2) << scale;
    EXPECT_EQ(Clipped(scaled.get()), QStringList()) << scale;

    ToolForm smallTool(desktop, SettingsLocation{QString(), scratch.Path("s.ini")});
    ExpectScaledLayout(&tool, &smallTool, scale);
  }
}

// Every caption of the windows, and every message the download shows in the
// main window, is read whole: at the design and at the smallest usual scale.
TEST_F(ScreenFit, EveryTextFitsItsControl) {
  for (double scale : {1.0, 0.5}) {
    ScaleForTest at(scale);
    const std::unique_ptr<Form1> window = Window();
    EXPECT_EQ(Clipped(window.get()), QStringList()) << scale;
    window->SetPanelVisible(true);
    for (const QString& status : {QStringLiteral("データ読み込み中"), kNoData, kInterrupted, "1" + kRecordsRead,
                                  "99" + kRecordsRead, "999" + kRecordsRead}) {
      window->SetStatusText(status);
      window->SetStatusTextVisible(true);
      EXPECT_EQ(Clipped(window.get()), QStringList()) << scale;
    }
    window->SetStatusText(QStringLiteral("データ読み込み中"));
    EXPECT_EQ(window->Label3[19]->x(), std::lround(120 * scale)) << "a short text back at its place";

    ToolForm tool(desktop, SettingsLocation{QString(), scratch.Path("s.ini")});
    tool.Startup();
    EXPECT_EQ(Clipped(&tool), QStringList()) << scale;
    PrinterDialog printer(desktop, window->PrintAnswer, window.get());
    EXPECT_EQ(Clipped(&printer), QStringList()) << scale;
  }
}

// The printed page is the design's, whatever scale the window has on screen.
TEST_F(ScreenFit, PrintedPageIsTheSameAtAnyScale) {
  desktop.printers = {"Office"};
  QStringList pages;
  for (double scale : {1.0, 0.75}) {
    ScaleForTest at(scale);
    form = Window();
    const QString pdf = scratch.Path(QStringLiteral("page%1.pdf").arg(scale));
    desktop.answers = {pdf};
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      auto* dialog = form->findChild<PrinterDialog*>("frmPRT");
      if (!dialog || !dialog->isVisible()) return;
      poll.stop();
      emit dialog->Combo1->activated(dialog->Combo1->findText("PDFファイル"));
      dialog->Command1[0]->click();
    });
    poll.start(5);
    form->Command3->click();
    // Each word and its place on the page, to a point.
    const QString words = RunTool("pdftotext", {"-bbox", pdf, "-"});
    QStringList placed;
    const QRegularExpression word(R"re(<word xMin="([\d.]+)" yMin="([\d.]+)"[^>]*>([^<]*)</word>)re");
    for (auto m = word.globalMatch(words); m.hasNext();) {
      const auto w = m.next();
      placed << QStringLiteral("%1 %2 %3").arg(w.captured(3)).arg(std::round(w.captured(1).toDouble() / 2) * 2).arg(
                    std::round(w.captured(2).toDouble() / 2) * 2);
    }
    ASSERT_GT(placed.size(), 20) << words.toStdString();
    pages << placed.join('\n');
  }
  EXPECT_EQ(pages[1], pages[0]);
}

// On a real screen (an X server the test command starts, the screen size and
// Qt's scale factor set): the programs' own fitting puts each window wholly
// on the screen's free area.
TEST_F(ScreenFit, WindowsAreWhollyOnTheScreen) {
  if (QGuiApplication::platformName() == "offscreen") GTEST_SKIP() << "needs a real screen";
  const QRect free = QGuiApplication::primaryScreen()->availableGeometry();
  FitLayoutToScreen(Form1::DesignSize());
  const double mainScale = LayoutScale();
  ScaleForTest at(mainScale);
  const std::unique_ptr<Form1> window = Window();
  Exposed(*window);
  EXPECT_TRUE(free.contains(window->frameGeometry())) << window->frameGeometry().width() << "x"
                                                      << window->frameGeometry().height();
  EXPECT_EQ(Clipped(window.get()), QStringList());
  window->grab().save(qEnvironmentVariable("PTLOG_SCREEN_SHOT", scratch.Path("shot.png")));

  FitLayoutToScreen(ToolForm::DesignSize());
  ToolForm tool(desktop, SettingsLocation{QString(), scratch.Path("s.ini")});
  tool.show();
  Exposed(tool);
  EXPECT_TRUE(free.contains(tool.frameGeometry()));
  EXPECT_EQ(Clipped(&tool), QStringList());
}
