#pragma once
// Where a picture goes in a preview box: at its own size when it fits, otherwise scaled down to
// fit with its aspect ratio kept.
namespace kalvo {

struct TPreviewSize {
    int width = 0;
    int height = 0;
    bool operator==(const TPreviewSize&) const = default;
};

// The size a width x height picture is shown at in a boxWidth x boxHeight box. A picture no
// larger than the box keeps its size; a larger one is scaled by
// min(boxWidth / width, boxHeight / height), the side that limits it spanning the box and the
// other rounded to the nearest pixel (at least 1). Empty for an empty picture or box.
TPreviewSize FitPreviewSize(int width, int height, int boxWidth, int boxHeight);

} // namespace kalvo
