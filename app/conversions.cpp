#include "app/conversions.h"

namespace convert {

namespace {

struct Decimal
{
    bool negative = false;
    QStringView whole;    // digits before the point, maybe empty
    QStringView fraction; // digits after the point, maybe empty
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Sign, digits, an optional point and more digits, with spaces around; at least one digit.
std::optional<Decimal> parseDecimal(QStringView text)
{
    text = text.trimmed();
    Decimal number;
    qsizetype i = 0;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
        number.negative = text[i] == u'-';
        ++i;
    }
    const qsizetype wholeStart = i;
    while (i < text.size() && isDigit(text[i]))
        ++i;
    number.whole = text.sliced(wholeStart, i - wholeStart);
    if (i < text.size() && text[i] == u'.') {
        ++i;
        const qsizetype fractionStart = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        number.fraction = text.sliced(fractionStart, i - fractionStart);
    }
    if (i != text.size() || (number.whole.isEmpty() && number.fraction.isEmpty()))
        return std::nullopt;
    return number;
}

bool allZero(QStringView digits)
{
    for (QChar c : digits) {
        if (c != u'0')
            return false;
    }
    return true;
}

} // namespace

std::optional<bool> toBoolean(QStringView text)
{
    if (text.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(u"False", Qt::CaseInsensitive) == 0)
        return false;
    const std::optional<Decimal> number = parseDecimal(text);
    if (!number)
        return std::nullopt;
    return !(allZero(number->whole) && allZero(number->fraction));
}

std::optional<double> toNumber(QStringView text)
{
    if (!parseDecimal(text))
        return std::nullopt;
    bool ok = false;
    const double value = text.trimmed().toString().toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return value;
}

namespace {

// The number rounded half to even, within min..max.
std::optional<std::int64_t> roundedInteger(QStringView text, std::int64_t min, std::int64_t max)
{
    const std::optional<Decimal> number = parseDecimal(text);
    if (!number)
        return std::nullopt;

    // Exact decimal rounding on the digits themselves: a double would turn
    // "0.50000000000000001" into a tie.
    QStringView whole = number->whole;
    while (whole.size() > 1 && whole.front() == u'0')
        whole = whole.sliced(1);
    if (whole.size() > 11)
        return std::nullopt;
    std::int64_t magnitude = 0;
    for (QChar c : whole)
        magnitude = magnitude * 10 + (c.unicode() - u'0');

    const QStringView fraction = number->fraction;
    if (!fraction.isEmpty()) {
        const int first = fraction.front().unicode() - u'0';
        const bool restZero = allZero(fraction.sliced(1));
        const bool up = first > 5 || (first == 5 && !restZero) || (first == 5 && restZero && magnitude % 2 == 1);
        if (up)
            ++magnitude;
    }

    const std::int64_t value = number->negative ? -magnitude : magnitude;
    if (value < min || value > max)
        return std::nullopt;
    return value;
}

} // namespace

std::optional<std::int16_t> toInteger16(QStringView text)
{
    const auto value = roundedInteger(text, INT16_MIN, INT16_MAX);
    return value ? std::optional(static_cast<std::int16_t>(*value)) : std::nullopt;
}

std::optional<std::int32_t> toInteger32(QStringView text)
{
    const auto value = roundedInteger(text, INT32_MIN, INT32_MAX);
    return value ? std::optional(static_cast<std::int32_t>(*value)) : std::nullopt;
}

} // namespace convert
