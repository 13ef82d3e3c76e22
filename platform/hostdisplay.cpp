#include "platform/hostdisplay.h"

#include <QStringList>

#include <unicode/uchar.h>
#include <unicode/uset.h>
#include <unicode/uspoof.h>
#include <unicode/utf16.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

struct CheckerDeleter
{
    void operator()(USpoofChecker *checker) const { uspoof_close(checker); }
};

struct SetDeleter
{
    void operator()(USet *set) const { uset_close(set); }
};

// Set up once; ICU allows concurrent checks on a checker that is no longer changed.
// nullptr when ICU could not make one: then nothing is shown in Unicode.
const USpoofChecker *spoofChecker()
{
    static const std::unique_ptr<USpoofChecker, CheckerDeleter> checker = [] {
        std::unique_ptr<USpoofChecker, CheckerDeleter> made;
        UErrorCode status = U_ZERO_ERROR;
        made.reset(uspoof_open(&status));
        // Only characters recommended for identifiers: no symbols, no obsolete scripts.
        const USet *recommended = uspoof_getRecommendedSet(&status);
        const USet *inclusion = uspoof_getInclusionSet(&status);
        if (U_FAILURE(status))
            return decltype(made)();
        const std::unique_ptr<USet, SetDeleter> allowed(uset_openEmpty());
        uset_addAll(allowed.get(), recommended);
        uset_addAll(allowed.get(), inclusion);
        uspoof_setAllowedChars(made.get(), allowed.get(), &status);
        // Highly restrictive: a single script, or Latin with Han + Hiragana + Katakana
        // (Japanese), Han + Bopomofo or Han + Hangul. Latin with Cyrillic or Greek never.
        uspoof_setRestrictionLevel(made.get(), USPOOF_HIGHLY_RESTRICTIVE);
        uspoof_setChecks(made.get(),
                         USPOOF_RESTRICTION_LEVEL | USPOOF_INVISIBLE | USPOOF_CHAR_LIMIT | USPOOF_MIXED_NUMBERS
                             | USPOOF_HIDDEN_OVERLAY,
                         &status);
        if (U_FAILURE(status))
            made.reset();
        return made;
    }();
    return checker.get();
}

const UChar *icuText(const QString &text)
{
    return reinterpret_cast<const UChar *>(text.utf16());
}

bool isPrintableAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x21 || c.unicode() > 0x7E)
            return false;
    }
    return true;
}

// Invisible code points: zero-width joiners and spaces, bidirectional controls and the
// other format characters, default-ignorables, white space and controls. ICU's own
// invisible check looks only at repeated marks, and the identifier set takes in the
// joiners.
bool hasInvisible(const QString &label)
{
    for (qsizetype i = 0; i < label.size();) {
        UChar32 c = 0;
        U16_NEXT(label.utf16(), i, label.size(), c);
        const int8_t type = u_charType(c);
        if (type == U_FORMAT_CHAR || type == U_CONTROL_CHAR || type == U_SPACE_SEPARATOR || type == U_LINE_SEPARATOR
            || type == U_PARAGRAPH_SEPARATOR || type == U_UNASSIGNED || type == U_SURROGATE
            || u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT))
            return true;
    }
    return false;
}

// A label whose every character has a Latin letter, digit or hyphen as its look-alike
// (ICU's confusable skeleton): a whole-script imitation of an ASCII name, such as
// Cyrillic "аррӏе" or Greek "ορο".
bool readsAsAscii(const USpoofChecker *checker, const QString &label)
{
    UErrorCode status = U_ZERO_ERROR;
    const int32_t size = uspoof_getSkeleton(checker, 0, icuText(label), int32_t(label.size()), nullptr, 0, &status);
    if (status != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(status))
        return true;
    QString skeleton(size, Qt::Uninitialized);
    status = U_ZERO_ERROR;
    uspoof_getSkeleton(checker, 0, icuText(label), int32_t(label.size()), reinterpret_cast<UChar *>(skeleton.data()),
                       size, &status);
    if (U_FAILURE(status))
        return true;
    for (const QChar c : skeleton) {
        const char16_t u = c.unicode();
        if (!((u >= u'a' && u <= u'z') || (u >= u'0' && u <= u'9') || u == u'-'))
            return false;
    }
    return true;
}

