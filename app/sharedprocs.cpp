#include "app/sharedprocs.h"

#include "platform/codepage.h"
#include "platform/systeminfo.h"

#include <QFile>

QString readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {};
    return ansi::decode(bytes);
}

QString trimUrlLevels(const QString &text, const QString &separator, int levels)
{
    QString result = text;
    for (int i = 0; i < levels; ++i) {
        // QString::lastIndexOf counts a negative start from the end, so a text shorter
        // than three characters must be caught here.
        const qsizetype from = result.size() - 3;
        const qsizetype found =
            (from < 0 || separator.isEmpty()) ? -1 : result.lastIndexOf(separator, from, Qt::CaseSensitive);
        if (found < 0)
            return {};
        result.truncate(found + separator.size());
    }
    return result;
}

QString fileVersionText(const QString &path)
{
    Q_UNUSED(path);
    return {};
}

QString localIpAddress()
{
    return platform::machineIPv4Address();
}
