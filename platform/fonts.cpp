#include "platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// IPA's fonts share the metrics of the MS pair; the Takao and VL families are forks of
// them, Noto is the last resort on systems without either.
QStringList proportionalFamilies()
{
    return {u"IPAPGothic"_s, u"TakaoPGothic"_s, u"VL PGothic"_s, u"Noto Sans CJK JP"_s};
}
QStringList fixedFamilies()
{
    return {u"IPAGothic"_s, u"TakaoGothic"_s, u"VL Gothic"_s, u"Noto Sans Mono CJK JP"_s};
}
QStringList serifFamilies()
{
    return {u"IPAPMincho"_s, u"TakaoPMincho"_s, u"Noto Serif CJK JP"_s};
}

QString firstInstalled(const QStringList &wanted, const QStringList &installed)
{
    for (const QString &family : wanted) {
        if (installed.contains(family, Qt::CaseInsensitive))
            return family;
    }
    return {};
}

} // namespace

void mapWindowsJapaneseFonts()
{
    for (const QString &name : {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"ＭＳ ＵＩ Ｇｏｔｈｉｃ"_s, u"MS UI Gothic"_s})
        QFont::insertSubstitutions(name, proportionalFamilies());
    for (const QString &name : {u"ＭＳ ゴシック"_s, u"MS Gothic"_s})
        QFont::insertSubstitutions(name, fixedFamilies());
    for (const QString &name : {u"ＭＳ Ｐ明朝"_s, u"MS PMincho"_s, u"ＭＳ 明朝"_s, u"MS Mincho"_s})
        QFont::insertSubstitutions(name, serifFamilies());
}

JapaneseFontSet chooseJapaneseFonts(const QStringList &installed)
{
    JapaneseFontSet set;
    set.proportional = firstInstalled(proportionalFamilies(), installed);
    set.fixed = firstInstalled(fixedFamilies(), installed);
    // Without a Mincho, a Gothic still beats a Chinese serif face for kanji.
    set.serif = firstInstalled(serifFamilies(), installed);
    if (set.serif.isEmpty())
        set.serif = set.proportional;
    if (set.fixed.isEmpty())
        set.fixed = set.proportional;
    return set;
}

JapaneseFontSet installedJapaneseFonts()
{
    return chooseJapaneseFonts(QFontDatabase::families(QFontDatabase::Japanese));
}

void useJapaneseFonts(const JapaneseFontSet &fonts)
{
    mapWindowsJapaneseFonts();
    const QString family = fonts.proportional;
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    font.setFamilies({family});
    QApplication::setFont(font);
}

} // namespace platform
