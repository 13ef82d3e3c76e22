#include "tools/versioncheck.h"

#include "app/maker.h"

#include <QRegularExpression>
#include <QVersionNumber>

using namespace Qt::StringLiterals;

namespace versioncheck {

Outcome judge(const QString &data, const QString &version)
{
    if (data.isEmpty())
        return Outcome::NoData;
    if (version.startsWith(currentVersion()))
        return Outcome::Current;
    static const QRegularExpression number(u"^[0-9]+(\\.[0-9]+)*"_s);
    const QRegularExpressionMatch match = number.match(version);
    if (!match.hasMatch())
        return Outcome::NoData;
    const QVersionNumber published = QVersionNumber::fromString(match.captured());
    return published > QVersionNumber::fromString(currentVersion()) ? Outcome::Newer : Outcome::Current;
}

QString resultText(Outcome outcome, const QString &data)
{
    switch (outcome) {
    case Outcome::NoData:
        return u"更新データが取得できませんでした。\r\n\r\n■対策\r\n・インターネットに繋がる環境でのみ使用可能な機能です。"_s;
    case Outcome::Current:
        return u"最新バージョンがインストールされています。"_s;
    case Outcome::Newer:
        break;
    }
    return u"新しいバージョンが公開されています。\r\n\r\n"_s + data;
}

QString nextMarks(const QString &marks)
{
    static const QString cycle[] = {QString(), u">"_s, u">>"_s, u">>>"_s, u">>>>通信中"_s};
    constexpr int count = int(std::size(cycle));
    for (int i = 0; i < count; ++i) {
        if (marks == cycle[i])
            return cycle[(i + 1) % count];
    }
    return marks;
}

QUrl publishedFolder()
{
    QString folder = qEnvironmentVariable("YURAGINE_UPDATE_URL");
    if (folder.isEmpty())
        folder = maker::webFolder();
    if (!folder.endsWith(u'/'))
        folder += u'/';
    return QUrl(folder);
}

} // namespace versioncheck
