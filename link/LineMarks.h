#pragma once

#include <QByteArray>
#include <vector>

namespace ptlog {

// Received bytes as the driver marks line errors in them: FF 00 00 is a
// break, FF 00 c a character c received with a framing or parity error, FF FF
// a data byte FF. A mark cut at the end of one read is finished by the next.
class LineMarkDecoder {
public:
  struct Result {
    QByteArray data;
    std::vector<int> events;  // CommEvent codes, in order
  };
  // With parity checking off, a marked character can only be a framing error.
  explicit LineMarkDecoder(bool parityChecked = false) : parityChecked_(parityChecked) {}
  Result Feed(const QByteArray& raw);

private:
  bool parityChecked_;
  QByteArray carry_;
};

}  // namespace ptlog
