#pragma once

class QIcon;
class QToolBar;

// The desktop theme's icon of this name when there is one, else the one bundled with the
// program; an unthemed icon is always the program's own.
QIcon commandIcon(const char* name, bool themed);

void setToolbarIconSize(QToolBar* toolbar);
