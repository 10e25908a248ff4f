#pragma once

namespace varvik::ui {

// How the window reads to a screen reader, beside the names and
// descriptions the window's description gives: the window is a frame named
// by its title, the shapes are no objects at all (they only draw lines), the
// empty strip is a pane, and the homepage label is a link to the homepage's
// address whose action opens it, so that it can be reached without the
// keyboard focus it never takes. Installed once, before the window is built.
void InstallAccessibility();

} // namespace varvik::ui
