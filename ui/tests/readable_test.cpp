// The readability rule against figures worked out apart from the program:
// the contrast ratios of the web's accessibility guidelines (relative
// luminance of the linearised channels, (lighter + 0.05) / (darker + 0.05)),
// computed by hand for the colours below, and the averages of the committed
// background picture under the four headings.

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

#include "form1_layout.h"
#include "readable.h"

namespace varvik::ui {
namespace {

constexpr std::uint32_t kYellow = 0xFFFF80; // the key box

TEST(Readable, ContrastOfKnownColourPairs)
{
    const struct {
        std::uint32_t a, b;
        double ratio;
    } cases[] = {
        {0x000000, 0xFFFFFF, 21.0},   {0xFFFFFF, kYellow, 1.0570},  {0x0000FF, kYellow, 8.1292},
        {0x484848, 0x89931E, 2.7246}, {0x484848, 0xBBBF32, 4.6215}, {0xEEEEEE, 0x969E23, 2.5097},
        {0xFF0000, 0x89931E, 1.1911}, {0x00FF00, 0x0000FF, 6.2619}, {0x1E9389, 0x000000, 5.5899},
        {0x89931E, 0x000000, 6.2559},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Contrast(c.a, c.b), c.ratio, 0.0005) << std::hex << c.a << " on " << c.b;
        EXPECT_NEAR(Contrast(c.b, c.a), c.ratio, 0.0005) << std::hex << c.b << " on " << c.a;
    }
}

// Text needs a contrast of 4.5 to stay in the scheme's colour.
TEST(Readable, BelowFourAndAHalfTextTurnsBlack)
{
    EXPECT_EQ(ReadableOn(0x727272, kYellow), 0x727272u); // 4.551
    EXPECT_EQ(ReadableOn(0x737373, kYellow), 0x000000u); // 4.486
    EXPECT_EQ(ReadableOn(0x0000FF, kYellow), 0x0000FFu);
    EXPECT_EQ(ReadableOn(0xEEEEEE, kYellow), 0x000000u);
}

// Scheme colours a hair's breadth either side of 4.5 on the headings'
// background and the key box, with their ratios worked out apart from the
// program: a slip in the luminance or the comparison flips one of them.
TEST(Readable, ColoursRightAtTheLine)
{
    const struct {
        std::uint32_t text, beneath;
        double ratio;
        std::uint32_t drawn;
    } cases[] = {
        {0x01018D, 0x89931E, 4.499845, kBlack},   {0x01018C, 0x89931E, 4.519113, 0x01018C}, // FV heading
        {0x404040, 0xAAB12B, 4.459859, kBlack},   {0x3F3F3F, 0xAAB12B, 4.529767, 0x3F3F3F}, // FVb heading
        {0x4A4A4A, 0xBBBF32, 4.478183, kBlack},   {0x494949, 0xBBBF32, 4.549304, 0x494949}, // EP heading
        {0x404040, 0xBBBF32, 5.239160, 0x404040}, {0x737373, kYellow, 4.486002, kBlack},
    };
    for (const auto& c : cases) {
        EXPECT_NEAR(Contrast(c.text, c.beneath), c.ratio, 0.000005) << std::hex << c.text << " on " << c.beneath;
        EXPECT_EQ(ReadableOn(c.text, c.beneath), c.drawn) << std::hex << c.text << " on " << c.beneath;
    }
}

PixelSource CommittedBackground(const std::vector<std::uint8_t>& raw)
{
    return {kClientPixelWidth, kClientPixelHeight, [&raw](int x, int y) {
                const std::size_t i = (static_cast<std::size_t>(y) * kClientPixelWidth + static_cast<std::size_t>(x)) * 3;
                return std::uint32_t{raw[i]} << 16 | std::uint32_t{raw[i + 1]} << 8 | raw[i + 2];
            }};
}

// What lies beneath each text in the scheme's colours, and which of them a
// grey scheme leaves in its grey.
TEST(Readable, WhichTextsTurnBlackUnderGreySchemes)
{
    std::ifstream file(VARVIK_IMAGES_DIR "/background.rgb", std::ios::binary);
    const std::vector<std::uint8_t> raw{std::istreambuf_iterator<char>(file), {}};
    ASSERT_EQ(raw.size(), std::size_t{366} * 263 * 3);
    const PixelSource picture = CommittedBackground(raw);

    const struct {
        Control control;
        std::uint32_t beneath;
        // the colour drawn under a text colour of 484848, 707070 and C0C0C0
        std::uint32_t dark, mid, light;
    } rows[] = {
        {Control::Label1, 0x89931E, 0x000000, 0x000000, 0x000000},
        {Control::Label2, 0x969E23, 0x000000, 0x000000, 0x000000},
        {Control::Label3, 0xAAB12B, 0x000000, 0x000000, 0x000000},
        {Control::Label4, 0xBBBF32, 0x484848, 0x000000, 0x000000},
        {Control::Label5, kYellow, 0x484848, 0x707070, 0x000000},
        {Control::Label9, kYellow, 0x484848, 0x707070, 0x000000},
        {Control::Shape1, kYellow, 0x484848, 0x707070, 0x000000}, // the frame over the key lines
        {Control::Shape2, kYellow, 0x484848, 0x707070, 0x000000},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(Row(row.control).name);
        const std::uint32_t beneath = ColourBeneath(Row(row.control), picture);
        EXPECT_EQ(beneath, row.beneath);
        EXPECT_EQ(ReadableOn(0x484848, beneath), row.dark);
        EXPECT_EQ(ReadableOn(0x707070, beneath), row.mid);
        EXPECT_EQ(ReadableOn(0xC0C0C0, beneath), row.light);
    }
}

} // namespace
} // namespace varvik::ui
