// Draws the window's three images from nothing but arithmetic, so that the
// same program always gives the same pictures:
//   background.png  480 x 360, 24-bit: sunlight through rippled, frosted glass
//   icon.png        32 x 32, 256 colours, transparent: the name in pixel letters
//   hand_cursor.png 32 x 32, black, white and transparent: a pointing hand
//   background@2x.png, icon@2x.png, hand_cursor@2x.png   the same at twice
//                   the size, for displays that show the window larger
//   background.rgb  the part of the background the window shows (366 x 263)
//                   as raw pixels, for a start without decoding: rows from
//                   the top, 8 bits each of red, green and blue
//   icon-16.png, icon-24.png, icon-48.png, icon-128.png, icon-192.png,
//   icon-256.png, icon-512.png   the icon drawn at the other sizes a desktop
//                   or a phone asks for
//   icon-maskable-512.png   the icon on an opaque backdrop, for a phone to
//                   crop to its own shape
// and the same pictures in the formats a Windows executable carries:
//   background.bmp  24-bit bitmap
//   icon.ico        32 x 32, 16 x 16, 24 x 24 and 48 x 48 at 8 bits a pixel
//                   with a transparency mask, and 256 x 256 as PNG
//   hand_cursor.cur 32 x 32, monochrome with a transparency mask
//   background@2x.bmp, hand_cursor@2x.cur   the same at twice the size
// Usage: make_images OUTPUT_DIRECTORY

#include <QBuffer>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "form1_layout.h"
#include "varvik_version.h"

namespace {

// --- noise ------------------------------------------------------------------

std::uint32_t Hash(std::int32_t x, std::int32_t y, std::uint32_t seed)
{
    std::uint32_t h = seed ^ (static_cast<std::uint32_t>(x) * 0x9E3779B1u) ^ (static_cast<std::uint32_t>(y) * 0x85EBCA77u);
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

double Unit(std::uint32_t h) { return static_cast<double>(h & 0xFFFFFFu) / static_cast<double>(0x1000000); }

double ValueNoise(double x, double y, std::uint32_t seed)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::int32_t>(fx), iy = static_cast<std::int32_t>(fy);
    const double tx = x - fx, ty = y - fy;
    const double sx = tx * tx * (3 - 2 * tx), sy = ty * ty * (3 - 2 * ty);
    const double a = Unit(Hash(ix, iy, seed)), b = Unit(Hash(ix + 1, iy, seed));
    const double c = Unit(Hash(ix, iy + 1, seed)), d = Unit(Hash(ix + 1, iy + 1, seed));
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double Fbm(double x, double y, std::uint32_t seed, int octaves)
{
    double sum = 0, amplitude = 0.5, norm = 0;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * ValueNoise(x, y, seed + static_cast<std::uint32_t>(i) * 101u);
        norm += amplitude;
        x *= 2.03;
        y *= 2.03;
        amplitude *= 0.5;
    }
    return sum / norm;
}

// Distance to the nearest and second-nearest of jittered points on a grid:
// where they are nearly equal lies an edge between two crystal facets.
struct Cells {
    double nearest, second;
    std::uint32_t id;
};

Cells Cellular(double x, double y, std::uint32_t seed)
{
    const auto ix = static_cast<std::int32_t>(std::floor(x)), iy = static_cast<std::int32_t>(std::floor(y));
    Cells cells{1e9, 1e9, 0};
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx) {
            const std::uint32_t h = Hash(ix + dx, iy + dy, seed);
            const double px = ix + dx + Unit(h), py = iy + dy + Unit(Hash(ix + dx, iy + dy, seed + 7u));
            const double d = std::hypot(x - px, y - py);
            if (d < cells.nearest) {
                cells.second = cells.nearest;
                cells.nearest = d;
                cells.id = h;
            } else if (d < cells.second) {
                cells.second = d;
            }
        }
    return cells;
}

double Smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// --- background -------------------------------------------------------------

