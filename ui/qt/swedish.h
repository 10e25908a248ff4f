#pragma once

class QCoreApplication;

namespace varvik::ui {

// Makes what Qt itself shows Swedish whatever the user's locale: the fields'
// context menu and the message box's button. Qt's own Swedish catalogue is
// loaded where it is installed; the program's own texts for what the user
// meets come on top of it, so that they are Swedish without the catalogue.
void InstallSwedish(QCoreApplication& application);

} // namespace varvik::ui
