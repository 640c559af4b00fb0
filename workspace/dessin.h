#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>

#include <functional>

class QMouseEvent;

namespace qm {

// A picture box that keeps what is drawn on it: every drawing goes into
// `image`, the size of the client area, and painting only copies it to the
// screen. Copying and printing use the same image, through bitmap().
//
// On a scaled screen the image holds the screen's pixels (its device pixel
// ratio is the screen's), so that a painter on it draws in the picture's own
// coordinates at full resolution: its size in those coordinates is the
// widget's, size(), not image.size().
class Dessin : public QWidget {
public:
    Dessin(QWidget* parent, const QString& nom, const QRect& place, const QColor& fond);

    QImage image;
    QColor fond;
    bool bordure = false; // a single-line border drawn over the picture

    // The picture in its own pixels, one image pixel each (the image itself at
    // ratio 1, smoothly reduced otherwise): what the clipboard and the printer get.
    QImage bitmap() const;

    // Clears the picture to its background colour.
    void effacer();
    // Shows what was drawn since the last call.
    void rafraichir() { update(); }

    std::function<void(QMouseEvent*)> surappui;
    std::function<void(QMouseEvent*)> surdeplacement;
    std::function<void(QMouseEvent*)> surrelache;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace qm
