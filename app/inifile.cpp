#include "app/inifile.h"

#include "platform/codepage.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Space and tab never occur inside a double-byte CP932 character (trail bytes start at
// 0x40), so trimming bytes cannot split one.
QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlank(bytes[begin]))
        ++begin;
    while (end > begin && isBlank(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

bool sameName(QStringView a, QStringView b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument::IniDocument(QByteArrayView bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        const bool lastLine = end < 0;
        if (lastLine)
            end = bytes.size();
        QByteArrayView line = bytes.sliced(start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        m_lines.append(parse(line.toByteArray()));
        start = end + 1;
    }
}

IniDocument::Line IniDocument::parse(QByteArray raw)
{
    Line line;
    line.raw = std::move(raw);
    const QByteArrayView content = trimmed(line.raw);
    if (content.startsWith('[')) {
        // "]" may be the trail byte of a double-byte character, so look for it in text.
        const QString text = ansi::decode(content.sliced(1));
        const qsizetype close = text.indexOf(u']');
        if (close >= 0) {
            line.kind = Kind::Section;
            line.name = text.left(close).trimmed();
        }
        return line;
    }
    // "=" (0x3D) is neither a lead nor a trail byte, so the first one in the bytes is the
    // first one in the text.
    const qsizetype equals = content.indexOf('=');
    if (equals > 0) {
        const QString name = ansi::decode(trimmed(content.first(equals)));
        if (!name.isEmpty()) {
            line.kind = Kind::Key;
            line.name = name;
            line.value = trimmed(content.sliced(equals + 1)).toByteArray();
        }
    }
    return line;
}

IniDocument::Line IniDocument::keyLine(QStringView key, QByteArrayView valueBytes)
{
    QByteArray raw = ansi::encode(key);
    raw += '=';
    raw += valueBytes;
    return parse(raw);
}

std::optional<QByteArray> IniDocument::value(QStringView section, QStringView key) const
{
    bool inSection = false;
    for (const Line &line : m_lines) {
        if (line.kind == Kind::Section)
            inSection = sameName(line.name, section);
        else if (inSection && line.kind == Kind::Key && sameName(line.name, key))
            return line.value;
    }
    return std::nullopt;
}

void IniDocument::setValue(QStringView section, QStringView key, QByteArrayView valueBytes)
{
    bool inSection = false;
    qsizetype firstSectionEnd = -1; // index after the last non-blank line of the first match
    bool firstSectionOpen = false;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const Line &line = m_lines[i];
        if (line.kind == Kind::Section) {
            inSection = sameName(line.name, section);
            if (firstSectionOpen)
                firstSectionOpen = false;
            if (inSection && firstSectionEnd < 0) {
                firstSectionEnd = i + 1;
                firstSectionOpen = true;
            }
            continue;
        }
        if (!inSection)
            continue;
        if (line.kind == Kind::Key && sameName(line.name, key)) {
            m_lines[i] = keyLine(key, valueBytes);
            return;
        }
        if (firstSectionOpen && !trimmed(line.raw).isEmpty())
            firstSectionEnd = i + 1;
    }

    if (firstSectionEnd >= 0) {
        m_lines.insert(firstSectionEnd, keyLine(key, valueBytes));
        return;
    }
    QByteArray header = "[";
    header += ansi::encode(section);
    header += ']';
    m_lines.append(parse(header));
    m_lines.append(keyLine(key, valueBytes));
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines) {
        bytes += line.raw;
        bytes += "\r\n";
    }
    return bytes;
}
