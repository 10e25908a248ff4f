#include "shell.h"

#include <emscripten.h>

namespace Shell {

namespace {

// A new tab that knows nothing of the page that opened it. The browser may
// refuse (a blocked pop-up); it says so by throwing, or not at all.
EM_JS(bool, OpenInNewTab, (const char* address), {
    try {
        window.open(UTF8ToString(address), "_blank", "noopener");
        return true;
    } catch (e) {
        return false;
    }
});

} // namespace

// In the browser an address opens in a new tab; opening is the only
// operation there is.
bool ShellOpen(std::string& document, OptionalText, OptionalText, OptionalText, std::int32_t)
{
    return OpenInNewTab(document.c_str());
}

} // namespace Shell
