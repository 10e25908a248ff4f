#pragma once

// Text in the desktop's named colours that lies on a fixed colour of the
// window (the key box's light yellow, the olive background picture) must stay
// readable under any colour scheme: where the scheme's colour would show with
// a contrast below 4.5:1 against what lies beneath, it is drawn black
// instead. Where the scheme's colour is readable, it stays.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>

#include "form1_layout.h"

namespace varvik::ui {

inline constexpr double kLeastContrast = 4.5;
inline constexpr std::uint32_t kBlack = 0x000000;

// Colours are 0xRRGGBB. The luminance and the contrast ratio are those of the
// web's accessibility guidelines.
inline double RelativeLuminance(std::uint32_t rgb)
{
    auto linear = [](std::uint32_t channel) {
        const double c = static_cast<double>(channel & 0xFF) / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(rgb >> 16) + 0.7152 * linear(rgb >> 8) + 0.0722 * linear(rgb);
}

inline double Contrast(std::uint32_t a, std::uint32_t b)
{
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

inline std::uint32_t ReadableOn(std::uint32_t text, std::uint32_t beneath)
{
    return Contrast(text, beneath) >= kLeastContrast ? text : kBlack;
}

// The fixed colour a control's text or outline lies on: its own fill, else
// the fill of the nearest control drawn beneath it that it overlaps, else the
// background picture there (pictureAverage gives the picture's average colour
// over a rectangle).
inline std::uint32_t ColourBeneath(const ControlRow& row, const std::function<std::uint32_t(PixelRect)>& pictureAverage)
{
    if (row.back.source == Colour::Source::Rgb)
        return row.back.rgb;
    const PixelRect r = Pixels(row);
    for (const ControlRow* below = &row; below != kForm1Controls.data();) {
        --below;
        const PixelRect b = Pixels(*below);
        const bool overlaps = b.left < r.left + r.width && r.left < b.left + b.width && b.top < r.top + r.height &&
                              r.top < b.top + b.height;
        if (overlaps && below->back.source == Colour::Source::Rgb)
            return below->back.rgb;
    }
    return pictureAverage(r);
}

} // namespace varvik::ui
