#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <optional>

namespace platform {

// The charset parameter of a Content-Type header value, lower case; "" when none.
QByteArray charsetFromContentType(QByteArrayView contentType);

// The charset a <meta charset> or <meta http-equiv content="...charset=..."> names in the
// first 4 KiB of an HTML body, lower case; "" when none.
QByteArray charsetFromMeta(QByteArrayView body);

// A downloaded body as text. The first rule that gives a charset the system knows wins:
// the header's charset, a byte-order mark, a meta charset, UTF-8 when the bytes are valid
// UTF-8, else CP932.
QString decodeBody(const QByteArray &body, QByteArrayView contentType);

// The bytes behind text that an engine read byte by byte as Latin-1 (Chromium 102) or
// windows-1252 (Chromium 122): header values, download names. nullopt when a character
// can be neither.
std::optional<QByteArray> bytesReadAsWestern(QStringView text);

// A header value as the server meant it (a sign-in realm, say): the engine reads its bytes
// as Latin-1 or windows-1252, so UTF-8 and the Shift_JIS of older Japanese devices arrive
// garbled. Other text is returned as it is.
QString headerText(const QString &engineText);

} // namespace platform
