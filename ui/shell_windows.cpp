#include "shell.h"

#include <windows.h>
#include <shellapi.h>

namespace Shell {

namespace {

// The shell's 8-bit interface takes the system's ANSI code page, so a text
// goes from UTF-8 through UTF-16 to that code page and back.
std::wstring Wide(const std::string& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::string Narrow(const std::wstring& text, UINT codePage)
{
    if (text.empty())
        return {};
    const int length =
        WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                        nullptr);
    return narrow;
}

std::string ToAnsi(const std::string& utf8) { return Narrow(Wide(utf8, CP_UTF8), CP_ACP); }
std::string FromAnsi(const std::string& ansi) { return Narrow(Wide(ansi, CP_ACP), CP_UTF8); }

std::optional<std::string> ToAnsi(const OptionalText& utf8)
{
    return utf8 ? std::optional<std::string>(ToAnsi(*utf8)) : std::nullopt;
}

thread_local std::uint32_t lastError = 0;

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
