#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

// How stored texts become values. An empty optional means "no value": the caller keeps
// the state it had.
namespace convert {

// "True"/"False" in any letter case, or a number (0 is false, anything else true).
std::optional<bool> toBoolean(QStringView text);

// A decimal number with optional sign and fraction, spaces around it allowed.
std::optional<double> toNumber(QStringView text);

// A decimal number rounded to a 16-bit integer, a half to the even neighbour; a result
// outside -32768..32767 is no value.
std::optional<std::int16_t> toInteger16(QStringView text);
// The same within the 32-bit range.
std::optional<std::int32_t> toInteger32(QStringView text);

// Character-by-character comparison with a literal: "true" is not "True".
inline bool isExactly(QStringView text, QStringView literal)
{
    return text == literal;
}

// The Boolean as it is stored: "True" or "False".
inline QString booleanText(bool value)
{
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

} // namespace convert
