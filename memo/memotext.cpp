#include "memo/memotext.h"

#include "platform/codepage.h"

#include <QLocale>
#include <QStringDecoder>
#include <QStringEncoder>

using namespace Qt::StringLiterals;

namespace memo {

namespace {

bool isAscii(QByteArrayView bytes)
{
    for (const char byte : bytes) {
        if (static_cast<unsigned char>(byte) >= 0x80)
            return false;
    }
    return true;
}

bool startsWord(QChar previous)
{
    switch (previous.unicode()) {
    case 0x00:
    case 0x09:
    case 0x0A:
    case 0x0B:
    case 0x0C:
    case 0x0D:
    case 0x20:
    case 0x3000:
        return true;
    default:
        return false;
    }
}

} // namespace

LoadedText decodeFile(QByteArrayView bytes)
{
    LoadedText loaded;
    if (!isAscii(bytes)) {
        QStringDecoder utf8(QStringConverter::Utf8,
                            QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
        QString text = utf8.decode(bytes);
        if (!utf8.hasError()) {
            loaded.text = std::move(text);
            loaded.format.encoding = TextEncoding::Utf8;
        }
    }
    if (loaded.format.encoding == TextEncoding::Cp932)
        loaded.text = ansi::decode(bytes);

    QString &text = loaded.text;
    if (text.contains(u"\r\n")) {
        text.replace(u"\r\n"_s, u"\n"_s);
    } else if (text.contains(u'\n')) {
        loaded.format.lineEnd = LineEnd::Lf;
    }
    if (text.endsWith(u'\n'))
        text.chop(1);
    return loaded;
}

QByteArray encodeFile(QStringView text, const FileFormat &format)
{
    QString whole = text.toString();
    if (format.lineEnd == LineEnd::CrLf)
        whole.replace(u"\n"_s, u"\r\n"_s);
    whole += format.lineEnd == LineEnd::CrLf ? u"\r\n"_s : u"\n"_s;
    if (format.encoding == TextEncoding::Cp932 && ansi::holds(whole))
        return ansi::encode(whole);
    return whole.toUtf8();
}

QString capitalizeWords(QStringView text)
{
    QString result;
    result.reserve(text.size());
    bool atWordStart = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        // Letters outside the basic plane are left alone; no case pair lives there that a
        // memo needs, and splitting a surrogate pair would break the character.
        if (c.isSurrogate())
            result += c;
        else
            result += atWordStart ? c.toUpper() : c.toLower();
        atWordStart = startsWord(c);
    }
    return result;
}

QString dateStamp(const QDateTime &when)
{
    return u"[ "_s + QLocale::system().toString(when, QLocale::ShortFormat) + u" ]\r\n"_s;
}

} // namespace memo
