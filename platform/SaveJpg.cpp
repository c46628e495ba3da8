#include "platform/SaveJpg.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>

namespace ptlog {

JpegLibrary::JpegLibrary(QStringList candidates) : candidates_(std::move(candidates)) {}
JpegLibrary::~JpegLibrary() = default;

bool JpegLibrary::SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag) {
  if (!tried_) {
    tried_ = true;
    const QString folder = QCoreApplication::applicationDirPath();
    const QStringList candidates =
        !candidates_.isEmpty()
            ? candidates_
            : QStringList{folder + QStringLiteral("/SaveJPG"),
                          // Installed: the private library folder beside bin/.
                          folder + QStringLiteral("/" PTLOG_PRIVATE_LIBDIR_FROM_BIN "/SaveJPG"),
                          QStringLiteral("SaveJPG")};
    for (const QString& name : candidates) {
      auto library = std::make_unique<QLibrary>(name);
      if (!library->load()) continue;
      function_ = reinterpret_cast<SavetoJpegFunction>(library->resolve("SavetoJPEG"));
      library_ = std::move(library);
      break;
    }
  }
  if (!function_) return false;
  return function_(QFile::encodeName(bmpPath).constData(), QFile::encodeName(jpgPath).constData(), quality,
                   flag) != 0;
}

}  // namespace ptlog
