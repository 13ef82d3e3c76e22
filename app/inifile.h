#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <optional>

// The private-profile format in memory: sections in square brackets, "key=value" lines,
// names matched without regard to letter case. Lines are kept as the bytes they were read
// as, so a change touches exactly one line and nothing else of a hand-edited or damaged
// file is lost. Names are compared as CP932 text; values stay bytes.
class IniDocument
{
public:
    explicit IniDocument(QByteArrayView bytes = {});

    // The value bytes of the first matching key in the sections of that name, in file
    // order; spaces and tabs around the value are not part of it.
    std::optional<QByteArray> value(QStringView section, QStringView key) const;

    // Replaces the first matching key line in place; otherwise adds the key at the end of
    // the first section of that name, or the section and the key at the end of the file.
    void setValue(QStringView section, QStringView key, QByteArrayView valueBytes);

    // The whole file with CR LF after every line.
    QByteArray toBytes() const;

private:
    enum class Kind { Other, Section, Key };
    struct Line
    {
        QByteArray raw; // without its line end
        Kind kind = Kind::Other;
        QString name;     // section or key name, trimmed
        QByteArray value; // for keys: the trimmed value bytes
    };

    static Line parse(QByteArray raw);
    static Line keyLine(QStringView key, QByteArrayView valueBytes);

    QList<Line> m_lines;
};
