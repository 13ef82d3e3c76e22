#include "platform/fonts.h"

#include <QFont>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace platform {

void mapWindowsJapaneseFonts()
{
    // IPA's fonts share the metrics of the MS pair; the Takao and VL families are forks of
    // them, Noto is the last resort on systems without either.
    const QStringList proportional = {u"IPAPGothic"_s, u"TakaoPGothic"_s, u"VL PGothic"_s,
                                      u"Noto Sans CJK JP"_s};
    const QStringList fixed = {u"IPAGothic"_s, u"TakaoGothic"_s, u"VL Gothic"_s,
                               u"Noto Sans Mono CJK JP"_s};
    for (const QString &name : {u"ＭＳ Ｐゴシック"_s, u"MS PGothic"_s})
        QFont::insertSubstitutions(name, proportional);
    for (const QString &name : {u"ＭＳ ゴシック"_s, u"MS Gothic"_s})
        QFont::insertSubstitutions(name, fixed);
}

} // namespace platform
