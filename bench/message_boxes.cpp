// The Qt window's resident memory over many of its message boxes: the real
// window and the real box on the real platform (run it on an X server, as
// bench/message_boxes.sh does), each box shown by Beräkna FVb with a budget
// above 1000000 EP and closed with its OK. Prints the memory after the
// first boxes and every 100, so that what the first box sets up and what
// each box keeps back show apart.
//   varvik_message_box_bench [BOXES]

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "controls.h"
#include "form1.h"
#include "swedish.h"

namespace {

long ResidentKiB()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmRSS:", 0) == 0)
            return std::atol(line.c_str() + 6);
    return -1;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    varvik::ui::InstallSwedish(app);
    varvik::ui::Form1 form;
    form.show();
    const int boxes = argc > 1 ? std::atoi(argv[1]) : 1000;

    // Presses OK on each box once it is there.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            box->button(QMessageBox::Ok)->click();
    });
    closer.start(0);

    QTimer::singleShot(0, [&] {
        std::printf("boxes  RSS (KiB)\n%-6d %ld\n", 0, ResidentKiB());
        for (int i = 1; i <= boxes; ++i) {
            form.Text4->WriteText(QStringLiteral("9999999"));
            form.Command2_Click(); // "Ogiltigt antal EP!"
            if (i % 100 == 0 || i == 1 || i == 2 || i == 10 || i == 50)
                std::printf("%-6d %ld\n", i, ResidentKiB());
        }
        QApplication::quit();
    });
    return QApplication::exec();
}
