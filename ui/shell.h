#pragma once

// The module Shell: asks the desktop to open a document or an address with
// its default handler.

#include <cstdint>
#include <optional>
#include <string>

namespace Shell {

// A text that may be absent: no parameters, no directory.
using OptionalText = std::optional<std::string>;

// Texts are UTF-8. document is passed by reference: after the call it holds
// the same text. An absent operation, parameters or directory means "none".
// show_mode only has a meaning on Windows. True when the desktop took the
// request.
bool ShellOpen(std::string& document, OptionalText operation, OptionalText parameters, OptionalText directory,
               std::int32_t show_mode);

#ifdef _WIN32
// The system's error code as the last ShellOpen left it, for a caller that
// wants to know why the shell refused.
std::uint32_t LastShellError();
#endif

// The Windows shell's verdict: its results above 32 mean success.
constexpr bool ShellSucceeded(std::intptr_t result) { return result >= 33; }

} // namespace Shell
