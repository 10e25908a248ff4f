#pragma once

// The resources of the Windows executable; shared by the resource script and
// the code that loads them.

#define VARVIK_ICON 1
#define VARVIK_HAND_CURSOR 2
#define VARVIK_BACKGROUND 3
#define VARVIK_BACKGROUND_2X 4
#define VARVIK_HAND_CURSOR_2X 5
