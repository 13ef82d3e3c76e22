#include "app/settingsrecord.h"

#include "app/conversions.h"
#include "app/settingsstore.h"

#include <variant>
#include <vector>

namespace {

using Field = std::variant<QString SettingsRecord::*, std::int16_t SettingsRecord::*, std::int32_t SettingsRecord::*>;

struct Binding
{
    SettingKey key;
    Field field;
};

const Binding kBindings[] = {
    {settingkeys::SideW, &SettingsRecord::SideW},
    {settingkeys::Frame1, &SettingsRecord::Frame1},
    {settingkeys::Frame2, &SettingsRecord::Frame2},
    {settingkeys::Frame3, &SettingsRecord::Frame3},
    {settingkeys::Menu, &SettingsRecord::Menu},
    {settingkeys::EndC, &SettingsRecord::EndC},
    {settingkeys::EndY, &SettingsRecord::EndY},
    {settingkeys::EndK, &SettingsRecord::EndK},
    {settingkeys::YPage, &SettingsRecord::YPage},
    {settingkeys::Yomikake, &SettingsRecord::Yomikake},
    {settingkeys::FWidth, &SettingsRecord::FWidth},
    {settingkeys::FHeight, &SettingsRecord::FHeight},
    {settingkeys::FLeft, &SettingsRecord::FLeft},
    {settingkeys::FTop, &SettingsRecord::FTop},
    {settingkeys::AutoRe30, &SettingsRecord::AutoRe30},
    {settingkeys::AutoRe60, &SettingsRecord::AutoRe60},
    {settingkeys::NSTag, &SettingsRecord::NSTag},
    {settingkeys::EXSTYLE, &SettingsRecord::EXSTYLE},
    {settingkeys::EXSTYLEValue, &SettingsRecord::EXSTYLEValue},
    {settingkeys::FavoritesFolder, &SettingsRecord::FavoritesFolder},
    {settingkeys::koukoku, &SettingsRecord::koukoku},
    {settingkeys::Windowfoward, &SettingsRecord::Windowfoward},
};

// Section and key names match without regard to letter case, as in the file.
bool sameKey(SettingKey a, SettingKey b)
{
    return a.section.compare(b.section, Qt::CaseInsensitive) == 0 && a.name.compare(b.name, Qt::CaseInsensitive) == 0;
}

void assign(SettingsRecord &record, const Field &field, const QString &text)
{
    if (auto *textField = std::get_if<QString SettingsRecord::*>(&field)) {
        record.**textField = text;
    } else if (auto *wideField = std::get_if<std::int32_t SettingsRecord::*>(&field)) {
        if (const auto number = convert::toInteger32(text))
            record.**wideField = *number;
    } else if (const auto number = convert::toInteger16(text)) {
        record.*std::get<std::int16_t SettingsRecord::*>(field) = *number;
    }
}

} // namespace

SettingsRecord &settingsRecord()
{
    static SettingsRecord record;
    return record;
}

SettingsRecord readSettingsRecord(std::span<const SettingKey> extra, QStringList *extraValues)
{
    std::vector<SettingKey> keys;
    keys.reserve(std::size(kBindings) + extra.size());
    for (const Binding &binding : kBindings)
        keys.push_back(binding.key);
    keys.insert(keys.end(), extra.begin(), extra.end());
    const QStringList values = readSettings(keys);
    SettingsRecord record;
    for (std::size_t i = 0; i < std::size(kBindings); ++i)
        assign(record, kBindings[i].field, values[qsizetype(i)]);
    if (extraValues)
        *extraValues = values.mid(qsizetype(std::size(kBindings)));
    return record;
}

int storeSetting(SettingKey key, const QString &value)
{
    const int stored = writeSetting(key, value);
    for (const Binding &binding : kBindings) {
        if (sameKey(binding.key, key))
            assign(settingsRecord(), binding.field, value);
    }
    return stored;
}
