#include "shell.h"

#ifdef Q_OS_WIN
#include <windows.h>
#include <shellapi.h>
#else
#include <QDesktopServices>
#include <QUrl>
#endif

namespace Shell {

#ifdef Q_OS_WIN

namespace {
// The shell's 8-bit interface takes the system code page; an absent text is an
// absent pointer, not an empty string.
const char* Pointer(const QByteArray& bytes, const QString& text) { return text.isNull() ? nullptr : bytes.constData(); }
} // namespace

bool ShellOpen(QString& document, QString operation, QString parameters, QString directory, qint32 show_mode)
{
    const QByteArray documentBytes = document.toLocal8Bit();
    const QByteArray operationBytes = operation.toLocal8Bit();
    const QByteArray parametersBytes = parameters.toLocal8Bit();
    const QByteArray directoryBytes = directory.toLocal8Bit();
    const HINSTANCE result = ShellExecuteA(nullptr, Pointer(operationBytes, operation), Pointer(documentBytes, document),
                                           Pointer(parametersBytes, parameters), Pointer(directoryBytes, directory),
                                           show_mode);
    document = QString::fromLocal8Bit(documentBytes);
    return ShellSucceeded(reinterpret_cast<qintptr>(result));
}

#else

// Elsewhere the desktop's default handler opens the address; opening is the
// only operation there is.
bool ShellOpen(QString& document, QString, QString, QString, qint32)
{
    return QDesktopServices::openUrl(QUrl(document, QUrl::StrictMode));
}

#endif

} // namespace Shell
