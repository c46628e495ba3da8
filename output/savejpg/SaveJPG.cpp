// The bitmap-to-JPEG converter the snapshot calls, as a library of its own,
// loaded by name at its first use.
//   int SavetoJPEG(const char* bmpPath, const char* jpgPath, unsigned char quality, int replace)
// Paths are in the file system's encoding. `quality` is in percent; a
// non-zero `replace` lets it overwrite an existing JPEG. Returns 1 when the
// JPEG was written, 0 otherwise.
#include <QFile>
#include <QImage>
#include <QSaveFile>

#include <jpeglib.h>
#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>

namespace {

struct ErrorExit {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

// Full colour resolution (4:4:4): the graph's one-pixel coloured lines keep
// their colour, which 4:2:0 subsampling would darken.
QByteArray EncodeJpeg(const QImage& source, int quality) {
  const QImage image = source.convertToFormat(QImage::Format_RGB888);
  jpeg_compress_struct cinfo{};
  ErrorExit error{};
  cinfo.err = jpeg_std_error(&error.manager);
  error.manager.error_exit = [](j_common_ptr c) {
    std::longjmp(reinterpret_cast<ErrorExit*>(c->err)->jump, 1);
  };
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  if (setjmp(error.jump)) {
    jpeg_destroy_compress(&cinfo);
    std::free(buffer);
    return {};
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = JDIMENSION(image.width());
  cinfo.image_height = JDIMENSION(image.height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  for (int c = 0; c < cinfo.num_components; ++c) {
    cinfo.comp_info[c].h_samp_factor = 1;
    cinfo.comp_info[c].v_samp_factor = 1;
  }
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(image.constScanLine(int(cinfo.next_scanline)));
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  QByteArray jpeg(reinterpret_cast<const char*>(buffer), qsizetype(size));
  std::free(buffer);
  return jpeg;
}

}  // namespace

extern "C" Q_DECL_EXPORT int SavetoJPEG(const char* bmpPath, const char* jpgPath, unsigned char quality,
                                        int replace) {
  if (!bmpPath || !jpgPath) return 0;
  QImage image;
  if (!image.load(QFile::decodeName(bmpPath), "BMP") || image.isNull()) return 0;
  const QString jpg = QFile::decodeName(jpgPath);
  if (!replace && QFile::exists(jpg)) return 0;
  const QByteArray jpeg = EncodeJpeg(image, std::clamp<int>(quality, 1, 100));
  if (jpeg.isEmpty()) return 0;
  // Unbuffered: a buffered write that fails only at commit (a full disk)
  // would still be committed, as an empty file.
  QSaveFile out(jpg);
  if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return 0;
  if (out.write(jpeg) != jpeg.size()) {
    out.cancelWriting();
    return 0;
  }
  return out.commit() ? 1 : 0;
}
