#include <QApplication>

#include "form1.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Varvik v1.4.1"));
    QApplication::setApplicationVersion(QStringLiteral(VARVIK_FILE_VERSION));
    QApplication::setDesktopFileName(QStringLiteral(VARVIK_APP_ID));

    varvik::ui::Form1 form;
    form.show();
    return app.exec();
}
