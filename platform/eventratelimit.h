#pragma once

#include <QList>
#include <QtGlobal>

namespace platform {

// At most count events in any span of spanMs milliseconds.
class EventRateLimit
{
public:
    EventRateLimit(int count, qint64 spanMs)
        : m_count(count)
        , m_span(spanMs)
    { }
    // Counts an event at now (milliseconds on a clock that never goes back) unless that
    // would pass the limit; false when it would.
    bool allow(qint64 now);

private:
    int m_count;
    qint64 m_span;
    QList<qint64> m_times;
};

} // namespace platform