// At a scale of 2 the same picture is drawn with twice the pixels each way,
// for displays that show the window at twice its size.
QImage Background(int scale)
{
    const int kWidth = 480 * scale, kHeight = 360 * scale;
    const int kVisibleWidth = 366 * scale, kVisibleHeight = 263 * scale;
    constexpr double kGlowX = 253, kGlowY = 152;
    const double yellow[3] = {255, 255, 52};
    const double olive[3] = {128, 140, 18};
    const double ridge[3] = {46, 80, 4};

    std::vector<double> rgb(static_cast<std::size_t>(kWidth) * kHeight * 3);
    for (int row = 0; row < kHeight; ++row)
        for (int column = 0; column < kWidth; ++column) {
            // The centre of the pixel in the picture's own 480 x 360 units.
            const double x = (column + 0.5) / scale - 0.5, y = (row + 0.5) / scale - 0.5;
            // Rippled glass: the picture is sampled a little off its place.
            const double wx = x + 10 * (Fbm(x / 60.0, y / 60.0, 11u, 3) - 0.5);
            const double wy = y + 10 * (Fbm(x / 60.0, y / 60.0, 29u, 3) - 0.5);

            const double glow = std::exp(-(std::pow(wx - kGlowX, 2) + std::pow(wy - kGlowY, 2)) / (2 * 85.0 * 85.0));
            const double frost = Fbm(wx / 20.0, wy / 20.0, 5u, 4);
            double light = std::clamp(0.1 + 1.15 * glow + 0.3 * (frost - 0.5), 0.0, 1.0);

            // Jagged crystal edges: two skewed grids of facets, their borders
            // roughened by fine noise, darker and denser towards the bottom.
            const double jx = wx + 5 * (Fbm(wx / 6.0, wy / 6.0, 41u, 2) - 0.5);
            const double jy = wy + 5 * (Fbm(wx / 6.0, wy / 6.0, 43u, 2) - 0.5);
            const Cells a = Cellular((jx + 0.6 * jy) / 46.0, jy / 22.0, 77u);
            const Cells b = Cellular((jx - 0.5 * jy) / 38.0, jy / 30.0, 91u);
            const double edgeA = 1.0 - Smoothstep(0.0, 0.09, a.second - a.nearest);
            const double edgeB = 1.0 - Smoothstep(0.0, 0.07, b.second - b.nearest);
            const double facet = Unit(a.id);
            const double lower = Smoothstep(150, 300, wy);
            light = std::clamp(light + lower * 0.18 * (facet - 0.5), 0.0, 1.0);
            const double darkness =
                std::clamp(lower * (0.75 * std::max(edgeA, 0.8 * edgeB) + 0.3 * (1 - facet)), 0.0, 0.9);

            double* out = &rgb[(static_cast<std::size_t>(row) * kWidth + column) * 3];
            for (int c = 0; c < 3; ++c) {
                const double lit = olive[c] + (yellow[c] - olive[c]) * light;
                out[c] = lit + (ridge[c] - lit) * darkness;
            }
        }

    // Scale each channel so that the part the window shows averages B3B92F.
    const double target[3] = {0xB3, 0xB9, 0x2F};
    for (int round = 0; round < 6; ++round) {
        double sum[3] = {0, 0, 0};
        for (int y = 0; y < kVisibleHeight; ++y)
            for (int x = 0; x < kVisibleWidth; ++x)
                for (int c = 0; c < 3; ++c)
                    sum[c] += std::clamp(rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3 + c], 0.0, 255.0);
        for (int c = 0; c < 3; ++c) {
            const double gain = target[c] / (sum[c] / (static_cast<double>(kVisibleWidth) * kVisibleHeight));
            for (std::size_t i = static_cast<std::size_t>(c); i < rgb.size(); i += 3)
                rgb[i] *= gain;
        }
    }

    QImage image(kWidth, kHeight, QImage::Format_RGB888);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const double* in = &rgb[(static_cast<std::size_t>(y) * kWidth + x) * 3];
            auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 255.0))); };
            image.setPixel(x, y, qRgb(channel(in[0]), channel(in[1]), channel(in[2])));
        }
    return image;
}

// --- icon -------------------------------------------------------------------

// Three-by-five pixel letters: the name's, and all a version number needs.
const std::map<char, const char*> kGlyphs{
    {'V', "1.1" "1.1" "1.1" "1.1" ".1."}, {'A', ".1." "1.1" "111" "1.1" "1.1"},
    {'R', "11." "1.1" "11." "1.1" "1.1"}, {'I', "111" ".1." ".1." ".1." "111"},
    {'K', "1.1" "1.1" "11." "1.1" "1.1"}, {'.', "..." "..." "..." "..." ".1."},
    {'0', "111" "1.1" "1.1" "1.1" "111"}, {'1', ".1." "11." ".1." ".1." "111"},
    {'2', "11." "..1" ".1." "1.." "111"}, {'3', "11." "..1" ".1." "..1" "11."},
    {'4', "1.1" "1.1" "111" "..1" "..1"}, {'5', "111" "1.." "11." "..1" "11."},
    {'6', ".11" "1.." "111" "1.1" "111"}, {'7', "111" "..1" ".1." ".1." ".1."},
    {'8', "111" "1.1" "111" "1.1" "111"}, {'9', "111" "1.1" "111" "..1" "11."},
};

