#include "platform/downloadname.h"

#include "platform/codepage.h"
#include "platform/files.h"

#include <QByteArray>
#include <QList>
#include <QStringDecoder>

namespace platform {

namespace {

bool isValidUtf8(QByteArrayView bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    return !decoder.hasError();
}

// Only "%" with two hex digits is an escape; "100%.txt" stays as it is.
QByteArray percentDecoded(QByteArrayView bytes)
{
    auto hex = [](char c) {
        if (c >= '0' && c <= '9')
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    };
    QByteArray result;
    result.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '%' && i + 2 < bytes.size() && hex(bytes[i + 1]) >= 0 && hex(bytes[i + 2]) >= 0) {
            result.append(char(hex(bytes[i + 1]) * 16 + hex(bytes[i + 2])));
            i += 2;
        } else {
            result.append(bytes[i]);
        }
    }
    return result;
}

// Only the last part of a path: a name must not lead out of the download folder. Both
// separators count, but only after decoding, since 0x5C is the second byte of many
// Shift_JIS characters.
QString lastPart(const QString &name)
{
    const qsizetype slash = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\'));
    return slash < 0 ? name : name.mid(slash + 1);
}

struct Parameter
{
    QByteArray name;  // lower case
    QByteArray value; // quotes and backslash escapes removed
};

// The parameters after the disposition type, quoted strings kept whole. shiftJis: 0x5C
// after a lead byte is the second byte of a character, no escape.
QList<Parameter> parameters(QByteArrayView header, bool shiftJis)
{
    QList<Parameter> result;
    qsizetype i = header.indexOf(';');
    if (i < 0)
        return result;
    ++i;
    const qsizetype size = header.size();
    while (i < size) {
        while (i < size && (header[i] == ' ' || header[i] == '\t' || header[i] == ';'))
            ++i;
        const qsizetype nameStart = i;
        while (i < size && header[i] != '=' && header[i] != ';')
            ++i;
        Parameter parameter;
        parameter.name = header.sliced(nameStart, i - nameStart).toByteArray().trimmed().toLower();
        if (i < size && header[i] == '=') {
            ++i;
            while (i < size && (header[i] == ' ' || header[i] == '\t'))
                ++i;
            if (i < size && header[i] == '"') {
                ++i;
                while (i < size && header[i] != '"') {
                    const auto byte = static_cast<unsigned char>(header[i]);
                    if (shiftJis && ansi::isLeadByte(byte) && i + 1 < size && header[i + 1] != '"') {
                        parameter.value.append(header[i]);
                        parameter.value.append(header[i + 1]);
                        i += 2;
                        continue;
                    }
                    if (header[i] == '\\' && i + 1 < size && (header[i + 1] == '"' || header[i + 1] == '\\'))
                        ++i;
                    parameter.value.append(header[i]);
                    ++i;
                }
                ++i; // the closing quote
            } else {
                const qsizetype valueStart = i;
                while (i < size && header[i] != ';')
                    ++i;
                parameter.value = header.sliced(valueStart, i - valueStart).toByteArray().trimmed();
            }
        }
        if (!parameter.name.isEmpty())
            result.append(parameter);
    }
    return result;
}

// charset'language'percent-encoded-value
QString extendedValue(const QByteArray &value)
{
    const qsizetype first = value.indexOf('\'');
    const qsizetype second = first < 0 ? -1 : value.indexOf('\'', first + 1);
    if (second < 0)
        return {};
    const QByteArray charset = value.left(first).trimmed().toLower();
    const QByteArray bytes = percentDecoded(value.mid(second + 1));
    if (charset == "utf-8") {
        if (!isValidUtf8(bytes))
            return {};
        return QString::fromUtf8(bytes);
    }
    if (charset == "shift_jis" || charset == "shift-jis" || charset == "sjis" || charset == "windows-31j"
        || charset == "cp932")
        return ansi::decode(bytes);
    if (charset == "iso-8859-1" || charset == "us-ascii")
        return QString::fromLatin1(bytes);
    return {};
}

QString cleaned(const QString &name)
{
    const QString trimmed = lastPart(name).trimmed();
    return trimmed.isEmpty() ? QString() : cleanFileName(trimmed);
}

} // namespace

QString decodeNameBytes(QByteArrayView bytes)
{
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes);
    return ansi::decode(bytes);
}

QString contentDispositionFileName(QByteArrayView header)
{
    // Read as UTF-8 first; bytes that are not UTF-8 are read again as Shift_JIS, whose
    // second bytes may be 0x5C.
    for (const bool shiftJis : {false, true}) {
        QByteArray plain;
        bool found = false;
        for (const Parameter &parameter : parameters(header, shiftJis)) {
            if (parameter.name == "filename*") {
                const QString name = lastPart(extendedValue(parameter.value)).trimmed();
                if (!name.isEmpty())
                    return name; // the extended form wins wherever it stands
            } else if (parameter.name == "filename" && !found) {
                // Sites send UTF-8 or Shift_JIS bytes here, raw or percent-encoded.
                const QByteArray &value = parameter.value;
                const bool encoded = value.contains('%') && percentDecoded(value) != value;
                plain = encoded ? percentDecoded(value) : value;
                found = true;
            }
        }
        if (found && (shiftJis || isValidUtf8(plain)))
            return lastPart(decodeNameBytes(plain)).trimmed();
        if (!found)
            return {};
    }
    return {};
}

QString repairedEngineName(const QString &name)
{
    // The engine reads raw bytes in a header as Latin-1; C1 controls betray it.
    bool latin1 = true;
    bool control = false;
    for (const QChar c : name) {
        latin1 = latin1 && c.unicode() <= 0xFF;
        control = control || (c.unicode() >= 0x80 && c.unicode() <= 0x9F);
    }
    if (latin1 && control)
        return decodeNameBytes(name.toLatin1());
    return name;
}

QString downloadFileName(QByteArrayView contentDisposition, const QUrl &url, const QString &engineName)
{
    QString name = cleaned(contentDispositionFileName(contentDisposition));
    if (name.isEmpty() && !engineName.contains(QChar::ReplacementCharacter))
        name = cleaned(repairedEngineName(engineName));
    if (name.isEmpty()) {
        const QByteArray path = url.path(QUrl::FullyEncoded).toLatin1();
        const QByteArray segment = path.mid(path.lastIndexOf('/') + 1);
        name = cleaned(decodeNameBytes(percentDecoded(segment)));
    }
    return name.isEmpty() ? cleanFileName(QString()) : name;
}

} // namespace platform
