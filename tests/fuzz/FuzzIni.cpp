// Any bytes as a settings file: reads never fail, and a write followed by a
// read gives back the value written while every other line stays.
#include "settings/IniFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
  ptlog::IniText ini(bytes);
  for (const char* section : {"Port Set", "Data Set", "Display Set"})
    for (const char* key : {"CommPort", "DataPath", "Model", "Details"}) ini.Value(section, key);

  ini.SetValue("Display Set", "Model", "\x90\x85\x88\xB3");
  const auto model = ini.Value("Display Set", "Model");
  if (!model || *model != "\x90\x85\x88\xB3") std::abort();
  ini.SetValue("Port Set", "CommPort", "7");
  const auto port = ini.Value("Port Set", "CommPort");
  if (!port || *port != "7") std::abort();
  // The first write must not have been undone by the second.
  if (ini.Value("Display Set", "Model") != model) std::abort();
  return 0;
}
