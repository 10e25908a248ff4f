#pragma once

// The window description of Form1: every control with its place and looks.
// Positions and sizes are in twips from the client area's top-left corner,
// laid out at 15 twips a pixel. Rows run from the bottom of the stack to the
// top: a later control is drawn over an earlier one, so the frame Shape1 lies
// over the key labels and the link Label10 over the publisher line Label11.
//
// Both windows, the Qt one and the native Windows one, are built from this
// table; it names no toolkit's types.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "field_set.h"
#include "varvik_homepage.h"

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

// Every control of Form1, in the order of the rows below: code reaches a
// control through its identity, which the compiler checks, and its row
// through Row().
enum class Control {
    Picture1, Label1, Label2, Label3, Label4, Text1, Text2, Text3, Text4, Command3, Command1, Command2,
    Label5, Label6, Label7, Label8, Label9, Shape1, Shape2, Label11, Label10,
};

struct ControlRow {
    Control id;
    const char* name; // the control's name, as tests and screen-reader tools see it
    Kind kind;
    const char* caption;
    int left, top, width, height; // twips
    int tabIndex;
    Colour back;
    Colour fore; // text, or a shape's outline
    int font;    // FontStyle flags
    Align align;
};

inline constexpr const char* kHomepage = VARVIK_HOMEPAGE;

