#include "platform/codepage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace ansi {

namespace {
constexpr const char *kCodePage = "CP932";
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(kCodePage, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    // A lead byte at the very end has no partner; keep it visible as SUB like any other
    // byte the code page does not know.
    if (!bytes.isEmpty() && isLeadByte(static_cast<unsigned char>(bytes.back()))) {
        const qsizetype complete = cut(bytes, bytes.size()).size();
        if (complete < bytes.size())
            text += QChar(0x1A);
    }
    return text;
}

QByteArray encode(QStringView text)
{
    QStringEncoder encoder(kCodePage, QStringEncoder::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;

    // ICU substitutes its own code for characters outside the code page; the system
    // converter we replace writes "?", which is what readers of these files expect.
    bytes.clear();
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype width =
            (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) ? 2 : 1;
        QStringEncoder single(kCodePage, QStringEncoder::Flag::Stateless);
        const QByteArray one = single.encode(text.mid(i, width));
        bytes += single.hasError() ? QByteArray("?") : one;
        i += width;
    }
    return bytes;
}

QByteArray cut(QByteArrayView bytes, qsizetype maxBytes)
{
    if (maxBytes <= 0)
        return {};
    qsizetype i = 0;
    while (i < bytes.size()) {
        const qsizetype width = isLeadByte(static_cast<unsigned char>(bytes[i])) ? 2 : 1;
        if (i + width > maxBytes || i + width > bytes.size())
            break;
        i += width;
    }
    return bytes.first(i).toByteArray();
}

bool holds(QStringView text)
{
    return decode(encode(text)) == text;
}

} // namespace ansi
