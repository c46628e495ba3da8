#include "platform/SaveJpg.h"

#include <QCoreApplication>
#include <QFile>
#include <QLibrary>
#include <memory>

namespace ptlog {

namespace {
using SavetoJpegFunction = int (*)(const char*, const char*, unsigned char, int);

struct Loaded {
  bool tried = false;
  QString path;  // empty: the default places
  std::unique_ptr<QLibrary> library;
  SavetoJpegFunction function = nullptr;
};

Loaded& Converter() {
  static Loaded loaded;
  return loaded;
}

SavetoJpegFunction Resolve() {
  Loaded& c = Converter();
  if (c.tried) return c.function;
  c.tried = true;
  const QStringList candidates =
      c.path.isEmpty() ? QStringList{QCoreApplication::applicationDirPath() + QStringLiteral("/SaveJPG"),
                                     // Installed: the private library folder beside bin/.
                                     QCoreApplication::applicationDirPath() +
                                         QStringLiteral("/" PTLOG_PRIVATE_LIBDIR_FROM_BIN "/SaveJPG"),
                                     QStringLiteral("SaveJPG")}
                       : QStringList{c.path};
  for (const QString& name : candidates) {
    auto library = std::make_unique<QLibrary>(name);
    if (!library->load()) continue;
    c.function = reinterpret_cast<SavetoJpegFunction>(library->resolve("SavetoJPEG"));
    c.library = std::move(library);
    break;
  }
  return c.function;
}
}  // namespace

bool SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag) {
  const SavetoJpegFunction convert = Resolve();
  if (!convert) return false;
  return convert(QFile::encodeName(bmpPath).constData(), QFile::encodeName(jpgPath).constData(), quality,
                 flag) != 0;
}

void SetSaveJpgLibrary(const QString& path) {
  Loaded& c = Converter();
  c.function = nullptr;
  c.library.reset();
  c.tried = false;
  c.path = path;
}

}  // namespace ptlog
