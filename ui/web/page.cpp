// Writes the web page of Form1 from the window description: every control
// with its name as its id, its caption, place, size, colours and font, in the
// order of the tab cycle, and the modal dialog of the program's messages.
// Run at build time (under node): make_page OUTPUT.html background.rgb

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "form1_layout.h"
#include "readable.h"
#include "varvik_version.h"

namespace varvik::ui {
namespace {

std::string Escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string Hex(std::uint32_t rgb)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb & 0xFFFFFF));
    return text;
}

// The desktop's named colours are the browser's system colours of the same
// names, which follow the user's colour scheme as the desktop's do.
std::string Css(const Colour& colour)
{
    switch (colour.source) {
    case Colour::Source::Default: return {};
    case Colour::Source::Transparent: return "transparent";
    case Colour::Source::Rgb: return Hex(colour.rgb);
    case Colour::Source::System:
        switch (colour.system) {
        case SystemColour::ButtonFace: return "ButtonFace";
        case SystemColour::ButtonText: return "ButtonText";
        case SystemColour::WindowText: return "CanvasText";
        case SystemColour::None: break;
        }
    }
    return {};
}

// The heading of a field is the label with exactly the field's left edge and
// width, right above it.
const ControlRow* HeadingOf(const ControlRow& box)
{
    for (const ControlRow& row : kForm1Controls)
        if (row.kind == Kind::Label && row.left == box.left && row.width == box.width && row.top < box.top)
            return &row;
    return nullptr;
}

// The key line that explains a heading: " FV = Nuvarande färdighetsvärde".
const ControlRow* KeyLineOf(const ControlRow& heading)
{
    const std::string start = std::string(" ") + heading.caption + " = ";
    for (const ControlRow& row : kForm1Controls)
        if (row.kind == Kind::Label && std::string_view(row.caption).starts_with(start))
            return &row;
    return nullptr;
}

bool IsHeading(const ControlRow& label)
{
    return std::any_of(kForm1Controls.begin(), kForm1Controls.end(), [&](const ControlRow& row) {
        return row.kind == Kind::TextBox && HeadingOf(row) == &label;
    });
}

// The address the link opens, and the host its caption names.
bool IsLink(const ControlRow& row) { return row.kind == Kind::Label && std::string_view(row.caption).starts_with("Hemsida: "); }

std::string Style(const ControlRow& row)
{
    const PixelRect r = Pixels(row);
    std::ostringstream css;
    css << '#' << row.name << "{left:" << r.left << "px;top:" << r.top << "px;width:" << r.width
        << "px;height:" << r.height << "px;z-index:" << static_cast<int>(row.id) + 1;
    if (const std::string back = Css(row.back); !back.empty())
        css << ";background:" << back;
    if (const std::string fore = Css(row.fore); !fore.empty())
        css << (row.kind == Kind::Shape ? ";border:1px solid " : ";color:") << fore;
    if (row.font & Bold)
        css << ";font-weight:700";
    if (row.font & Underline)
        css << ";text-decoration:underline";
    if (row.align == Align::Center)
        css << ";text-align:center";
    css << "}\n";
    return css.str();
}

// Under a dark colour scheme the browsers' text colours (CanvasText,
// ButtonText) are white, or nearly. Where white would not show on what lies
// beneath (the key box's yellow, the background picture), the text or
// outline is drawn black instead, as in the windows.
constexpr std::uint32_t kDarkSchemeText = 0xFFFFFF;

std::string DarkStyle(const ControlRow& row, const PixelSource& picture)
{
    if (row.fore.source != Colour::Source::System)
        return {};
    const std::uint32_t colour = ReadableOn(kDarkSchemeText, ColourBeneath(row, picture));
    if (colour == kDarkSchemeText)
        return {};
    return std::string("#") + row.name + (row.kind == Kind::Shape ? "{border-color:" : "{color:") + Hex(colour) +
           "}\n";
}

std::string Element(const ControlRow& row)
{
    const std::string id = row.name;
    const std::string caption = Escaped(row.caption);
    switch (row.kind) {
    case Kind::TextBox: {
        std::string element = "<input id=\"" + id + "\" type=\"text\" value=\"" + caption + "\" maxlength=\"" +
                              std::to_string(kFieldMaxLength) +
                              "\" autocomplete=\"off\" autocapitalize=\"off\" spellcheck=\"false\"";
        if (const ControlRow* heading = HeadingOf(row))
            if (const ControlRow* key = KeyLineOf(*heading))
                element += std::string(" aria-describedby=\"") + key->name + "\"";
        return element + ">";
    }
    case Kind::PushButton: return "<button id=\"" + id + "\" type=\"button\">" + caption + "</button>";
    case Kind::Label:
        if (IsLink(row))
            return "<a id=\"" + id + "\" href=\"" + Escaped(kHomepage) + "\" target=\"_blank\" rel=\"noopener\">" +
                   caption + "</a>";
        if (IsHeading(row)) {
            for (const ControlRow& box : kForm1Controls)
                if (box.kind == Kind::TextBox && HeadingOf(box) == &row)
                    return "<label id=\"" + id + "\" for=\"" + box.name + "\">" + caption + "</label>";
        }
        return "<div id=\"" + id + "\">" + caption + "</div>";
    case Kind::PictureBox:
    case Kind::Shape: return "<div id=\"" + id + "\" aria-hidden=\"true\"></div>";
    }
    return {};
}

