#include "svg_document.h"

#include <QXmlStreamReader>

SvgDocument ReadSvg(const QByteArray& text)
{
    SvgDocument document;
    QXmlStreamReader reader(text);
    while (reader.readNext() != QXmlStreamReader::Invalid && !reader.atEnd()) {
        if (!reader.isStartElement())
            continue;
        const QXmlStreamAttributes attributes = reader.attributes();
        const auto name = reader.name();
        if (name == QStringLiteral("svg")) {
            document.viewBox = attributes.value(QStringLiteral("viewBox")).toString();
        } else if (name == QStringLiteral("rect") && document.background.isEmpty()) {
            document.background = attributes.value(QStringLiteral("fill")).toString();
        } else if (name == QStringLiteral("g")) {
            document.groupStyle = QStringList { attributes.value(QStringLiteral("fill")).toString(),
                attributes.value(QStringLiteral("stroke-linecap")).toString(),
                attributes.value(QStringLiteral("stroke-linejoin")).toString() }
                                      .join(QLatin1Char(' '));
        } else if (name == QStringLiteral("path")) {
            document.paths.push_back({ attributes.value(QStringLiteral("stroke")).toString(),
                attributes.value(QStringLiteral("stroke-width")).toString(),
                attributes.value(QStringLiteral("d"))
                    .toString()
                    .replace(QLatin1Char('\n'), QLatin1Char(' ')) });
        }
    }
    document.wellFormed = !reader.hasError();
    return document;
}
