#include "platform/eventratelimit.h"

namespace platform {

bool EventRateLimit::allow(qint64 now)
{
    m_times.removeIf([this, now](qint64 time) { return now - time >= m_span; });
    if (m_times.size() >= m_count)
        return false;
    m_times.append(now);
    return true;
}

} // namespace platform
