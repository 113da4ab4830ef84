#pragma once

#include <QPixmap>

class QWidget;

// The product picture of the About box and the splash window, drawn sharp at the screen's
// pixel ratio for a square of `size` logical pixels.
QPixmap productPicture(int size, const QWidget* shownOn);
