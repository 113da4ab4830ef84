#pragma once

#include <QImage>
#include <QPixmap>

class QWidget;

// The product picture of the About box and the splash window, drawn sharp at the screen's
// pixel ratio for a square of `size` logical pixels.
QPixmap productPicture(int size, const QWidget* shownOn);

// The same picture as an image, which any thread may draw: start-up draws it on a worker while
// the splash is being built.
QImage productPictureImage(int size, qreal ratio);