std::string Page(const PixelSource& picture)
{
    // The controls in reading order, top to bottom and left to right: the
    // order of the page on a phone, of a screen reader, and of the Tab key,
    // which is the window's tab cycle (less the strip, which takes no focus
    // on the web).
    std::vector<const ControlRow*> rows;
    for (const ControlRow& row : kForm1Controls)
        rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const ControlRow* a, const ControlRow* b) {
        return a->top != b->top ? a->top < b->top : a->left < b->left;
    });
    std::vector<Control> tabbed, cycle;
    for (const ControlRow* row : rows)
        if (row->kind == Kind::TextBox || row->kind == Kind::PushButton)
            tabbed.push_back(row->id);
    for (const Control control : kTabCycle)
        if (Row(control).kind != Kind::PictureBox)
            cycle.push_back(control);
    if (tabbed != cycle)
        throw std::logic_error("the reading order of the controls is not their tab cycle");

    const std::string title = Escaped(kApplicationTitle);
    std::ostringstream page;
    page << "<!DOCTYPE html>\n<html lang=\"sv\">\n<head>\n<meta charset=\"utf-8\">\n"
         << "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
         << "<title>" << title << "</title>\n"
         << "<meta name=\"description\" content=\"Räknar ut vad det kostar i erfarenhetspoäng (EP) att höja en "
            "färdighet, och hur långt en budget av EP räcker.\">\n"
         << "<link rel=\"icon\" href=\"icon.png\">\n<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
         << "<meta name=\"theme-color\" content=\"#" << VARVIK_THEME_COLOUR << "\">\n"
         << "<style>\n#Form1{width:" << kClientPixelWidth << "px;height:" << kClientPixelHeight << "px}\n";
    for (const ControlRow* row : rows)
        page << Style(*row);
    page << "@media (prefers-color-scheme: dark) {\n";
    for (const ControlRow* row : rows)
        page << DarkStyle(*row, picture);
    page << "}\n</style>\n<link rel=\"stylesheet\" href=\"page.css\">\n<script src=\"page.js\" defer></script>\n"
         << "<script src=\"" << VARVIK_PROGRAM << ".js\" defer></script>\n</head>\n<body>\n"
         << "<main>\n<h1 id=\"Caption\">" << title << "</h1>\n"
         << "<form id=\"Form1\" aria-label=\"" << title << "\" aria-busy=\"true\">\n";
    for (const ControlRow* row : rows)
        page << Element(*row) << '\n';
    page << "</form>\n</main>\n"
         << "<dialog id=\"Message\" aria-labelledby=\"MessageTitle\" aria-describedby=\"MessageText\">\n"
         << "<h2 id=\"MessageTitle\">" << title << "</h2>\n<p id=\"MessageText\"></p>\n"
         << "<form method=\"dialog\"><button id=\"MessageOK\" autofocus>OK</button></form>\n</dialog>\n"
         << "</body>\n</html>\n";
    return page.str();
}

} // namespace
} // namespace varvik::ui

int main(int argc, char* argv[])
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_page OUTPUT.html background.rgb\n");
        return 2;
    }
    // The part of the background the window shows, 8-bit RGB by rows.
    std::ifstream in(argv[2], std::ios::binary);
    const std::vector<unsigned char> rgb{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    using varvik::ui::kClientPixelWidth, varvik::ui::kClientPixelHeight;
    if (rgb.size() != std::size_t{3} * kClientPixelWidth * kClientPixelHeight) {
        std::fprintf(stderr, "make_page: %s is not the window's background\n", argv[2]);
        return 1;
    }
    const varvik::ui::PixelSource picture{kClientPixelWidth, kClientPixelHeight, [&rgb](int x, int y) {
        const std::size_t at = 3 * (static_cast<std::size_t>(y) * kClientPixelWidth + static_cast<std::size_t>(x));
        return std::uint32_t{rgb[at]} << 16 | std::uint32_t{rgb[at + 1]} << 8 | rgb[at + 2];
    }};
    std::ofstream out(argv[1], std::ios::binary);
    out << varvik::ui::Page(picture);
    return out.good() ? 0 : 1;
}
