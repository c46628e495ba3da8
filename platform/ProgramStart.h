#pragma once

#include <optional>

class QApplication;

namespace ptlog {

struct ProgramInfo {
  const char* command;  // kestra-ptlog
  const char* summary;  // one line: what the program is for
};

// What happens before any window: "--help" and "--version" alone are
// answered on standard output, and a missing display is said in one line.
// A value is the exit code when the program ends here; every other
// command line stays a settings file path.
std::optional<int> AnswerBeforeWindows(int argc, char** argv, const ProgramInfo& info);

// Standard dialogs (file dialogs, Yes/No buttons) in Japanese, like the rest
// of the interface, whatever the system's language.
void LoadJapaneseTranslation(QApplication& app);

}  // namespace ptlog
