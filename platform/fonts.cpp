#include "platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLocale>

using namespace Qt::StringLiterals;

namespace platform {

namespace {

// A family as fontconfig may name it: its English name, then the name it carries for a
// Japanese locale, which is what QFontDatabase lists there.
struct Family
{
    QString name;
    QString localized;
};

// IPA's fonts share the metrics of the MS pair; the Takao and VL families are forks of
// them, Noto is the last resort on systems without either.
QList<Family> proportionalFamilies()
{
    return {{u"IPAPGothic"_s, u"IPA Pゴシック"_s},
            {u"TakaoPGothic"_s, u"Takao Pゴシック"_s},
            {u"VL PGothic"_s, u"VL Pゴシック"_s},
            {u"Noto Sans CJK JP"_s, {}}};
}
// For pages Noto comes first: it has a real bold (IPA's is drawn thicker by the
// renderer), and pages are not laid out in the MS fonts' metrics as our windows are.
QList<Family> pageSansSerifFamilies()
{
    return QList<Family> {{u"Noto Sans CJK JP"_s, {}}} + proportionalFamilies();
}
QList<Family> fixedFamilies()
{
    return {{u"IPAGothic"_s, u"IPAゴシック"_s},
            {u"TakaoGothic"_s, u"Takaoゴシック"_s},
            {u"VL Gothic"_s, u"VL ゴシック"_s},
            {u"Noto Sans Mono CJK JP"_s, {}}};
}
QList<Family> serifFamilies()
{
    return {{u"IPAPMincho"_s, u"IPA P明朝"_s}, {u"TakaoPMincho"_s, u"Takao P明朝"_s}, {u"Noto Serif CJK JP"_s, {}}};
}

QStringList names(const QList<Family> &families)
{
    QStringList list;
    for (const Family &family : families)
        list.append(family.name);
    return list;
}

// The English name, which fontconfig resolves under every locale.
QString firstInstalled(const QList<Family> &wanted, const QStringList &installed)
{
    for (const Family &family : wanted) {
        if (installed.contains(family.name, Qt::CaseInsensitive)
            || (!family.localized.isEmpty() && installed.contains(family.localized, Qt::CaseInsensitive)))
            return family.name;
    }
    return {};
}

} // namespace

void mapWindowsJapaneseFonts()
{
    for (const QString &name : {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s, u"ＭＳ ＵＩ Ｇｏｔｈｉｃ"_s, u"MS UI Gothic"_s})
        QFont::insertSubstitutions(name, names(proportionalFamilies()));
    for (const QString &name : {u"ＭＳ ゴシック"_s, u"MS Gothic"_s})
        QFont::insertSubstitutions(name, names(fixedFamilies()));
    for (const QString &name : {u"ＭＳ Ｐ明朝"_s, u"MS PMincho"_s, u"ＭＳ 明朝"_s, u"MS Mincho"_s})
        QFont::insertSubstitutions(name, names(serifFamilies()));
}

JapaneseFontSet chooseJapaneseFonts(const QStringList &installed)
{
    JapaneseFontSet set;
    set.userInterface = firstInstalled(proportionalFamilies(), installed);
    set.sansSerif = firstInstalled(pageSansSerifFamilies(), installed);
    set.fixed = firstInstalled(fixedFamilies(), installed);
    // Without a Mincho, a Gothic still beats a Chinese serif face for kanji.
    set.serif = firstInstalled(serifFamilies(), installed);
    if (set.serif.isEmpty())
        set.serif = set.sansSerif;
    if (set.fixed.isEmpty())
        set.fixed = set.userInterface;
    return set;
}

JapaneseFontSet installedJapaneseFonts()
{
    return chooseJapaneseFonts(QFontDatabase::families(QFontDatabase::Japanese));
}

void useJapaneseFonts(const JapaneseFontSet &fonts)
{
    mapWindowsJapaneseFonts();
    const QString family = fonts.userInterface;
    if (family.isEmpty())
        return;
    QFont font = QApplication::font();
    font.setFamilies({family});
    QApplication::setFont(font);
}

void useJapaneseLocale()
{
    QLocale::setDefault(QLocale(QLocale::Japanese, QLocale::Japan));
}

} // namespace platform
