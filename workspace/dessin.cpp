#include "workspace/dessin.h"

#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace qm {

namespace {

// How many screen pixels cover `taille` in the widget's coordinates.
QSize pixels(QSize taille, qreal ratio)
{
    return {static_cast<int>(std::ceil(taille.width() * ratio)),
            static_cast<int>(std::ceil(taille.height() * ratio))};
}

// A blank picture of `taille` in the widget's coordinates.
QImage surface(QSize taille, qreal ratio, const QColor& fond)
{
    QImage image(pixels(taille, ratio), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(fond);
    return image;
}

} // namespace

Dessin::Dessin(QWidget* parent, const QString& nom, const QRect& place, const QColor& couleur)
    : QWidget(parent), fond(couleur)
{
    setObjectName(nom);
    setGeometry(place);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image = surface(place.size(), devicePixelRatioF(), fond);
}

QImage Dessin::bitmap() const
{
    if (image.devicePixelRatio() == 1)
        return image;
    QImage reduite = image.scaled(size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                         .convertToFormat(QImage::Format_RGB32);
    reduite.setDevicePixelRatio(1);
    return reduite;
}

void Dessin::effacer()
{
    image.fill(fond);
    update();
}

void Dessin::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, image);
    if (bordure) {
        p.setPen(Qt::black);
        p.drawRect(0, 0, width() - 1, height() - 1);
    }
}

void Dessin::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (image.size() == pixels(size(), devicePixelRatioF()))
        return;
    QImage nouvelle = surface(size(), devicePixelRatioF(), fond);
    QPainter p(&nouvelle);
    p.drawImage(0, 0, image);
    image = nouvelle;
}

void Dessin::mousePressEvent(QMouseEvent* event)
{
    if (surappui)
        surappui(event);
}

void Dessin::mouseMoveEvent(QMouseEvent* event)
{
    if (surdeplacement)
        surdeplacement(event);
    else
        event->ignore();
}

void Dessin::mouseReleaseEvent(QMouseEvent* event)
{
    if (surrelache)
        surrelache(event);
}

} // namespace qm
