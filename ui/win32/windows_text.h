#pragma once

// Texts between the program's UTF-8 and Windows' UTF-16 and ANSI code page.

#include <windows.h>

#include <string>
#include <string_view>

namespace varvik::ui {

inline std::wstring WideText(std::string_view text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

inline std::string NarrowText(std::wstring_view text, UINT codePage = CP_UTF8)
{
    if (text.empty())
        return {};
    const int size = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(codePage, 0, text.data(), size, narrow.data(), length, nullptr, nullptr);
    return narrow;
}

} // namespace varvik::ui
