#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

// What the tests read back from an SVG document.
struct SvgPath {
    QString stroke;
    QString strokeWidth;
    QString data; // the d attribute, line breaks read as blanks
};

struct SvgDocument {
    bool wellFormed = false;
    QString viewBox;
    QString background; // fill of the first rect
    QString groupStyle; // fill, stroke-linecap and stroke-linejoin of the group, blank-separated
    std::vector<SvgPath> paths;
};

// Parses the document with QXmlStreamReader; wellFormed is false on any XML error.
SvgDocument ReadSvg(const QByteArray& text);
