#include "tools/firstrundialog.h"

#include "app/conversions.h"
#include "app/settingsrecord.h"
#include "app/settingsstore.h"
#include "app/windowtranslucency.h"
#include "platform/files.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;
using firstrun::FolderOption;

namespace {

const QString kTitle = u"初回設定ダイアログ"_s;
const QString kInternetSettings = u"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings"_s;
constexpr int kDesignOpacity = 150; // the slider before any value is stored

template <typename T> T *named(T *widget, const QString &name, const QString &tip = {})
{
    widget->setObjectName(name);
    widget->setToolTip(tip);
    return widget;
}

QLabel *heading(const QString &name, const QString &caption)
{
    auto *label = named(new QLabel(caption), name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}

QString boxValue(const QCheckBox *box)
{
    return box->isChecked() ? u"1"_s : u"0"_s;
}

bool storedAsOne(SettingKey key)
{
    const auto value = convert::toNumber(readSetting(key));
    return value && *value == 1.0;
}

} // namespace

FirstRunDialog::FirstRunDialog(platform::Platform services, QWidget *parent)
    : QDialog(parent)
    , m_services(services)
{
    setObjectName(u"Form6"_s);
    setWindowTitle(kTitle);
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
}

void FirstRunDialog::buildControls()
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(
        named(new QLabel(u"次回より起動を素早くするために、必要な設定を入力してください。"_s), u"Label1"_s));

    layout->addWidget(heading(u"Label2"_s, u"お気に入りフォルダ"_s));
    auto option = [layout](const QString &name, const QString &caption, const QString &tip) {
        auto *button = named(new QRadioButton(caption), name, tip);
        layout->addWidget(button);
        return button;
    };
    m_option1 = option(u"Option1"_s, u"Windows95/98/Me     C:\\WINDOWS\\Favorites"_s, u"95/98/Me系の標準"_s);
    m_option5 = option(u"Option5"_s, u"WindowsNT3.51/4.0    C:\\WINNT\\Profiles\\Administrator\\Favorites"_s,
                       u"NT3.51/4.0系の標準"_s);
    m_option2 = option(u"Option2"_s, u"Windows2000/XP       C:\\Documents and Settings\\Owner\\Favorites"_s,
                       u"Windows2000/XPのオーナー設定"_s);
    m_option3 = option(u"Option3"_s, u"Windows2000/XP       C:\\Documents and Settings\\All Users\\Favorites"_s,
                       u"Windows2000/XPのオールユーザー設定"_s);
    m_option4 = option(u"Option4"_s, u"手動設定"_s,
                       u"上記の４つ以外の場所にお気に入りフォルダを移してる際は手動入力してください"_s);
    auto *manual = new QHBoxLayout;
    m_text1 = named(new QLineEdit, u"Text1"_s);
    auto *browse = named(new QPushButton(u"参照..."_s), u"Command1"_s);
    browse->setAutoDefault(false);
    manual->addWidget(m_text1, 1);
    manual->addWidget(browse);
    layout->addLayout(manual);
    layout->addWidget(named(new QLabel(u"※Windows2000/XPユーザーは手動設定を推奨します"_s), u"Label4"_s));

    layout->addWidget(heading(u"Label3"_s, u"追加機能"_s));
    auto box = [](const QString &name, const QString &caption, const QString &tip) {
        return named(new QCheckBox(caption), name, tip);
    };
    m_check1 = box(u"Check1"_s, u"NetscapeNavigetor専用タグ検出機能"_s,
                   u"ネスケ専用タグが使われているかチェックします。チェックを外すと若干表示が速くなります"_s);
    m_check2 = box(u"Check2"_s, u"Cookie編集機能\u3000\u3000(注)Windows2000/XPでは使用できません"_s,
                   u"Cookieをわかってる人だけ使用してください"_s);
    m_check3 =
        box(u"Check3"_s, u"ブロードバンドアクセラレータ\u3000\u3000(注)ADSL、FTTHなど高速回線でのみ有効"_s,
            u"ISDN、アナログ通信では逆に遅くなります。チェックを外すと設定も元に戻されます。古いOSほど効果大。"_s);
    m_check5 = box(u"Check5"_s, u"WinXP Visual Style 対応\u3000\u3000(注)WindowsXPで再起動後から有効"_s,
                   u"チェックを外すと旧スタイルになりますが、描画速度向上とちらつき防止になります。"_s);
    for (QCheckBox *check : {m_check1, m_check2, m_check3, m_check5})
        layout->addWidget(check);

