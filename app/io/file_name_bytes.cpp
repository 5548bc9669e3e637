#include "app/io/file_name_bytes.h"

#include <QStringView>

namespace app {

namespace {

constexpr char16_t EscapedByteBase = 0xDC00;

// The length of the valid UTF-8 sequence at `at`, or 0 where none starts there.
qsizetype Utf8SequenceAt(const QByteArray& bytes, qsizetype at)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = byte(at);
    if (lead < 0x80)
        return 1;
    qsizetype length = 0;
    unsigned char low = 0x80; // the bounds of the second byte, which rule out overlong forms,
    unsigned char high = 0xBF; // surrogates and code points beyond U+10FFFF
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (at + length > bytes.size())
        return 0;
    if (byte(at + 1) < low || byte(at + 1) > high)
        return 0;
    for (qsizetype i = 2; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}

bool IsEscapedByte(QChar c)
{
    return c.unicode() >= EscapedByteBase + 0x80 && c.unicode() <= EscapedByteBase + 0xFF;
}

} // namespace

QString FileNameFromBytes(const QByteArray& bytes)
{
    QString name;
    qsizetype runStart = 0; // where the valid UTF-8 not yet decoded starts
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = Utf8SequenceAt(bytes, at);
        if (length > 0) {
            at += length;
            continue;
        }
        name += QString::fromUtf8(bytes.constData() + runStart, at - runStart);
        name += QChar(
            static_cast<char16_t>(EscapedByteBase + static_cast<unsigned char>(bytes[at])));
        runStart = ++at;
    }
    return name + QString::fromUtf8(bytes.constData() + runStart, bytes.size() - runStart);
}

QByteArray FileNameBytes(const QString& name)
{
    QByteArray bytes;
    qsizetype runStart = 0; // where the characters not yet encoded start
    for (qsizetype at = 0; at < name.size(); ++at) {
        // A low surrogate after a high one is half of a pair, never an escaped byte.
        if (!IsEscapedByte(name[at]) || (at > 0 && name[at - 1].isHighSurrogate()))
            continue;
        bytes += QStringView(name).mid(runStart, at - runStart).toUtf8();
        bytes += static_cast<char>(name[at].unicode() - EscapedByteBase);
        runStart = at + 1;
    }
    return bytes + QStringView(name).mid(runStart).toUtf8();
}

} // namespace app
