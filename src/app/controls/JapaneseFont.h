#pragma once
// A font that draws a line of Japanese and Latin text in one face. When the interface font has
// no Japanese characters, Qt draws them in a fallback font, and with them the figures and
// punctuation that follow them, so that a line mixes two faces of different widths.
#include <QFont>

namespace kalvo {

// base itself when its family has Japanese characters; otherwise base with the family of the
// first installed font that has both Japanese and Latin characters (base when there is none).
QFont JapaneseTextFont(const QFont& base);

} // namespace kalvo
