#include "platform/ProgramEnd.h"

#include <QCoreApplication>

namespace ptlog {

namespace {
bool ending = false;
std::function<void()>& Ender() {
  static std::function<void()> ender;
  return ender;
}
}  // namespace

void EndProgram() {
  ending = true;
  if (Ender())
    Ender()();
  else
    QCoreApplication::exit(0);
}

bool ProgramEnding() { return ending; }

void SetProgramEnder(std::function<void()> ender) { Ender() = std::move(ender); }
void ResetProgramEnding() { ending = false; }

}  // namespace ptlog
