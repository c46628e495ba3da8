// Any bytes from the line, in any split into reads: the decoded data and
// events do not depend on where the reads were cut.
#include "link/LineMarks.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  const size_t cut = data[0] % size;
  const QByteArray bytes(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  ptlog::LineMarkDecoder whole(data[0] & 1), split(data[0] & 1);
  const auto all = whole.Feed(bytes);
  auto first = split.Feed(bytes.left(qsizetype(cut)));
  const auto second = split.Feed(bytes.mid(qsizetype(cut)));
  first.data += second.data;
  first.events.insert(first.events.end(), second.events.begin(), second.events.end());
  if (first.data != all.data || first.events != all.events) std::abort();
  return 0;
}