enum IconIndex : uint8_t { kClear = 0, kBlack = 1, kYellow = 2, kGreen = 3 };

// Letters of scale x scale pixels a dot, gap pixels apart.
void DrawText(QImage& icon, std::string_view text, int x, int y, int scale, int gap, uint8_t colour)
{
    for (const char letter : text) {
        const char* glyph = kGlyphs.at(letter);
        for (int gy = 0; gy < 5; ++gy)
            for (int gx = 0; gx < 3; ++gx)
                if (glyph[gy * 3 + gx] == '1')
                    for (int sy = 0; sy < scale; ++sy)
                        for (int sx = 0; sx < scale; ++sx)
                            icon.setPixel(x + gx * scale + sx, y + gy * scale + sy, colour);
        x += (3 + 1) * scale + gap;
    }
}

// Where the icon's parts lie at one size: the tiny lettering along the top
// (where there is room for it), the two words, and the outline's width.
struct IconLayout {
    int size;
    int tinyScale, tinyX; // tinyScale 0: no lettering
    int letterScale, gap, lettersX, varY, vikY;
    int outline;
};

// Each size is drawn for itself rather than scaled from another: at 16 and
// 24 pixels the words fill the icon without the lettering, from 64 pixels
// up the outline is finer than an enlarged one would be.
constexpr IconLayout kIconLayouts[] = {
    {16, 0, 0, 1, 1, 1, 1, 9, 1},
    {24, 0, 0, 2, 0, 1, 1, 13, 1},
    {32, 1, 4, 2, 2, 2, 7, 20, 1}, // the window's icon
    {48, 1, 12, 3, 3, 4, 9, 29, 1},
    {64, 2, 8, 4, 4, 4, 14, 40, 1},
    {128, 4, 16, 8, 8, 8, 28, 80, 2},
    {192, 6, 24, 12, 12, 12, 42, 120, 3},
    {256, 8, 32, 16, 16, 16, 56, 160, 4},
    {512, 16, 64, 32, 32, 32, 112, 320, 8},
};

QImage Icon(const IconLayout& layout)
{
    const int size = layout.size;
    QImage icon(size, size, QImage::Format_Indexed8);
    QList<QRgb> table(256);
    for (int i = 0; i < 256; ++i)
        table[i] = qRgb(i, i, i); // a full 256-colour table; only the first four are used
    table[kClear] = qRgba(0, 0, 0, 0);
    table[kBlack] = qRgb(0, 0, 0);
    table[kYellow] = qRgb(0xFF, 0xFF, 0x6B);
    table[kGreen] = qRgb(0x7A, 0xB9, 0x00);
    icon.setColorTable(table);
    icon.fill(kClear);

    if (layout.tinyScale > 0)
        DrawText(icon, "V" + std::string(varvik::kVersion), layout.tinyX, 0, layout.tinyScale, 0, kBlack);
    DrawText(icon, "VAR", layout.lettersX, layout.varY, layout.letterScale, layout.gap, kYellow);
    DrawText(icon, "VIK", layout.lettersX, layout.vikY, layout.letterScale, layout.gap, kGreen);

    // Outline every letter pixel of the name in black.
    const QImage letters = icon.copy();
    const int reach = layout.outline;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            if (letters.pixelIndex(x, y) != kClear)
                continue;
            bool touches = false;
            for (int dy = -reach; dy <= reach; ++dy)
                for (int dx = -reach; dx <= reach; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < size && ny < size) {
                        const int index = letters.pixelIndex(nx, ny);
                        touches = touches || index == kYellow || index == kGreen;
                    }
                }
            if (touches)
                icon.setPixel(x, y, kBlack);
        }
    return icon;
}

QImage Icon(int size)
{
    for (const IconLayout& layout : kIconLayouts)
        if (layout.size == size)
            return Icon(layout);
    return {};
}

