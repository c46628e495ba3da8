#pragma once

#include <QImage>
#include <QString>

namespace ptlog {

// The record's path up to its name's first dot, then "jpg" (".jpg" when the
// name has no dot).
QString DefaultJpegPath(const QString& recordPath);

// Writes the work bitmap "Work.bmp" into the program folder, or into the
// user's cache folder when that cannot be written. The path written, or empty.
QString WriteWorkBitmap(const QImage& image, const QString& programPath);

}  // namespace ptlog
