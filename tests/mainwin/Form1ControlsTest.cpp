#include "Form1Fixture.h"

#include <QApplication>
#include <QFontInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTimer>

using namespace ptlog;
using ptlog::test::Form1Fixture;
using ptlog::test::RunUntil;

namespace {

using Controls = Form1Fixture;

TEST_F(Controls, JapaneseCaptionsHaveAMinchoFaceWithGlyphs) {
  Form1& f = Start(QByteArray());
  const QFontInfo caption(f.Label3[0]->font());
  EXPECT_TRUE(caption.family().contains("IPAMincho") || caption.family().contains("IPA明朝"))
      << caption.family().toStdString();
  EXPECT_TRUE(QFontMetrics(f.Label3[0]->font()).inFontUcs4(0x691C)) << "検 has a glyph";
}

TEST_F(Controls, TabOrderSkipsOptionsScrollBarsAndTheStrip) {
  Form1& f = Start(QByteArray());
  f.Frame2->show();
  f.Command7->show();
  QStringList order;
  QWidget* w = f.Text1[0];
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisibleTo(&f) && w->window() == &f)
      order << w->objectName();
    w = w->nextInFocusChain();
  } while (w != f.Text1[0]);
  EXPECT_EQ(order, (QStringList{"Text1(0)", "Text1(1)", "Text1(2)", "Command1", "Command2", "Command5",
                                "Command6", "Command3", "Command99", "Picture1", "Check1", "Command7"}));
}

TEST_F(Controls, OptionPairsAreSeparateGroupsAndDetailsToggles) {
  Form1& f = Start("[Display Set]\r\nDetails=2\r\n");
  f.Option2[1]->click();
  f.Option1[1]->click();
  EXPECT_EQ(std::make_pair(f.Option2[0]->isChecked(), f.Option1[0]->isChecked()), std::make_pair(false, false));
  EXPECT_TRUE(f.Option2[1]->isChecked());
  f.Check1->click();
  EXPECT_EQ(f.Check1->Value(), 1) << "grey becomes checked";
  f.Check1->click();
  EXPECT_EQ(f.Check1->Value(), 0);
}

TEST_F(Controls, EntryFieldKeysMoveTheFocus) {
  Form1& f = Start(QByteArray());
  f.show();
  f.activateWindow();
  ASSERT_TRUE(RunUntil([&] { return f.isActiveWindow(); }));
  struct Case {
    int from;
    int key;
    Qt::KeyboardModifiers mods;
    int to;
  } cases[] = {
      {0, Qt::Key_Return, Qt::NoModifier, 1},      {1, Qt::Key_Enter, Qt::NoModifier, 2},
      {2, Qt::Key_Return, Qt::NoModifier, 2},      {0, Qt::Key_Down, Qt::NoModifier, 1},
      {1, Qt::Key_Down, Qt::ShiftModifier, 2},     {2, Qt::Key_Down, Qt::NoModifier, 2},
      {2, Qt::Key_Up, Qt::NoModifier, 1},          {0, Qt::Key_Up, Qt::NoModifier, 0},
      {2, Qt::Key_Escape, Qt::ControlModifier, 0}, {1, Qt::Key_Escape, Qt::NoModifier, 0},
      {1, Qt::Key_A, Qt::NoModifier, 1},
  };
  for (const Case& c : cases) {
    f.Text1[c.from]->setFocus();
    QKeyEvent press(QEvent::KeyPress, c.key, c.mods, c.key == Qt::Key_A ? "a" : QString());
    QApplication::sendEvent(f.Text1[c.from], &press);
    EXPECT_EQ(f.focusWidget(), f.Text1[c.to]) << c.from << " key " << c.key;
  }
  EXPECT_EQ(f.Text1[1]->text(), "a") << "keys still reach the field";
}

TEST_F(Controls, OkHidesThePanelAndTheTimerBlinksTheStatusWhileCounting) {
  Form1& f = Start(QByteArray(), 2);
  f.Frame2->show();
  f.Command7->show();
  f.Command7->click();
  EXPECT_TRUE(f.Command7->isHidden() && f.Frame2->isHidden());

  f.Clock().TickCount = 4;
  int toggles = 0;
  bool hidden = f.Label3[19]->isHidden();
  ASSERT_TRUE(RunUntil([&] {
    if (f.Label3[19]->isHidden() != hidden) {
      hidden = !hidden;
      ++toggles;
    }
    return f.Clock().TickCount == 0;
  }));
  EXPECT_GE(toggles, 1);
  RunUntil([&] { return false; }, 20);
  EXPECT_EQ(f.Clock().TickCount, 0) << "never below zero";
}

}  // namespace