// The icon a phone crops to a shape of its own (a circle, a rounded square):
// on an opaque backdrop, the 256-pixel icon in the middle of 512, where the
// smallest of those shapes, a circle of 0.4 times the size, still holds it.
QImage MaskableIcon()
{
    const QImage inner = Icon(256);
    QImage icon(512, 512, QImage::Format_Indexed8);
    QList<QRgb> table = inner.colorTable();
    constexpr uint8_t kBackdrop = 4;
    table[kBackdrop] = 0xFF000000u | VARVIK_THEME_COLOUR;
    icon.setColorTable(table);
    icon.fill(kBackdrop);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            if (const int index = inner.pixelIndex(x, y); index != kClear)
                icon.setPixel(128 + x, 128 + y, index);
    return icon;
}

// --- cursor -----------------------------------------------------------------

QImage HandCursor()
{
    // '#' black, '.' white, ' ' transparent. The fingertip is at (5, 0).
    static const char* const kHand[] = {
        "     ##          ",
        "    #..#         ",
        "    #..#         ",
        "    #..#         ",
        "    #..#         ",
        "    #..###       ",
        "    #..#..###    ",
        "    #..#..#..##  ",
        "    #..#..#..#.# ",
        " ## #..#..#..#..#",
        "#..##..#..#..#..#",
        "#...#...........#",
        " #..............#",
        "  #.............#",
        "  #.............#",
        "   #............#",
        "   #...........# ",
        "    #..........# ",
        "    #.........#  ",
        "     #........#  ",
        "     #........#  ",
        "     ##########  ",
    };
    QImage cursor(32, 32, QImage::Format_Indexed8);
    cursor.setColorTable({qRgba(0, 0, 0, 0), qRgb(0, 0, 0), qRgb(255, 255, 255)});
    cursor.fill(0);
    for (int y = 0; y < 22; ++y)
        for (int x = 0; x < 17; ++x) {
            const char c = kHand[y][x];
            if (c != ' ')
                cursor.setPixel(x, y, c == '#' ? 1 : 2);
        }
    return cursor;
}

// The hand at twice the size, with outlines of one pixel: where the outline
// faces the outside it stays on the outer pixel, and a line inside the hand
// (between the fingers) keeps its left or upper pixel.
QImage HandCursorTwice(const QImage& hand)
{
    const int size = hand.width() * 2;
    QImage twice(size, size, QImage::Format_Indexed8);
    twice.setColorTable(hand.colorTable());
    twice.fill(0);
    auto source = [&hand](int x, int y) {
        return x < 0 || y < 0 || x >= hand.width() || y >= hand.height() ? 0 : hand.pixelIndex(x, y);
    };
    auto nearClear = [&source](int x, int y, int reach) {
        for (int dy = -reach; dy <= reach; ++dy)
            for (int dx = -reach; dx <= reach; ++dx)
                if (source(x + dx, y + dy) == 0)
                    return true;
        return false;
    };
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const int sx = x / 2, sy = y / 2, index = source(sx, sy);
            if (index != 1) {
                twice.setPixel(x, y, static_cast<uint>(index));
                continue;
            }
            bool black;
            if (nearClear(sx, sy, 1)) {
                // An outline pixel: black where the half pixel faces the outside.
                black = false;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx)
                        black = black || source((x + dx) / 2 - ((x + dx) < 0), (y + dy) / 2 - ((y + dy) < 0)) == 0;
            } else {
                // A line inside the hand: between white on its left and right
                // it runs up and down, between white above and below it runs
                // across.
                const bool upright = source(sx - 1, sy) == 2 && source(sx + 1, sy) == 2;
                const bool across = source(sx, sy - 1) == 2 && source(sx, sy + 1) == 2;
                black = upright ? x % 2 == 0 : across ? y % 2 == 0 : (x % 2 == 0 || y % 2 == 0);
            }
            twice.setPixel(x, y, black ? 1u : 2u);
        }
    return twice;
}

// --- Windows formats -----------------------------------------------------------

// Little-endian bytes, as every Windows image format stores its numbers.
class Bytes {
public:
    void U8(int v) { data_.push_back(static_cast<char>(v & 0xFF)); }
    void U16(int v)
    {
        U8(v);
        U8(v >> 8);
    }
    void U32(std::uint32_t v)
    {
        U16(static_cast<int>(v & 0xFFFF));
        U16(static_cast<int>(v >> 16));
    }
    void Append(const Bytes& other) { data_.append(other.data_); }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(data_.size()); }
    const QByteArray& Data() const { return data_; }

