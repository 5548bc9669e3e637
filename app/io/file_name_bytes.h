#pragma once

#include <QByteArray>
#include <QString>

namespace app {

// A file name's bytes as a QString and back, losing none: the system names a file by bytes, which
// need not be UTF-8, and QFile's own conversion turns every byte that is not into U+FFFD, so that
// a name given on the command line would name another file. Valid UTF-8 is decoded as such; each
// other byte (0x80 to 0xFF) becomes the lone low surrogate U+DC80 to U+DCFF, which valid UTF-8
// never decodes to, and becomes its byte again. For any other name, the same as QFile's.
QString FileNameFromBytes(const QByteArray& bytes);
QByteArray FileNameBytes(const QString& name);

} // namespace app
