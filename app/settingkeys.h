#pragma once

#include <QStringView>

// A key of the settings file together with the section that holds it.
struct SettingKey
{
    QStringView section;
    QStringView name;
};

// Every key the program keeps in its settings file, named as it is stored.
namespace settingkeys {

inline constexpr QStringView Window = u"Window";
inline constexpr QStringView Data = u"Data";
inline constexpr QStringView Dialog = u"Dialog";
inline constexpr QStringView Tsutano = u"Tsutano";

inline constexpr SettingKey SideW {Window, u"SideW"};
inline constexpr SettingKey Frame1 {Window, u"Frame1"};
inline constexpr SettingKey Frame2 {Window, u"Frame2"};
inline constexpr SettingKey Frame3 {Window, u"Frame3"};
inline constexpr SettingKey Menu {Window, u"Menu"};
inline constexpr SettingKey EndC {Window, u"EndC"};
inline constexpr SettingKey EndY {Window, u"EndY"};
inline constexpr SettingKey EndK {Window, u"EndK"};
inline constexpr SettingKey FWidth {Window, u"FWidth"};
inline constexpr SettingKey FHeight {Window, u"FHeight"};
inline constexpr SettingKey FLeft {Window, u"FLeft"};
inline constexpr SettingKey FTop {Window, u"FTop"};
inline constexpr SettingKey AutoRe30 {Window, u"AutoRe30"};
inline constexpr SettingKey AutoRe60 {Window, u"AutoRe60"};

inline constexpr SettingKey YPage {Data, u"YPage"};
inline constexpr SettingKey Yomikake {Data, u"Yomikake"};
inline constexpr SettingKey NSTag {Data, u"NSTag"};
inline constexpr SettingKey EXSTYLE {Data, u"EXSTYLE"};
inline constexpr SettingKey EXSTYLEValue {Data, u"EXSTYLEValue"};
inline constexpr SettingKey FavoritesFolder {Data, u"FavoritesFolder"};
inline constexpr SettingKey koukoku {Data, u"koukoku"};
inline constexpr SettingKey Windowfoward {Data, u"Windowfoward"};
inline constexpr SettingKey FirstOpen {Data, u"FirstOpen"};
inline constexpr SettingKey CookiesEdit {Data, u"CookiesEdit"};
inline constexpr SettingKey BBA {Data, u"BBA"};
inline constexpr SettingKey WVS {Data, u"WVS"};

inline constexpr SettingKey Pash {Dialog, u"Pash"};
inline constexpr SettingKey EndCM {Tsutano, u"EndCM"};

} // namespace settingkeys