// clang-format off
inline constexpr std::array<ControlRow, 21> kForm1Controls{{
//   id                 name        kind              caption                                    left   top  width height  tab     back         fore        font              align
    {Control::Picture1, "Picture1", Kind::PictureBox, "",                                        -240,    0, 5895,  135,   16,     ButtonFace,  Default,    Regular,          Align::Left},
    {Control::Label1,   "Label1",   Kind::Label,      "FV",                                       240,  360,  855,  255,    0,     Transparent, ButtonText, Bold,             Align::Center},
    {Control::Label2,   "Label2",   Kind::Label,      "GEV",                                     1320,  360,  855,  255,    1,     Transparent, ButtonText, Bold,             Align::Center},
    {Control::Label3,   "Label3",   Kind::Label,      "FVb",                                     2400,  360,  855,  255,    2,     Transparent, ButtonText, Bold,             Align::Center},
    {Control::Label4,   "Label4",   Kind::Label,      "EP",                                      3480,  360,  855,  255,    3,     Transparent, ButtonText, Bold,             Align::Center},
    {Control::Text1,    "Text1",    Kind::TextBox,    "0",                                        240,  720,  855,  375,    4,     Default,     Default,    Regular,          Align::Left},
    {Control::Text2,    "Text2",    Kind::TextBox,    "0",                                       1320,  720,  855,  375,    5,     Default,     Default,    Regular,          Align::Left},
    {Control::Text3,    "Text3",    Kind::TextBox,    "0",                                       2400,  720,  855,  375,    6,     Default,     Default,    Regular,          Align::Left},
    {Control::Text4,    "Text4",    Kind::TextBox,    "0",                                       3480,  720,  855,  375,    7,     Default,     Default,    Regular,          Align::Left},
    {Control::Command3, "Command3", Kind::PushButton, "Rensa",                                   4560,  720,  735,  375,    8,     Default,     Default,    Regular,          Align::Center},
    {Control::Command1, "Command1", Kind::PushButton, "Beräkna EP",                               240, 1200, 1095,  375,    9,     Default,     Default,    Regular,          Align::Center},
    {Control::Command2, "Command2", Kind::PushButton, "Beräkna FVb",                             1440, 1200, 1095,  375,   10,     Default,     Default,    Regular,          Align::Center},
    {Control::Label5,   "Label5",   Kind::Label,      " Nyckel ",                                 240, 2040, 2895,  255,   15,     LightYellow, WindowText, Underline,        Align::Left},
    {Control::Label6,   "Label6",   Kind::Label,      " FV = Nuvarande färdighetsvärde",          240, 2280, 2895,  255,   14,     LightYellow, WindowText, Regular,          Align::Left},
    {Control::Label7,   "Label7",   Kind::Label,      " GEV = Grundegenskapsvärde",               240, 2520, 2895,  255,   13,     LightYellow, WindowText, Regular,          Align::Left},
    {Control::Label8,   "Label8",   Kind::Label,      " FVb = Blivande färdighetsvärde",          240, 2760, 2895,  255,   12,     LightYellow, WindowText, Regular,          Align::Left},
    {Control::Label9,   "Label9",   Kind::Label,      " EP = Kostnad i antal erfarenhetspoäng",   240, 3000, 2895,  255,   11,     LightYellow, WindowText, Regular,          Align::Left},
    {Control::Shape1,   "Shape1",   Kind::Shape,      "",                                         240, 2040, 2895, 1215, kNoTab,   Transparent, WindowText, Regular,          Align::Left},
    {Control::Shape2,   "Shape2",   Kind::Shape,      "",                                         240, 3480, 4095,  255, kNoTab,   LightYellow, WindowText, Regular,          Align::Left},
    {Control::Label11,  "Label11",  Kind::Label,      "© 2026 Varvik Spel",                       240, 3480, 2415,  255,   17,     Transparent, Blue,       Bold,             Align::Left},
    {Control::Label10,  "Label10",  Kind::Label,      "Hemsida: " VARVIK_HOMEPAGE_HOST,          2280, 3480, 2895,  255,   18,     Transparent, Blue,       Bold | Underline, Align::Left},
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

constexpr const ControlRow& Row(Control id) { return kForm1Controls[static_cast<std::size_t>(id)]; }

// The entry field that holds each of the calculator's four values.
constexpr Control FieldControl(Field field)
{
    switch (field) {
    case Field::FV: return Control::Text1;
    case Field::GEV: return Control::Text2;
    case Field::FVb: return Control::Text3;
    case Field::EP: return Control::Text4;
    }
    return Control::Text1;
}

// What a screen reader says of each control, the same in both windows. A
// field is named by its heading and described by what its line in the key
// box says its heading stands for; a button or label by its caption, without
// the spaces that pad a key line in its box. The empty strip takes the focus,
// so a listener hears what it is; the link is described by what it does, and
// its value is the homepage's address. Shapes say nothing.
inline constexpr const char* kStripName = "Dekorlist";
inline constexpr const char* kLinkDescription = "Öppnar hemsidan i webbläsaren";

struct FieldKey {
    Control field, heading, keyLine;
};
inline constexpr FieldKey kFieldKeys[] = {
    {Control::Text1, Control::Label1, Control::Label6},
    {Control::Text2, Control::Label2, Control::Label7},
    {Control::Text3, Control::Label3, Control::Label8},
    {Control::Text4, Control::Label4, Control::Label9},
};

constexpr std::string_view Trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    return first == std::string_view::npos ? std::string_view{} : text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// A key line reads "FV = Nuvarande färdighetsvärde": the heading, then what it
// stands for.
inline constexpr std::string_view kKeyLineSign = " = ";

constexpr std::string_view AccessibleName(Control id)
{
    for (const FieldKey& key : kFieldKeys)
        if (key.field == id)
            return Trimmed(Row(key.heading).caption);
    if (id == Control::Picture1)
        return kStripName;
    return Row(id).kind == Kind::Shape ? std::string_view{} : Trimmed(Row(id).caption);
}

constexpr std::string_view AccessibleDescription(Control id)
{
    for (const FieldKey& key : kFieldKeys)
        if (key.field == id)
            return Trimmed(Row(key.keyLine).caption).substr(AccessibleName(id).size() + kKeyLineSign.size());
    return id == Control::Label10 ? kLinkDescription : std::string_view{};
}

constexpr bool KeyLinesStartWithTheirHeadings()
{
    for (const FieldKey& key : kFieldKeys) {
        const std::string_view heading = AccessibleName(key.field), line = Trimmed(Row(key.keyLine).caption);
        if (line.substr(0, heading.size()) != heading || line.substr(heading.size(), kKeyLineSign.size()) != kKeyLineSign)
            return false;
    }
    return true;
}
static_assert(KeyLinesStartWithTheirHeadings(), "a field's description is the rest of its key line");

// Labels never take the keyboard focus and shapes have no tab index; the
// others are visited by the Tab key in the order of their tab indexes.
constexpr bool TakesFocus(const ControlRow& row)
{
    return row.kind == Kind::TextBox || row.kind == Kind::PushButton || row.kind == Kind::PictureBox;
}

inline constexpr auto kTabCycle = [] {
    constexpr auto count = std::count_if(kForm1Controls.begin(), kForm1Controls.end(), TakesFocus);
    std::array<const ControlRow*, count> rows{};
    std::size_t n = 0;
    for (const ControlRow& row : kForm1Controls)
        if (TakesFocus(row))
            rows[n++] = &row;
    std::sort(rows.begin(), rows.end(), [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
    std::array<Control, count> cycle{};
    for (std::size_t i = 0; i < count; ++i)
        cycle[i] = rows[i]->id;
    return cycle;
}();

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

constexpr bool RowsInOrderOfTheirIdentity()
{
    for (std::size_t i = 0; i < kForm1Controls.size(); ++i)
        if (static_cast<std::size_t>(kForm1Controls[i].id) != i)
            return false;
    return true;
}
static_assert(RowsInOrderOfTheirIdentity(), "Row(id) finds each control's row by its place in the table");

} // namespace varvik::ui