bool safeToShow(const QString &label)
{
    const USpoofChecker *checker = spoofChecker();
    if (!checker || label.isEmpty() || hasInvisible(label))
        return false;
    UErrorCode status = U_ZERO_ERROR;
    const int32_t failed = uspoof_check2(checker, icuText(label), int32_t(label.size()), nullptr, &status);
    return U_SUCCESS(status) && failed == 0 && !readsAsAscii(checker, label);
}

// Qt decodes bidirectional controls and zero-width characters in the path, the query and
// the user name; shown as they are, "/%E2%80%AEtxt.exe" reads as ".../exe.txt". They
// stay percent-encoded. The host has none: displayHost() lets none through.
QString withInvisiblesEncoded(const QString &address)
{
    QString out;
    for (qsizetype i = 0; i < address.size();) {
        const qsizetype start = i;
        UChar32 c = 0;
        U16_NEXT(address.utf16(), i, address.size(), c);
        const QStringView one = QStringView(address).sliced(start, i - start);
        const int8_t type = u_charType(c);
        if (type == U_FORMAT_CHAR || type == U_LINE_SEPARATOR || type == U_PARAGRAPH_SEPARATOR
            || u_hasBinaryProperty(c, UCHAR_DEFAULT_IGNORABLE_CODE_POINT))
            out += QString::fromLatin1(one.toUtf8().toPercentEncoding());
        else
            out += one;
    }
    return out;
}

} // namespace

QString displayHost(const QString &host)
{
    if (host.isEmpty())
        return host;
    const bool ascii = isPrintableAscii(host);
    if (ascii && !host.startsWith(u"xn--", Qt::CaseInsensitive) && !host.contains(u".xn--", Qt::CaseInsensitive))
        return host; // names and IP addresses alike
    const QByteArray ace = QUrl::toAce(host);
    if (ace.isEmpty()) {
        // Not a host name at all: nothing of it is decoded for show.
        return QString::fromLatin1(QUrl::toPercentEncoding(host, ".-:[]"));
    }
    const QString aceHost = QString::fromLatin1(ace);
    const QStringList labels = aceHost.split(u'.');
    QStringList shown;
    shown.reserve(labels.size());
    for (const QString &label : labels) {
        if (!label.startsWith(u"xn--")) {
            shown.append(label);
            continue;
        }
        // Qt decides by its own list of top-level domains unless told not to; the
        // checks here decide instead.
        const QString decoded = QUrl::fromAce(label.toLatin1(), QUrl::IgnoreIDNWhitelist);
        // Qt hands back what it cannot decode; that stays in its xn-- form as well.
        if (decoded.startsWith(u"xn--") || !safeToShow(decoded))
            return aceHost;
        shown.append(decoded);
    }
    return shown.join(u'.');
}

QString displayAddress(const QUrl &url)
{
    const QString full = url.toDisplayString();
    QString shown = full;
    // What Qt put in the host's place; IPv6 literals come as they are.
    const QString qtHost = url.host(QUrl::PrettyDecoded);
    const QString host = displayHost(url.host(QUrl::FullyEncoded));
    if (!qtHost.isEmpty() && !qtHost.contains(u':') && host != qtHost) {
        const QString head =
            url.toDisplayString(QUrl::RemovePort | QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment);
        if (head.endsWith(qtHost) && full.startsWith(head))
            shown = head.chopped(qtHost.size()) + host + full.sliced(head.size());
        else // never met; then nothing is decoded rather than the host Qt chose
            return url.toString(QUrl::FullyEncoded | QUrl::RemovePassword);
    }
    return withInvisiblesEncoded(shown);
}

QString addressForBox(const QString &address)
{
    const QUrl url(address);
    if (!url.isValid() || url.host().isEmpty() || displayHost(url.host()) == url.host())
        return address;
    return displayAddress(url);
}

} // namespace platform
