#pragma once
// The text tool's lines rendered as coverage: the font from the tool settings (size in points at
// 96 dpi), aliased coverage being only 0 or 255.
#include "canvas/ToolSettings.h"
#include "imaging/raster/ShapeMask.h"

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QString>

namespace kalvo {

// The font of the settings; antiAlias false asks for aliased glyphs.
QFont TextFontOf(const TToolSettings& settings, bool antiAlias);

// The image rectangle the text occupies with its first line's top-left at pos (one line high
// when the text is empty).
QRect TextBox(const QFont& font, const QString& text, QPoint pos);

// The caret of the text at index as an image rectangle one pixel wide.
QRect TextCaret(const QFont& font, const QString& text, int index, QPoint pos);

// The coverage of the text (lines split at '\n') with its first line's top-left at pos; with
// antiAlias false every pixel is 0 or 255.
TCoverage RenderTextCoverage(const QFont& font, const QString& text, QPoint pos, bool antiAlias);

} // namespace kalvo
