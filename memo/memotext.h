#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>
#include <QStringView>

// How the memo pad reads and writes its files, and the text rules of its commands. The
// memo text here separates lines with "\n", as the editor does.
namespace memo {

// The largest file the memo pad opens: a text a person edits, not a disk image.
constexpr qint64 kMaxFileBytes = 128LL * 1024 * 1024;

enum class TextEncoding { Cp932, Utf8 };
enum class LineEnd { CrLf, Lf };

// What a loaded file looked like, so that saving it writes the same bytes back.
struct FileFormat
{
    TextEncoding encoding = TextEncoding::Cp932;
    LineEnd lineEnd = LineEnd::CrLf;

    bool operator==(const FileFormat &) const = default;
};

struct LoadedText
{
    QString text;
    FileFormat format;
};

// Valid UTF-8 that is not plain ASCII is UTF-8 (a byte-order mark is kept in the text),
// anything else CP932. Files with only LF line ends keep them. The one line end that every
// save adds is taken off again, so a load and a save leave a file as it was.
LoadedText decodeFile(QByteArrayView bytes);

// The memo text followed by one line end. Text that CP932 cannot hold is written as UTF-8
// instead of losing characters to "?".
QByteArray encodeFile(QStringView text, const FileFormat &format);

// Upper case for the first letter of every word, lower case for every other letter. Only
// control blanks, the space and the full-width space start a word; punctuation does not.
QString capitalizeWords(QStringView text);

// "[ " + the date and time in the system's format + " ]" + CR LF.
QString dateStamp(const QDateTime &when);

} // namespace memo
