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
    QString proportional; // user interface, engine standard and sans-serif
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

} // namespace platform
