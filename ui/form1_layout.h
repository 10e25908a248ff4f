#pragma once

// The window description of Form1: every control with its place and looks.
// Positions and sizes are in twips from the client area's top-left corner,
// laid out at 15 twips a pixel. Rows run from the bottom of the stack to the
// top: a later control is drawn over an earlier one, so the frame Shape1 lies
// over the key labels and the link Label10 over the publisher line Label11.
//
// Both windows, the Qt one and the native Windows one, are built from this
// table; it names no toolkit's types.

#include <array>
#include <cstdint>
#include <string_view>

#include "field_set.h"

namespace varvik::ui {

inline constexpr int kTwipsPerPixel = 15;
inline constexpr int kClientWidth = 5490;  // twips
inline constexpr int kClientHeight = 3945; // twips

// The most characters a user can type or paste into an entry field, and what
// entering a field selects.
inline constexpr int kFieldMaxLength = 8;

// The tip of the hand cursor's index finger, the point that clicks.
inline constexpr int kHandHotSpotX = 5;
inline constexpr int kHandHotSpotY = 0;

enum class Kind { PictureBox, Label, TextBox, PushButton, Shape };

// The desktop's named colours, which follow its colour scheme.
enum class SystemColour { None, ButtonFace, ButtonText, WindowText };

// A colour is the control's own default, transparent, one of the desktop's
// named colours, or a fixed RGB value (0xRRGGBB).
struct Colour {
    enum class Source { Default, Transparent, System, Rgb };
    Source source = Source::Default;
    SystemColour system = SystemColour::None;
    std::uint32_t rgb = 0;
};

inline constexpr Colour Default{};
inline constexpr Colour Transparent{Colour::Source::Transparent};
inline constexpr Colour ButtonFace{Colour::Source::System, SystemColour::ButtonFace};
inline constexpr Colour ButtonText{Colour::Source::System, SystemColour::ButtonText};
inline constexpr Colour WindowText{Colour::Source::System, SystemColour::WindowText};
inline constexpr Colour LightYellow{Colour::Source::Rgb, SystemColour::None, 0xFFFF80};
inline constexpr Colour Blue{Colour::Source::Rgb, SystemColour::None, 0x0000FF};

// Every control's font is the window's 8.25-point face; these flags say how
// it differs.
enum FontStyle { Regular = 0, Bold = 1, Underline = 2 };
inline constexpr double kFontPointSize = 8.25;
inline constexpr const char* kFontFace = "MS Sans Serif";
enum class Align { Left, Center };

inline constexpr int kNoTab = -1;

struct ControlRow {
    const char* name;
    Kind kind;
    const char* caption;
    int left, top, width, height; // twips
    int tabIndex;
    Colour back;
    Colour fore; // text, or a shape's outline
    int font;    // FontStyle flags
    Align align;
};

inline constexpr const char* kHomepage = "http://varvik.example";

// clang-format off
inline constexpr std::array<ControlRow, 21> kForm1Controls{{
//   name        kind              caption                                    left   top  width height  tab     back         fore        font              align
    {"Picture1", Kind::PictureBox, "",                                        -240,    0, 5895,  135,   16,     ButtonFace,  Default,    Regular,          Align::Left},
    {"Label1",   Kind::Label,      "FV",                                       240,  360,  855,  255,    0,     Transparent, ButtonText, Bold,             Align::Center},
    {"Label2",   Kind::Label,      "GEV",                                     1320,  360,  855,  255,    1,     Transparent, ButtonText, Bold,             Align::Center},
    {"Label3",   Kind::Label,      "FVb",                                     2400,  360,  855,  255,    2,     Transparent, ButtonText, Bold,             Align::Center},
    {"Label4",   Kind::Label,      "EP",                                      3480,  360,  855,  255,    3,     Transparent, ButtonText, Bold,             Align::Center},
    {"Text1",    Kind::TextBox,    "0",                                        240,  720,  855,  375,    4,     Default,     Default,    Regular,          Align::Left},
    {"Text2",    Kind::TextBox,    "0",                                       1320,  720,  855,  375,    5,     Default,     Default,    Regular,          Align::Left},
    {"Text3",    Kind::TextBox,    "0",                                       2400,  720,  855,  375,    6,     Default,     Default,    Regular,          Align::Left},
    {"Text4",    Kind::TextBox,    "0",                                       3480,  720,  855,  375,    7,     Default,     Default,    Regular,          Align::Left},
    {"Command3", Kind::PushButton, "Rensa",                                   4560,  720,  735,  375,    8,     Default,     Default,    Regular,          Align::Center},
    {"Command1", Kind::PushButton, "Beräkna EP",                               240, 1200, 1095,  375,    9,     Default,     Default,    Regular,          Align::Center},
    {"Command2", Kind::PushButton, "Beräkna FVb",                             1440, 1200, 1095,  375,   10,     Default,     Default,    Regular,          Align::Center},
    {"Label5",   Kind::Label,      " Nyckel ",                                 240, 2040, 2895,  255,   15,     LightYellow, WindowText, Underline,        Align::Left},
    {"Label6",   Kind::Label,      " FV = Nuvarande färdighetsvärde",          240, 2280, 2895,  255,   14,     LightYellow, WindowText, Regular,          Align::Left},
    {"Label7",   Kind::Label,      " GEV = Grundegenskapsvärde",               240, 2520, 2895,  255,   13,     LightYellow, WindowText, Regular,          Align::Left},
    {"Label8",   Kind::Label,      " FVb = Blivande färdighetsvärde",          240, 2760, 2895,  255,   12,     LightYellow, WindowText, Regular,          Align::Left},
    {"Label9",   Kind::Label,      " EP = Kostnad i antal erfarenhetspoäng",   240, 3000, 2895,  255,   11,     LightYellow, WindowText, Regular,          Align::Left},
    {"Shape1",   Kind::Shape,      "",                                         240, 2040, 2895, 1215, kNoTab,   Transparent, WindowText, Regular,          Align::Left},
    {"Shape2",   Kind::Shape,      "",                                         240, 3480, 4095,  255, kNoTab,   LightYellow, WindowText, Regular,          Align::Left},
    {"Label11",  Kind::Label,      "© 2026 Varvik Spel",                       240, 3480, 2415,  255,   17,     Transparent, Blue,       Bold,             Align::Left},
    {"Label10",  Kind::Label,      "Hemsida: varvik.example",                 2280, 3480, 2895,  255,   18,     Transparent, Blue,       Bold | Underline, Align::Left},
}};
// clang-format on

// Pixels at the design scale.
struct PixelRect {
    int left, top, width, height;
};

constexpr PixelRect Pixels(const ControlRow& row)
{
    return {row.left / kTwipsPerPixel, row.top / kTwipsPerPixel, row.width / kTwipsPerPixel,
            row.height / kTwipsPerPixel};
}

// The row of the control of that name; the name must be in the table.
constexpr const ControlRow& Row(std::string_view name)
{
    for (const ControlRow& row : kForm1Controls)
        if (name == row.name)
            return row;
    throw "no such control"; // not constant: a misspelt name does not compile
}

// The entry field that holds each of the calculator's four values.
constexpr const char* FieldControl(Field field)
{
    switch (field) {
    case Field::FV: return "Text1";
    case Field::GEV: return "Text2";
    case Field::FVb: return "Text3";
    case Field::EP: return "Text4";
    }
    return "Text1";
}

inline constexpr int kClientPixelWidth = kClientWidth / kTwipsPerPixel;
inline constexpr int kClientPixelHeight = kClientHeight / kTwipsPerPixel;

constexpr bool WholePixels()
{
    for (const ControlRow& c : kForm1Controls)
        if (c.left % kTwipsPerPixel || c.top % kTwipsPerPixel || c.width % kTwipsPerPixel || c.height % kTwipsPerPixel)
            return false;
    return kClientWidth % kTwipsPerPixel == 0 && kClientHeight % kTwipsPerPixel == 0;
}
static_assert(WholePixels(), "the window is laid out in whole pixels at 15 twips a pixel");

} // namespace varvik::ui
