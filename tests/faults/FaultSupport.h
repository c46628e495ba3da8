#pragma once

#include <QString>

namespace ptlog::test {

// A small file system of its own (tmpfs) mounted on a folder, so it can run
// full or turn read-only under a running program. Needs the right to mount;
// tests skip where it is refused.
class SmallFileSystem {
public:
  SmallFileSystem(const QString& folder, int kilobytes);
  ~SmallFileSystem();
  SmallFileSystem(const SmallFileSystem&) = delete;
  SmallFileSystem& operator=(const SmallFileSystem&) = delete;

  bool Mounted() const { return mounted_; }
  bool MakeReadOnly();

private:
  QString folder_;
  bool mounted_ = false;
};

}  // namespace ptlog::test
