#pragma once

// What the tests of the two windows share: the programs' windows, the
// widgets they poke at, the fake desktop, and running the event loop.
#include "FakeDesktop.h"
#include "TestSupport.h"
#include "mainwin/Form1.h"
#include "tool/ToolForm.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

namespace ptlog::test {

// Runs the event loop until `done` holds; the limit only keeps a broken
// build from hanging the suite.
template <typename Pred>
bool RunUntil(Pred done, int limitMs = 10000) {
  QElapsedTimer t;
  t.start();
  while (!done() && t.elapsed() < limitMs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
  return done();
}

}  // namespace ptlog::test
