#include <QApplication>

#include "form1.h"
#include "swedish.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The window's class on X11 ("Varvik141") is what the desktop entry's
    // StartupWMClass names, so that docks group the window with its launcher.
    QApplication::setApplicationName(QStringLiteral("Varvik141"));
    QApplication::setApplicationDisplayName(QStringLiteral(VARVIK_TITLE));
    QApplication::setApplicationVersion(QStringLiteral(VARVIK_FILE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(VARVIK_APP_ID));

    varvik::ui::InstallSwedish(app);

    varvik::ui::Form1 form;
    form.show();
    return app.exec();
}
