#pragma once
// Brightness and contrast as one table for all three channels.
#include "imaging/adjust/ChannelTables.h"

namespace kalvo {

// Brightness b and contrast c, each -100..100 (limited to it). With x = v / 255: x := x (1 +
// b/100) for b < 0, else x + (1 - x) b/100; then x := (x - 0.5) tan((c/100 + 1) pi/4) + 0.5,
// where c = 100 is a threshold (below 0.5 -> 0, above -> 1, 0.5 stays); v' = clamp255(Round(255 x)).
TValueTable BrightnessContrastTable(int brightness, int contrast);

} // namespace kalvo
