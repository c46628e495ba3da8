#pragma once

#include <functional>

namespace ptlog {

// Ends the program at once, abandoning whatever is in progress. Waits that
// process events check ProgramEnding() and give up.
void EndProgram();
bool ProgramEnding();

// Tests run the windows in-process and replace the ending.
void SetProgramEnder(std::function<void()> ender);
void ResetProgramEnding();

}  // namespace ptlog
