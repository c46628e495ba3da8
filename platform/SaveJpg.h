#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <memory>

class QLibrary;

namespace ptlog {

// The SaveJPG library, loaded at the first call from the first of its
// candidate files that loads (default: the program's folder, the installed
// private library folder, then by name).
class JpegLibrary {
public:
  explicit JpegLibrary(QStringList candidates = {});
  ~JpegLibrary();
  JpegLibrary(const JpegLibrary&) = delete;
  JpegLibrary& operator=(const JpegLibrary&) = delete;

  // Calls its SavetoJPEG. False when the library or its function is missing,
  // or when it did not write the JPEG.
  bool SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag);

private:
  using SavetoJpegFunction = int (*)(const char*, const char*, unsigned char, int);
  QStringList candidates_;
  bool tried_ = false;
  std::unique_ptr<QLibrary> library_;
  SavetoJpegFunction function_ = nullptr;
};

}  // namespace ptlog