    auto *frame = named(new QGroupBox(u"半透明ウィンドウ"_s), u"Frame2"_s);
    auto *grid = new QGridLayout(frame);
    m_check4 = box(u"Check4"_s, u"半透明化"_s, u"ウィンドウを半透明にするかどうかを設定"_s);
    m_slider = named(new QSlider(Qt::Horizontal), u"Slider1"_s, u"透明度スライダー"_s);
    m_slider->setRange(0, 255);
    m_slider->setValue(kDesignOpacity);
    m_slider->setTickPosition(QSlider::TicksBelow);
    m_slider->setTickInterval(16);
    m_slider->setEnabled(false);
    grid->addWidget(m_check4, 0, 0, 1, 3);
    grid->addWidget(new QLabel(u"透明"_s), 1, 0);
    grid->addWidget(m_slider, 1, 1);
    grid->addWidget(new QLabel(u"標準"_s), 1, 2);
    // Kept as they were, though only the main window is ever made translucent.
    auto *scope = new QVBoxLayout;
    scope->addWidget(named(new QRadioButton(u"すべてのウィンドウ"_s), u"Option11"_s));
    scope->addWidget(named(new QRadioButton(u"一番前面のウィンドウのみ"_s), u"Option10"_s));
    auto *initialOnly = named(new QRadioButton(u"初期ウィンドウのみ"_s), u"Option9"_s);
    initialOnly->setChecked(true);
    scope->addWidget(initialOnly);
    grid->addLayout(scope, 0, 3, 2, 1);
    layout->addWidget(frame);

    auto *done = named(new QPushButton(u"設定完了"_s), u"Command2"_s);
    done->setAutoDefault(false);
    layout->addWidget(done, 0, Qt::AlignRight);

    connect(m_check4, &QCheckBox::toggled, m_slider, &QSlider::setEnabled);
    connect(browse, &QPushButton::clicked, this, &FirstRunDialog::browseForFolder);
    connect(done, &QPushButton::clicked, this, &FirstRunDialog::saveSettings);
}

void FirstRunDialog::load()
{
    loadSettings();
    // Where the display cannot, the dialog neither asks to stay on top nor offers translucency.
    if (offerWindowEffects(m_services.windows, {}, {m_check4, m_slider}))
        m_services.windows.setAlwaysOnTop(this, true);
}

void FirstRunDialog::loadSettings()
{
    const firstrun::VersionRecord version = firstrun::versionRecordOf(m_services.system.osVersion());
    const auto firstOpen = convert::toNumber(readSetting(settingkeys::FirstOpen));
    const bool firstRun = !firstOpen || *firstOpen == 0.0;
    const firstrun::VersionRules rules = firstrun::versionRules(version, firstRun);
    applyVersionRules(rules);

    if (firstRun) {
        // With no system folder to offer, the program's own favorites folder is ready
        // to take.
        if (rules.option == FolderOption::None) {
            select(FolderOption::Option4);
            m_text1->setText(m_services.shell.favoritesFolder());
        }
        return;
    }
    const QString current = settingsRecord().FavoritesFolder;
    m_text1->setText(current);
    select(firstrun::optionForFolder(current));
    m_check1->setChecked(storedAsOne(settingkeys::NSTag));
    m_check2->setChecked(storedAsOne(settingkeys::CookiesEdit));
    m_check3->setChecked(storedAsOne(settingkeys::BBA));
    m_check5->setChecked(storedAsOne(settingkeys::WVS));
    const bool translucent = storedAsOne(settingkeys::EXSTYLE);
    m_check4->setChecked(translucent);
    m_slider->setEnabled(translucent);
    Q_EMIT translucencyMarked(translucent);
    const auto opacity = convert::toInteger16(readSetting(settingkeys::EXSTYLEValue));
    if (opacity && *opacity >= 0 && *opacity <= 255)
        m_slider->setValue(*opacity);
}

void FirstRunDialog::applyVersionRules(const firstrun::VersionRules &rules)
{
    select(rules.option);
    const std::pair<QCheckBox *, bool> boxes[] = {
        {m_check1, rules.netscapeTags}, {m_check2, rules.cookieEditor}, {m_check3, rules.accelerator},
        {m_check4, rules.translucency}, {m_check5, rules.visualStyle},
    };
    for (const auto &[box, enabled] : boxes) {
        box->setEnabled(enabled);
        if (!enabled)
            box->setChecked(false);
    }
}

void FirstRunDialog::select(FolderOption option)
{
    const std::pair<FolderOption, QRadioButton *> buttons[] = {
        {FolderOption::Option1, m_option1}, {FolderOption::Option2, m_option2}, {FolderOption::Option3, m_option3},
        {FolderOption::Option4, m_option4}, {FolderOption::Option5, m_option5},
    };
    for (const auto &[which, button] : buttons) {
        if (which == option)
            button->setChecked(true);
    }
}

