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

// Colours are 0xRRGGBB. The channels' linear light, the luminance and the
// contrast ratio are those of the web's accessibility guidelines.
inline double LinearLight(std::uint32_t channel)
{
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

inline double RelativeLuminance(std::uint32_t rgb)
{
    return 0.2126 * LinearLight((rgb >> 16) & 0xFF) + 0.7152 * LinearLight((rgb >> 8) & 0xFF) +
           0.0722 * LinearLight(rgb & 0xFF);
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

// The background picture as a window holds it: its size, and the colour of
// one pixel as 0xRRGGBB.
struct PixelSource {
    int width, height;
    std::function<std::uint32_t(int x, int y)> pixel;
};

inline std::uint32_t AverageColour(const PixelSource& picture, PixelRect r)
{
    double sum[3] = {0, 0, 0};
    int count = 0;
    for (int y = std::max(0, r.top); y < std::min(picture.height, r.top + r.height); ++y)
        for (int x = std::max(0, r.left); x < std::min(picture.width, r.left + r.width); ++x, ++count) {
            const std::uint32_t p = picture.pixel(x, y);
            sum[0] += (p >> 16) & 0xFF;
            sum[1] += (p >> 8) & 0xFF;
            sum[2] += p & 0xFF;
        }
    if (count == 0)
        return 0;
    auto channel = [count](double total) { return static_cast<std::uint32_t>(total / count + 0.5); };
    return channel(sum[0]) << 16 | channel(sum[1]) << 8 | channel(sum[2]);
}

// The fixed colour a control's text or outline lies on: its own fill, else
// the fill of the nearest control drawn beneath it that it overlaps, else the
// background picture's average there.
inline std::uint32_t ColourBeneath(const ControlRow& row, const PixelSource& picture)
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
    return AverageColour(picture, r);
}

} // namespace varvik::ui
