#pragma once

#include <QString>
#include <QStringList>

namespace platform {

// The Windows Japanese font names the windows ask for ("ＭＳ Ｐゴシック", "ＭＳ ゴシック")
// resolve to installed families of the same metrics, so text lays out as designed. Safe to
// call more than once.
void mapWindowsJapaneseFonts();

// Japanese families for the user interface and the engine's generic families; "" where no
// installed family fits, which leaves that one as it was.
struct JapaneseFontSet
{
    QString userInterface; // the windows' own text, the address box included
    QString sansSerif;     // the engine's standard and sans-serif families
    QString serif;
    QString fixed;

    bool operator==(const JapaneseFontSet &) const = default;
};

// The choice from the installed families (as QFontDatabase::families() lists them).
JapaneseFontSet chooseJapaneseFonts(const QStringList &installed);
// The choice from this system's families. Needs a QGuiApplication.
JapaneseFontSet installedJapaneseFonts();

// Maps the Windows names and gives the application a proportional Japanese font: left to
// fontconfig, a monospaced Gothic is often picked for Japanese text.
void useJapaneseFonts(const JapaneseFontSet &fonts);

// Makes Japanese the program's default locale, whatever the desktop's: the engine takes
// the language of its own pages (errors, the PDF viewer, form messages) from it when its
// first profile is made, so this must come before that.
void useJapaneseLocale();

} // namespace platform
