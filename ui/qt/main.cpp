#include <QApplication>
#include <cstdio>
#include <string_view>

#include "form1.h"
#include "held_keys.h"
#include "swedish.h"
#include "varvik_version.h"

namespace {

constexpr char kProgram[] = VARVIK_PROGRAM;

// The window itself takes no command line: these two only answer, without
// opening it.
void PrintUsage()
{
    std::printf("Användning: %s [-h | --help | --version]\n"
                "\n"
                "Öppnar ett fönster som räknar ut vad det kostar i erfarenhetspoäng (EP)\n"
                "att höja en färdighet, och hur långt en budget av EP räcker.\n"
                "\n"
                "  -h, --help visar den här hjälpen och avslutar\n"
                "  --version  visar programmets version och avslutar\n",
                kProgram);
}

// Without a desktop to show the window on, Qt would abort with advice that
// does not help; the program says what it needs instead. A platform chosen
// by hand (QT_QPA_PLATFORM) is left to Qt.
bool DesktopMissing()
{
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    return qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
           qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#else
    return false;
#endif
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc > 1) {
        // Every argument must be one of the questions; given several, the
        // first is answered, as other programs do.
        const auto help = [](std::string_view a) { return a == "--help" || a == "-h"; };
        for (int i = 1; i < argc; ++i) {
            if (std::string_view(argv[i]) != "--version" && !help(argv[i])) {
                std::fprintf(stderr, "%s: okänt argument \"%s\" (se %s --help)\n", kProgram, argv[i], kProgram);
                return 2;
            }
        }
        if (help(argv[1]))
            PrintUsage();
        else
            std::printf("%s\n", varvik::kApplicationTitle.data());
        return 0;
    }
    if (DesktopMissing()) {
        std::fprintf(stderr, "%s: behöver ett grafiskt skrivbord (X11 eller Wayland); varken DISPLAY eller "
                             "WAYLAND_DISPLAY är satt\n",
                     kProgram);
        return 1;
    }

    QApplication app(argc, argv);
    // The window's class on X11 ("Varvik141") is what the desktop entry's
    // StartupWMClass names, so that docks group the window with its launcher.
    QApplication::setApplicationName(QStringLiteral(VARVIK_PROGRAM));
    QApplication::setApplicationDisplayName(QStringLiteral(VARVIK_TITLE));
    QApplication::setApplicationVersion(QStringLiteral(VARVIK_FILE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(VARVIK_APP_ID));

    varvik::ui::InstallSwedish(app);
    varvik::ui::PressOncePerHold(app);

    varvik::ui::Form1 form;
    form.show();
    return app.exec();
}
