#pragma once

#include <QString>
#include <QtGlobal>

namespace ptlog {

// Calls SavetoJPEG of the SaveJPG library, loaded at the first call (from the
// program's folder, else by name). False when the library or its function is
// missing, or when it did not write the JPEG.
bool SavetoJPEG(const QString& bmpPath, const QString& jpgPath, quint8 quality, qint32 flag);

// Tests: load another file (or none) at the next call.
void SetSaveJpgLibrary(const QString& path);

}  // namespace ptlog
