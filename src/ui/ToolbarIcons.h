#pragma once

#include <QHash>
#include <QIcon>
#include <QString>

class QToolBar;

// The desktop theme's icon of this name when there is one, else the one bundled with the
// program; an unthemed icon is always the program's own.
QIcon commandIcon(const char* name, bool themed);

void setToolbarIconSize(QToolBar* toolbar);

// The program's own icons by name, each picture parsed on the calling thread: start-up has a
// worker parse them while the splash shows, then hands them to commandIcon.
QHash<QString, QIcon> loadBundledIcons();
void useBundledIcons(const QHash<QString, QIcon>& icons);
bool bundledIconsInUse();
