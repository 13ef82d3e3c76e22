#pragma once

#include <QString>

#include <cstdint>

// 1 when the text is exactly the address pages use to close their window, else 0.
inline std::uint8_t isWindowCloseScript(const QString &text)
{
    return text == QStringLiteral("javascript:window.close();") ? 1 : 0;
}
