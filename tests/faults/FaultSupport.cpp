#include "FaultSupport.h"

#include <QDir>
#include <QFile>

#include <sys/mount.h>

namespace ptlog::test {

SmallFileSystem::SmallFileSystem(const QString& folder, int kilobytes) : folder_(folder) {
  QDir().mkpath(folder);
  const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k,mode=0755";
  mounted_ = ::mount("ptlog-test", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                     options.constData()) == 0;
}

SmallFileSystem::~SmallFileSystem() {
  if (mounted_) ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

bool SmallFileSystem::MakeReadOnly() {
  return mounted_ && ::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr,
                             MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
}

}  // namespace ptlog::test
