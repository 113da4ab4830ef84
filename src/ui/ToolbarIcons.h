#pragma once

struct MainWidgets;

// Gives every toolbar button, and the menu items that run the same commands, its icon: the
// desktop theme's icon when there is one, else the one bundled with the program.
void SetToolbarIcons(MainWidgets& ui);
