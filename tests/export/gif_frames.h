#pragma once

#include <QImage>
#include <QString>

#include <vector>

// An animated GIF as Qt's GIF reader decodes it: each frame whole (laid over the frames before
// as their disposal says), in 32-bit RGB, with the delay after it.
struct DecodedGif {
    std::vector<QImage> frames;
    std::vector<int> delaysMs;
    int loopCount = 0; // -1 for a GIF that loops forever
    bool readToEnd = false; // no decoding error
};

DecodedGif DecodeGif(const QString& path);

// The picture as the frames are kept, for comparing with one.
QImage AsFrame(const QImage& picture);
