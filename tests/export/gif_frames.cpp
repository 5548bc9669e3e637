#include "gif_frames.h"

#include <QImageReader>

DecodedGif DecodeGif(const QString& path)
{
    QImageReader reader(path, "gif");
    DecodedGif gif;
    gif.loopCount = reader.loopCount();
    const int count = reader.imageCount();
    QImage frame;
    while (static_cast<int>(gif.frames.size()) < count && reader.read(&frame)) {
        gif.frames.push_back(AsFrame(frame));
        gif.delaysMs.push_back(reader.nextImageDelay());
    }
    gif.readToEnd = count > 0 && static_cast<int>(gif.frames.size()) == count;
    return gif;
}

QImage AsFrame(const QImage& picture)
{
    return picture.convertToFormat(QImage::Format_RGB32);
}
