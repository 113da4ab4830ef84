#pragma once

#include "ui/ToolbarButtons.h"

#include <QList>
#include <array>
#include <functional>

class QAction;
class QToolBar;

// Gives every toolbar button, and the menu items that run the same commands, its icon: the
// desktop theme's icon when there is one, else the one bundled with the program.
void setToolbarIcons(QToolBar* toolbar, const std::array<QAction*, Button::Count>& buttons,
                     const std::function<QList<QAction*>(int button)>& menuItemsFor);
