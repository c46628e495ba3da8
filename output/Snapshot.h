#pragma once

#include <QImage>
#include <QString>

namespace ptlog {

// Writes the work bitmap "Work.bmp" into the program folder, or into the
// user's cache folder when that cannot be written or no folder is given. The
// path written, or empty.
QString WriteWorkBitmap(const QImage& image, const QString& programPath);

}  // namespace ptlog
