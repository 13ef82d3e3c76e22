#pragma once

#include <QString>
#include <QUrl>

namespace platform {

// A host name as the address box shows it. host may be in ASCII (punycode) or Unicode
// form. Its labels are shown in Unicode only when each passes the spoof checks: one
// script, or Latin with the Japanese scripts (Han, Hiragana, Katakana) or the other
// Han combinations; no label that reads as a Latin one (all-Cyrillic "аррӏе" for
// "apple"); no invisible or format characters; no mixed digit systems. Otherwise the
// whole host is shown in its xn-- form, so that no decoded part passes for the site's
// name. Plain ASCII hosts and IP addresses come back as they are.
QString displayHost(const QString &host);

// The address as the user should read it: QUrl::toDisplayString() (no password), with
// the host as displayHost() shows it and everything else as Qt shows it, except that
// bidirectional controls, zero-width and other invisible characters Qt decodes stay
// percent-encoded.
QString displayAddress(const QUrl &url);

// An address the browser reports, for the address box: as it is, where the user typed and
// the program keeps it, unless its host must be shown in its xn-- form; then as
// displayAddress() shows it. Text that is no address with a host stays as it is.
QString addressForBox(const QString &address);

} // namespace platform
