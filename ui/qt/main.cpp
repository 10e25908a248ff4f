#include <QApplication>
#include <thread>
#ifdef VARVIK_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include "form1.h"
#include "swedish.h"

namespace {

// Reading the desktop's font configuration is a good part of the start, and
// connecting to the display does not need it: the two run side by side.
std::thread ReadFontConfiguration()
{
#ifdef VARVIK_FONTCONFIG
    return std::thread([] { FcInit(); });
#else
    return {};
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    std::thread fontConfiguration = ReadFontConfiguration();
    QApplication app(argc, argv);
    // The window's class on X11 ("Varvik141") is what the desktop entry's
    // StartupWMClass names, so that docks group the window with its launcher.
    QApplication::setApplicationName(QStringLiteral("Varvik141"));
    QApplication::setApplicationDisplayName(QStringLiteral("Varvik v1.4.1"));
    QApplication::setApplicationVersion(QStringLiteral(VARVIK_FILE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(VARVIK_APP_ID));

    varvik::ui::InstallSwedish(app);

    if (fontConfiguration.joinable())
        fontConfiguration.join();
    varvik::ui::Form1 form;
    form.show();
    return app.exec();
}
