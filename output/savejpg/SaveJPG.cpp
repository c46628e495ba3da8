// The bitmap-to-JPEG converter the snapshot calls, as a library of its own,
// loaded by name at its first use.
//   int SavetoJPEG(const char* bmpPath, const char* jpgPath, unsigned char quality, int replace)
// Paths are in the file system's encoding. `quality` is in percent; a
// non-zero `replace` lets it overwrite an existing JPEG. Returns 1 when the
// JPEG was written, 0 otherwise.
#include <QFile>
#include <QImage>
#include <QSaveFile>

extern "C" Q_DECL_EXPORT int SavetoJPEG(const char* bmpPath, const char* jpgPath,
                                        unsigned char quality, int replace) {
  if (!bmpPath || !jpgPath) return 0;
  QImage image;
  if (!image.load(QFile::decodeName(bmpPath), "BMP")) return 0;
  const QString jpg = QFile::decodeName(jpgPath);
  if (!replace && QFile::exists(jpg)) return 0;
  // Unbuffered: a buffered write that fails only at commit (a full disk)
  // would still be committed, as an empty file.
  QSaveFile out(jpg);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return 0;
  if (!image.save(&out, "JPG", std::min<int>(quality, 100))) {
    out.cancelWriting();
    return 0;
  }
  return out.commit() ? 1 : 0;
}
