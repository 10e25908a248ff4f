#pragma once

#include <QString>
#include <QtGlobal>

// Asks the desktop to open a document or an address with its default handler.
namespace Shell {

// document is passed by reference: after the call it holds the same text. A
// null operation, parameters or directory means "none". show_mode only has a
// meaning on Windows. True when the desktop took the request.
bool ShellOpen(QString& document, QString operation, QString parameters, QString directory, qint32 show_mode);

// The Windows shell's verdict: its results above 32 mean success.
constexpr bool ShellSucceeded(qintptr result) { return result >= 33; }

} // namespace Shell
