#include "link/LineMarks.h"

#include "link/SerialLine.h"

namespace ptlog {

LineMarkDecoder::Result LineMarkDecoder::Feed(const QByteArray& raw) {
  const QByteArray in = carry_ + raw;
  carry_.clear();
  Result out;
  qsizetype i = 0;
  while (i < in.size()) {
    const auto c = static_cast<unsigned char>(in[i]);
    if (c != 0xFF) {
      out.data += in[i++];
      continue;
    }
    if (i + 1 >= in.size()) break;
    if (static_cast<unsigned char>(in[i + 1]) == 0xFF) {
      out.data += in[i];
      i += 2;
      continue;
    }
    if (in[i + 1] != '\0') {  // not a mark: keep the byte as it came
      out.data += in[i++];
      continue;
    }
    if (i + 2 >= in.size()) break;
    out.events.push_back(in[i + 2] == '\0' ? CommEventBreak
                                           : (parityChecked_ ? CommEventRxParity : CommEventFrame));
    i += 3;
  }
  carry_ = in.mid(i);
  return out;
}

}  // namespace ptlog
