#include "shell.h"

#include <windows.h>
#include <shellapi.h>

#include "windows_text.h"

namespace Shell {

namespace {

using varvik::ui::NarrowText;
using varvik::ui::WideText;

thread_local std::uint32_t lastError = 0;

// The shell's 8-bit interface takes the system's ANSI code page.
std::string ToAnsi(const std::string& utf8) { return NarrowText(WideText(utf8), CP_ACP); }
std::string FromAnsi(const std::string& ansi) { return NarrowText(WideText(ansi, CP_ACP)); }

std::optional<std::string> ToAnsi(const OptionalText& utf8)
{
    return utf8 ? std::optional<std::string>(ToAnsi(*utf8)) : std::nullopt;
}

// An absent text is an absent pointer, not an empty string.
const char* Pointer(const std::optional<std::string>& text) { return text ? text->c_str() : nullptr; }

} // namespace

std::uint32_t LastShellError() { return lastError; }

bool ShellOpen(std::string& document, OptionalText operation, OptionalText parameters, OptionalText directory,
               std::int32_t show_mode)
{
    const std::string documentAnsi = ToAnsi(document);
    const std::optional<std::string> operationAnsi = ToAnsi(operation);
    const std::optional<std::string> parametersAnsi = ToAnsi(parameters);
    const std::optional<std::string> directoryAnsi = ToAnsi(directory);
    const HINSTANCE result = ShellExecuteA(nullptr, Pointer(operationAnsi), documentAnsi.c_str(),
                                           Pointer(parametersAnsi), Pointer(directoryAnsi), show_mode);
    lastError = GetLastError();
    document = FromAnsi(documentAnsi);
    return ShellSucceeded(reinterpret_cast<std::intptr_t>(result));
}

} // namespace Shell