FolderOption FirstRunDialog::selectedOption() const
{
    if (m_option1->isChecked())
        return FolderOption::Option1;
    if (m_option2->isChecked())
        return FolderOption::Option2;
    if (m_option3->isChecked())
        return FolderOption::Option3;
    if (m_option5->isChecked())
        return FolderOption::Option5;
    if (m_option4->isChecked())
        return FolderOption::Option4;
    return FolderOption::None;
}

void FirstRunDialog::browseForFolder()
{
    const auto folder = m_services.dialogs.chooseFolder(this, u"フォルダを選択してください"_s, QDir::rootPath());
    if (folder && !folder->isEmpty())
        m_text1->setText(*folder); // lower-cased it would name another folder here
}

bool FirstRunDialog::ensureTypedFolder(const QString &folder)
{
    if (folder.trimmed().isEmpty()) {
        m_services.dialogs.message(this, u"お気に入りフォルダを入力してください。"_s, kTitle,
                                   platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return false;
    }
    if (QFileInfo(folder).isDir())
        return true;
    // The program's own folder is made without asking; it is what the dialog offered.
    if (folder != m_services.shell.favoritesFolder()) {
        QPointer<FirstRunDialog> alive(this);
        const bool create = m_services.dialogs.askYesNo(this, u"フォルダがありません。作成しますか？"_s, kTitle);
        if (!alive || !create)
            return false;
    }
    if (platform::makePrivatePath(folder))
        return true;
    m_services.dialogs.message(this, u"フォルダを作成できませんでした。"_s, kTitle, platform::MessageButtons::Ok,
                               platform::MessageIcon::Warning);
    return false;
}

void FirstRunDialog::saveSettings()
{
    QPointer<FirstRunDialog> alive(this);
    const FolderOption selected = selectedOption();
    const QString folder = firstrun::chosenFolder(selected, m_text1->text());
    if (firstrun::folderOf(selected).isEmpty() && !ensureTypedFolder(folder))
        return;
    if (!alive)
        return;

    // The record follows every key that it has a field for, so the main window and the
    // favorites tree see the new values at once.
    bool stored = storeSetting(settingkeys::FavoritesFolder, folder) != 0;
    stored = storeSetting(settingkeys::NSTag, boxValue(m_check1)) != 0 && stored;
    stored = storeSetting(settingkeys::CookiesEdit, boxValue(m_check2)) != 0 && stored;
    stored = storeSetting(settingkeys::BBA, boxValue(m_check3)) != 0 && stored;

    platform::RegistryGateway &registry = m_services.registry;
    const platform::RegistryGateway::Handle key = registry.openKey(platform::registry::CurrentUser, kInternetSettings);
    if (key) {
        registry.writeNumber(key, u"MaxConnectionsPer1_0Server"_s,
                             firstrun::connectionsPerServer(m_check3->isChecked()));
        registry.closeKey(key);
    }

    // The setting says what the files are, not what was asked for.
    const QString styleProblem = firstrun::applyVisualStyle(programFolder(), m_check5->isChecked());
    if (!styleProblem.isEmpty()) {
        m_check5->setChecked(false);
        m_services.dialogs.message(this, u"WinXP Visual Style を切り替えられませんでした。\r\n\r\n"_s + styleProblem,
                                   kTitle, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        if (!alive)
            return;
    }
    stored = storeSetting(settingkeys::WVS, boxValue(m_check5)) != 0 && stored;

    const auto change =
        firstrun::translucencyOnSave(m_check4->isChecked(), readSetting(settingkeys::EXSTYLE), m_slider->value());
    if (change) {
        Q_EMIT translucencyMarked(change->checkMark);
        Q_EMIT translucencyChanged(change->opacity);
    }
    stored = storeSetting(settingkeys::EXSTYLE, boxValue(m_check4)) != 0 && stored;
    stored = storeSetting(settingkeys::EXSTYLEValue, QString::number(m_slider->value())) != 0 && stored;
    stored = storeSetting(settingkeys::FirstOpen, u"1"_s) != 0 && stored;
    // Saying the settings are done when the file did not take them (a full disk, a
    // read-only folder) would leave the user with defaults next time and no idea why;
    // the dialog stays open instead, for another try once there is room.
    if (!stored) {
        m_services.dialogs.message(
            this, u"設定を保存できませんでした。\r\n\r\n"_s + QDir::toNativeSeparators(settingsFilePath()), kTitle,
            platform::MessageButtons::Ok, platform::MessageIcon::Warning);
        return;
    }
    m_services.dialogs.message(
        this,
        u"設定を終了します。再度設定し直す場合は\r\n[ツール]-[初回設定ダイアログ]\r\nメニューから変更可能です。"_s,
        kTitle, platform::MessageButtons::Ok, platform::MessageIcon::Warning);
    if (alive)
        close();
}
