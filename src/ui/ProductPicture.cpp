#include "ui/ProductPicture.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QWidget>

// Resources of a static library are registered by hand; the macro must not be in a namespace.
static void initAboutResources()
{
    Q_INIT_RESOURCE(about);
}

QImage productPictureImage(int size, qreal ratio)
{
    initAboutResources();
    QImage picture(QSize(size, size) * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/about/product.svg"));
    QPainter painter(&picture);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return picture;
}

QPixmap productPicture(int size, const QWidget* shownOn)
{
    return QPixmap::fromImage(
        productPictureImage(size, shownOn ? shownOn->devicePixelRatioF() : 1.0));
}
