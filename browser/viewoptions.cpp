#include "browser/viewoptions.h"

#include "app/browserhost.h"
#include "app/conversions.h"
#include "app/menuitems.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/windowtranslucency.h"
#include "blocking/persistfile.h"
#include "memo/memopadlauncher.h"
#include "platform/browsercomponent.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <QWidget>

using namespace Qt::StringLiterals;

namespace {

void checkFrom(QAction *item, const QString &text)
{
    if (const auto value = convert::toBoolean(text))
        item->setChecked(*value);
}

} // namespace

ViewOptions::ViewOptions(BrowserHost &host, platform::Platform services, QWidget *window, const MainMenus &menus,
                         MemoPadLauncher &memo, QObject *parent)
    : QObject(parent)
    , m_host(host)
    , m_services(services)
    , m_window(window)
    , m_menus(menus)
    , m_memo(memo)
    , m_reloadTimer(new QTimer(this))
{
    m_reloadTimer->setObjectName(u"Timer2"_s);
    m_reloadTimer->setInterval(59999);
    const MainMenus &m = menus;
    auto on = [this](QAction *item, auto handler) { connect(item, &QAction::triggered, this, handler); };
    const std::pair<QAction *, SettingKey> options[] = {
        {m.view.confirmExit, settingkeys::EndC},
        {m.view.alwaysKeepPage, settingkeys::EndY},
        {m.view.blankAtStart, settingkeys::EndK},
    };
    for (const auto &[item, key] : options)
        on(item, [item, key] { storeSetting(key, convert::booleanText(item->isChecked())); });
    QAction *const textSizes[] = {m.view.textSmallest, m.view.textSmaller, m.view.textMedium, m.view.textLarger,
                                  m.view.textLargest};
    for (int size = 0; size < 5; ++size) {
        on(textSizes[size], [this, size] {
            if (platform::BrowserComponent *browser = m_host.browser())
                browser->setTextSize(platform::TextSize(size));
        });
    }
    connectCheckableItem(this, m.view.alwaysOnTop, [this] { toggleAlwaysOnTop(); });
    connectCheckableItem(this, m.view.translucent, [this] { toggleTranslucency(); });
    offerWindowEffects(m_services.windows, {m.view.alwaysOnTop, m.view.translucent});
    on(m.view.source, [this] { showPageSource(); });
    connectCheckableItem(this, m.tools.reloadEvery30, [this, item = m.tools.reloadEvery30] { chooseAutoReload(item); });
    connectCheckableItem(this, m.tools.reloadEvery60, [this, item = m.tools.reloadEvery60] { chooseAutoReload(item); });
    connect(m_reloadTimer, &QTimer::timeout, this, [this] {
        if (platform::BrowserComponent *browser = m_host.browser())
            browser->reload();
    });
}

void ViewOptions::restore()
{
    const SettingsRecord &r = settingsRecord();
    const MainMenus &m = m_menus;
    checkFrom(m.view.confirmExit, r.EndC);
    checkFrom(m.view.alwaysKeepPage, r.EndY);
    checkFrom(m.view.blankAtStart, r.EndK);
    checkFrom(m.tools.reloadEvery30, r.AutoRe30);
    checkFrom(m.tools.reloadEvery60, r.AutoRe60);
    if (convert::isExactly(r.Windowfoward, u"True")) {
        m_services.windows.setAlwaysOnTop(m_window, true);
        m.view.alwaysOnTop->setChecked(true);
    }
    // A restored reload mark reloads at its own interval; 30 seconds wins a tie.
    if (m.tools.reloadEvery30->isChecked())
        m.tools.reloadEvery60->setChecked(false);
    if (m.tools.reloadEvery30->isChecked() || m.tools.reloadEvery60->isChecked()) {
        m_reloadTimer->setInterval(m.tools.reloadEvery30->isChecked() ? 30'000 : 60'000);
        m_reloadTimer->start();
    }
    if (convert::isExactly(r.EXSTYLE, u"1")) {
        const auto opacity = convert::toInteger16(r.EXSTYLEValue);
        setWindowTranslucency(m_services.windows, m_window, opacity ? *opacity : 255);
        m.view.translucent->setChecked(true);
    } else {
        m.view.translucent->setChecked(false);
    }
}

void ViewOptions::toggleAlwaysOnTop()
{
    QAction *item = m_menus.view.alwaysOnTop;
    const bool onTop = !item->isChecked();
    m_services.windows.setAlwaysOnTop(m_window, onTop);
    item->setChecked(onTop);
    storeSetting(settingkeys::Windowfoward, convert::booleanText(onTop));
}

void ViewOptions::toggleTranslucency()
{
    QAction *item = m_menus.view.translucent;
    if (item->isChecked()) {
        storeSetting(settingkeys::EXSTYLE, u"0"_s);
        setWindowTranslucency(m_services.windows, m_window, 255);
        item->setChecked(false);
        return;
    }
    storeSetting(settingkeys::EXSTYLE, u"1"_s);
    // Read from the file: the first-run dialog may have changed it since start-up.
    QString value = readSetting(settingkeys::EXSTYLEValue);
    if (value.isEmpty()) {
        value = u"150"_s;
        storeSetting(settingkeys::EXSTYLEValue, value);
    }
    const std::optional<std::int16_t> opacity = convert::toInteger16(value);
    if (opacity == 255)
        m_host.showMessageBar(u"透明度が255に設定されているので、変化しません。"_s);
    if (opacity && *opacity >= 0 && *opacity <= 255)
        setWindowTranslucency(m_services.windows, m_window, *opacity);
    item->setChecked(true);
}

void ViewOptions::chooseAutoReload(QAction *item)
{
    const MainMenus &m = m_menus;
    const bool thirty = item == m.tools.reloadEvery30;
    if (item->isChecked()) {
        item->setChecked(false);
        m_reloadTimer->stop();
    } else {
        item->setChecked(true);
        m_reloadTimer->setInterval(thirty ? 30'000 : 60'000);
        m_reloadTimer->start();
        (thirty ? m.tools.reloadEvery60 : m.tools.reloadEvery30)->setChecked(false);
    }
    storeSetting(thirty ? settingkeys::AutoRe30 : settingkeys::AutoRe60, convert::booleanText(item->isChecked()));
}

void ViewOptions::showPageSource()
{
    platform::BrowserComponent *browser = m_host.browser();
    if (!browser)
        return;
    QPointer<ViewOptions> self(this);
    browser->pageInfo([self, browser](const platform::PageInfo &info) {
        // Pictures, PDF files and the empty window have no source to show.
        const QString &type = info.contentType;
        if (!self || !(type.startsWith(u"text/") || type.endsWith(u"xml")))
            return;
        const QString path = programFolder() + u"TEST.HTM"_s;
        auto failed = [self] { self->m_host.showMessageBar(u"文字コードの変換に失敗しました。"_s); };
        try {
            PersistFile persist;
            persist.setObject(browser);
            persist.save(path, true, [self, browser, failed](int code) {
                if (!self)
                    return;
                if (code != 0)
                    return failed();
                // TEST.HTM is CP932 text, which lacks many of a page's characters; the memo
                // pad gets the page's own text instead of the file read back.
                browser->documentHtml([self, failed](QString text) {
                    if (!self)
                        return;
                    if (text.isEmpty())
                        return failed();
                    text.replace(u"\r\n"_s, u"\n"_s);
                    text.replace(u'\r', u'\n');
                    text.replace(u"\n"_s, u"\r\n"_s);
                    self->m_memo.show(text);
                });
            });
        } catch (const PersistError &) {
            failed();
        }
    });
}
