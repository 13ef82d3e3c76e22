#include "platform/enginesandbox.h"

#include <QList>

#include <unistd.h>

namespace platform {

QString engineStartProblem(bool root, bool disableSandboxSet, const QByteArray &chromiumFlags)
{
    if (!root || disableSandboxSet || chromiumFlags.split(' ').contains(QByteArrayLiteral("--no-sandbox")))
        return {};
    return QStringLiteral("ゆらぎねを起動できません。管理者 (root) として実行されていますが、ページを表示する"
                          "エンジン (Chromium) のサンドボックスは root では動かず、このまま起動するとエンジンが"
                          "プログラムを終了させてしまいます。一般ユーザーとして起動してください。"
                          "サンドボックスなしで動かしてよい場合に限り、環境変数 QTWEBENGINE_DISABLE_SANDBOX=1 を"
                          "設定して起動できます (scripts/run.sh は root のときそうします)。");
}

QString engineStartProblem()
{
    return engineStartProblem(::geteuid() == 0, qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"),
                              qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
}

} // namespace platform