private:
    QByteArray data_;
};

constexpr int RowBytes(int width, int bitsPerPixel) { return (width * bitsPerPixel + 31) / 32 * 4; }

void InfoHeader(Bytes& out, int width, int height, int bitsPerPixel, std::uint32_t imageSize, std::uint32_t colours)
{
    out.U32(40);
    out.U32(static_cast<std::uint32_t>(width));
    out.U32(static_cast<std::uint32_t>(height));
    out.U16(1);
    out.U16(bitsPerPixel);
    out.U32(0); // uncompressed
    out.U32(imageSize);
    out.U32(0);
    out.U32(0);
    out.U32(colours);
    out.U32(0);
}

// Rows from the bottom up, each padded to four bytes; pixel(x, y) gives the
// bits of one pixel.
template <typename Pixel>
void Rows(Bytes& out, int width, int height, int bitsPerPixel, Pixel pixel)
{
    for (int y = height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(static_cast<std::size_t>(RowBytes(width, bitsPerPixel)), 0);
        for (int x = 0; x < width; ++x) {
            const std::uint32_t bits = pixel(x, y);
            if (bitsPerPixel == 24) {
                row[static_cast<std::size_t>(x) * 3 + 0] = static_cast<std::uint8_t>(bits);
                row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<std::uint8_t>(bits >> 8);
                row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<std::uint8_t>(bits >> 16);
            } else {
                const int bit = x * bitsPerPixel;
                const int shift = 8 - bitsPerPixel - bit % 8;
                row[static_cast<std::size_t>(bit / 8)] |= static_cast<std::uint8_t>(bits << shift);
            }
        }
        for (const std::uint8_t b : row)
            out.U8(b);
    }
}

// Rows from the top, without padding, 8 bits each of red, green and blue.
QByteArray RawPixels(const QImage& image)
{
    const QImage converted = image.convertToFormat(QImage::Format_RGB888);
    const int rowBytes = converted.width() * 3;
    QByteArray out;
    for (int y = 0; y < converted.height(); ++y)
        out.append(reinterpret_cast<const char*>(converted.constScanLine(y)), rowBytes);
    return out;
}

QByteArray Bitmap(const QImage& image)
{
    Bytes pixels;
    Rows(pixels, image.width(), image.height(), 24, [&](int x, int y) {
        return static_cast<std::uint32_t>(image.pixel(x, y) & 0xFFFFFF); // B, G, R in that order
    });
    Bytes out;
    out.U8('B');
    out.U8('M');
    out.U32(14 + 40 + pixels.Size());
    out.U32(0);
    out.U32(14 + 40);
    InfoHeader(out, image.width(), image.height(), 24, pixels.Size(), 0);
    out.Append(pixels);
    return out.Data();
}

// One image of an icon or cursor file: the colour table, the colour pixels,
// then the mask whose set bits let the screen show through.
QByteArray DeviceIndependentImage(const QImage& image, int bitsPerPixel)
{
    const int size = image.width();
    const int colours = 1 << bitsPerPixel;
    Bytes body;
    InfoHeader(body, size, size * 2, bitsPerPixel,
               static_cast<std::uint32_t>((RowBytes(size, bitsPerPixel) + RowBytes(size, 1)) * size),
               static_cast<std::uint32_t>(colours));
    for (int i = 0; i < colours; ++i) {
        const QRgb c = i < image.colorCount() ? image.color(i) : qRgb(0, 0, 0);
        body.U8(qBlue(c));
        body.U8(qGreen(c));
        body.U8(qRed(c));
        body.U8(0);
    }
    // A transparent pixel is colour 0, black, under a set mask bit.
    Rows(body, size, size, bitsPerPixel, [&](int x, int y) {
        return qAlpha(image.pixel(x, y)) == 0 ? 0u : static_cast<std::uint32_t>(image.pixelIndex(x, y));
    });
    Rows(body, size, size, 1, [&](int x, int y) { return qAlpha(image.pixel(x, y)) == 0 ? 1u : 0u; });
    return body.Data();
}

QByteArray Png(const QImage& image)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// One entry of an icon or cursor file. A cursor's entry carries its hot spot
// where an icon's carries its planes and bits a pixel.
struct Entry {
    int size, colours, word1, word2;
    QByteArray data;
};

