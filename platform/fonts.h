#pragma once

namespace platform {

// The Windows Japanese font names the windows ask for ("ＭＳ Ｐゴシック", "ＭＳ ゴシック")
// resolve to installed families of the same metrics, so text lays out as designed. Safe to
// call more than once.
void mapWindowsJapaneseFonts();

} // namespace platform
