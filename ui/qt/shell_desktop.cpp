#include "shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace Shell {

// Off Windows the desktop's default handler opens the address; opening is the
// only operation there is.
bool ShellOpen(std::string& document, OptionalText, OptionalText, OptionalText, std::int32_t)
{
    return QDesktopServices::openUrl(QUrl(QString::fromStdString(document), QUrl::StrictMode));
}

} // namespace Shell
