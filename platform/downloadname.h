#pragma once

#include <QByteArrayView>
#include <QString>
#include <QUrl>

namespace platform {

// Bytes of a file name as text: UTF-8 when they are valid UTF-8, else CP932 (what
// Japanese servers send without saying so).
QString decodeNameBytes(QByteArrayView bytes);

// The file name a Content-Disposition header value asks for, decoded: filename* in the
// RFC 5987 form (UTF-8 or Shift_JIS), else filename= quoted or bare, percent-encoded or
// raw bytes. Any folder part is dropped. "" when the value names no file.
QString contentDispositionFileName(QByteArrayView header);

// The engine's suggested name with raw header bytes it read as Latin-1 decoded again.
QString repairedEngineName(const QString &name);

// The name a download is saved under, safe as a file name in the download folder: the
// header's name when the header is known, else the engine's suggestion (repaired), else
// the address's last path segment percent-decoded, else "無題".
QString downloadFileName(QByteArrayView contentDisposition, const QUrl &url, const QString &engineName);

} // namespace platform
