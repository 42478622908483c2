#pragma once

#include <QString>

class QImage;

namespace reports {

// Writes the picture as a single-image, non-interlaced GIF87a file with a 256-entry colour
// table and the program's own LZW encoder. False, and no file written, when the picture
// is empty, wider or higher than 65535 pixels, has fewer than 8 bits a pixel, or the file
// cannot be written.
bool SaveGIF(const QImage &picture, const QString &fileName);

} // namespace reports
