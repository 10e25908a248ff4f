// Form1 in the browser: the page (written from the same description, see
// page.cpp) holds the controls; this module holds what the window does. The
// page's script hands every click and every arrival in a field to the
// handlers here, by the control's name, and the handlers read and write the
// fields and show the message through the page.

#include <emscripten.h>

#include <optional>
#include <string>
#include <string_view>

#include "form1_handlers.h"

namespace varvik::ui {

namespace {

// The page's controls are found by their names, which are their ids.
// A field's text in UTF-8: its length in bytes, then the bytes.
EM_JS(int, PageTextLength, (const char* id), {
    return lengthBytesUTF8(document.getElementById(UTF8ToString(id)).value);
});

EM_JS(void, PageText, (const char* id, char* text, int size), {
    stringToUTF8(document.getElementById(UTF8ToString(id)).value, text, size);
});

EM_JS(void, PageSetText, (const char* id, const char* text, int length), {
    document.getElementById(UTF8ToString(id)).value = UTF8ToString(text, length);
});

EM_JS(void, PageSetSelection, (const char* id, int start, int length), {
    const box = document.getElementById(UTF8ToString(id));
    box.setSelectionRange(start, Math.min(start + length, box.value.length));
});

// The message in the page's modal dialog; the handler goes on when the user
// has closed it, however that was done (OK, Enter, Space, Escape).
EM_ASYNC_JS(void, PageMessage, (const char* text, int length), {
    await Module.showMessage(UTF8ToString(text, length));
});

class WebForm1 final : public Form1Handlers {
public:
    WebForm1() : Form1Handlers(nullptr, nullptr) {}

private:
    std::string Text(Control box) const override
    {
        const char* id = Row(box).name;
        std::string text(static_cast<std::size_t>(PageTextLength(id)) + 1, '\0');
        PageText(id, text.data(), static_cast<int>(text.size()));
        text.pop_back();
        return text;
    }

    void SetText(Control box, std::string_view text) override
    {
        PageSetText(Row(box).name, text.data(), static_cast<int>(text.size()));
    }

    void SetSelection(Control box, int start, int length) override
    {
        PageSetSelection(Row(box).name, start, length);
    }

    void ShowMessageBox(std::string_view text) override { PageMessage(text.data(), static_cast<int>(text.size())); }
};

WebForm1& Form()
{
    static WebForm1 form;
    return form;
}

std::optional<Control> Named(std::string_view name)
{
    for (const ControlRow& row : kForm1Controls)
        if (name == row.name)
            return row.id;
    return std::nullopt;
}

} // namespace

} // namespace varvik::ui

// What the page's script calls: an event on the control of that name. A name
// the window does not know is ignored, as an event on a control without a
// handler is.
extern "C" {

EMSCRIPTEN_KEEPALIVE void varvik_clicked(const char* name)
{
    if (const auto control = varvik::ui::Named(name))
        varvik::ui::Form().Clicked(*control);
}

EMSCRIPTEN_KEEPALIVE void varvik_got_focus(const char* name)
{
    if (const auto control = varvik::ui::Named(name))
        varvik::ui::Form().GotFocus(*control);
}

} // extern "C"
