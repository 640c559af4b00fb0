#include "workspace/dessin.h"

#include <QMouseEvent>
#include <QPainter>

namespace qm {

Dessin::Dessin(QWidget* parent, const QString& nom, const QRect& place, const QColor& couleur)
    : QWidget(parent), fond(couleur)
{
    setObjectName(nom);
    setGeometry(place);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    image = QImage(place.size(), QImage::Format_RGB32);
    image.fill(fond);
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
    if (image.size() == size())
        return;
    QImage nouvelle(size(), QImage::Format_RGB32);
    nouvelle.fill(fond);
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
