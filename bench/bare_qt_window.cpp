// The yardstick for how soon the Qt program ends once its window is closed
// (bench/close_time.sh): a Qt window of the same size with a label and a
// field, and nothing else.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare"));
    window.setFixedSize(366, 263);
    QLabel label(QStringLiteral("FV"), &window);
    label.setGeometry(16, 16, 120, 20);
    QLineEdit field(QStringLiteral("0"), &window);
    field.setGeometry(16, 44, 57, 25);
    window.show();
    return app.exec();
}
