#include "held_keys.h"

#include <QGuiApplication>

#if QT_CONFIG(xcb)
#include <qguiapplication_platform.h>
// Last: X11's headers define names such as KeyPress and None.
#include <X11/XKBlib.h>
#endif

namespace varvik::ui {

void ReportKeyRepeatsAsPresses()
{
#if QT_CONFIG(xcb)
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>())
        if (Display* display = x11->display())
            XkbSetDetectableAutoRepeat(display, True, nullptr);
#endif
}

} // namespace varvik::ui
