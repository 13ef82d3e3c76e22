#include "platform/inputmethod.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QFileInfo>
#include <QStringList>
#include <QVariant>

#include <optional>

namespace platform {

namespace {

// A mouse move asks; a hung input method must not freeze the window.
constexpr int kCallTimeoutMs = 200;

bool isJapaneseEngine(const QString &name)
{
    static const QStringList engines = {QStringLiteral("mozc"), QStringLiteral("anthy"), QStringLiteral("kkc"),
                                        QStringLiteral("skk"), QStringLiteral("canna")};
    for (const QString &engine : engines) {
        if (name == engine || name.startsWith(engine + u'-'))
            return true;
    }
    return false;
}

std::optional<QVariant> askFcitx(const QDBusConnection &bus, const QString &method)
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("org.fcitx.Fcitx5"), QStringLiteral("/controller"),
                                       QStringLiteral("org.fcitx.Fcitx.Controller1"), method);
    const QDBusMessage reply = bus.call(call, QDBus::Block, kCallTimeoutMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    return reply.arguments().constFirst();
}

} // namespace

ImeState imeStateFromFcitx(int state, const QString &inputMethod)
{
    if (state == 1 || (state == 2 && inputMethod.startsWith(QLatin1String("keyboard-"))))
        return ImeState::Off;
    if (state == 2 && isJapaneseEngine(inputMethod))
        return ImeState::Hiragana;
    return ImeState::Other;
}

ImeState QtInputMethodState::state() const
{
    // Without a session bus to join, libdbus would launch one of its own for this process.
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")
        && !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QStringLiteral("/bus")))
        return ImeState::Other;
    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return ImeState::Other;
    const std::optional<QVariant> state = askFcitx(bus, QStringLiteral("State"));
    if (!state)
        return ImeState::Other;
    const std::optional<QVariant> name = askFcitx(bus, QStringLiteral("CurrentInputMethod"));
    return imeStateFromFcitx(state->toInt(), name ? name->toString() : QString());
}

} // namespace platform