QByteArray IconFile(const std::vector<Entry>& entries, bool cursor)
{
    Bytes out;
    out.U16(0);
    out.U16(cursor ? 2 : 1);
    out.U16(static_cast<int>(entries.size()));
    auto offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
    for (const Entry& entry : entries) {
        out.U8(entry.size >= 256 ? 0 : entry.size); // 0 stands for 256
        out.U8(entry.size >= 256 ? 0 : entry.size);
        out.U8(entry.colours >= 256 ? 0 : entry.colours);
        out.U8(0);
        out.U16(entry.word1);
        out.U16(entry.word2);
        out.U32(static_cast<std::uint32_t>(entry.data.size()));
        out.U32(offset);
        offset += static_cast<std::uint32_t>(entry.data.size());
    }
    QByteArray file = out.Data();
    for (const Entry& entry : entries)
        file.append(entry.data);
    return file;
}

// The program's icon at every size Windows shows it: the window's own 32 x 32
// first, then 16, 24 and 48, each at 8 bits a pixel with a transparency
// mask, and 256 as a PNG, as Windows keeps its large icons.
QByteArray ProgramIcon()
{
    std::vector<Entry> entries;
    for (const int size : {32, 16, 24, 48})
        entries.push_back({size, 256, 1, 8, DeviceIndependentImage(Icon(size), 8)});
    entries.push_back({256, 0, 1, 32, Png(Icon(256))});
    return IconFile(entries, false);
}

// A monochrome cursor; its hot spot is the fingertip, twice as far from the
// corner on the hand drawn twice the size.
QByteArray CursorFile(const QImage& mono, int scale)
{
    return IconFile({{mono.width(), 2, varvik::ui::kHandHotSpotX * scale, varvik::ui::kHandHotSpotY * scale,
                      DeviceIndependentImage(mono, 1)}},
                    true);
}

// The hand with black as colour 0 and white as colour 1, as a monochrome
// cursor has them.
QImage MonochromeHand(const QImage& hand)
{
    QImage mono(hand.size(), QImage::Format_Indexed8);
    mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255), qRgba(0, 0, 0, 0)});
    for (int y = 0; y < hand.height(); ++y)
        for (int x = 0; x < hand.width(); ++x) {
            const QRgb p = hand.pixel(x, y);
            mono.setPixel(x, y, qAlpha(p) == 0 ? 2 : (p == qRgb(255, 255, 255) ? 1 : 0));
        }
    return mono;
}

bool Write(const QDir& out, const char* name, const QByteArray& bytes)
{
    QFile file(out.filePath(QLatin1String(name)));
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: make_images OUTPUT_DIRECTORY\n";
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    const QImage background = Background(1);
    const QImage background2x = Background(2);
    const QImage icon = Icon(32);
    const QImage hand = HandCursor();
    const QImage icon2x = Icon(64);
    const QImage hand2x = HandCursorTwice(hand);
    bool ok = background.save(out.filePath(QStringLiteral("background.png")), "PNG") &&
                    icon.save(out.filePath(QStringLiteral("icon.png")), "PNG") &&
                    hand.save(out.filePath(QStringLiteral("hand_cursor.png")), "PNG") &&
                    Write(out, "background.bmp", Bitmap(background)) &&
                    Write(out, "background.rgb", RawPixels(background.copy(0, 0, 366, 263))) && Write(out, "icon.ico", ProgramIcon()) &&
                    Write(out, "hand_cursor.cur", CursorFile(MonochromeHand(hand), 1)) &&
                    background2x.save(out.filePath(QStringLiteral("background@2x.png")), "PNG") &&
                    Write(out, "background@2x.bmp", Bitmap(background2x)) &&
                    Write(out, "hand_cursor@2x.cur", CursorFile(MonochromeHand(hand2x), 2)) &&
                    icon2x.save(out.filePath(QStringLiteral("icon@2x.png")), "PNG") &&
                    hand2x.save(out.filePath(QStringLiteral("hand_cursor@2x.png")), "PNG");
    // The icon at the other sizes a desktop asks for.
    for (const int size : {16, 24, 48, 128, 192, 256, 512})
        ok = ok && Icon(size).save(out.filePath(QStringLiteral("icon-%1.png").arg(size)), "PNG");
    ok = ok && MaskableIcon().save(out.filePath(QStringLiteral("icon-maskable-512.png")), "PNG");
    if (!ok)
        err << "make_images: could not write to " << out.path() << "\n";
    return ok ? 0 : 1;
}
