#pragma once

class QApplication;
class QFont;
class QPixmap;
class QSize;
class QString;

namespace qm {

// Prepares the application the same way for the program and for the tests:
// French display locale, the metric-compatible faces registered and put in
// place of the Windows font names, the Fusion style, the icon theme, no
// style pixmaps cached for secondary windows (they grew the memory with every
// window shown), and writes past a file-size limit failing instead of ending
// the program. Safe to call more than once.
void preparerapplication(QApplication& application);

// A Windows face at a size in points, fixed in pixels (12 pt is 16 px) so that
// no screen resolution changes a text width.
QFont police(const QString& nom, double points, bool gras = false);

// A transparent picture of `taille` in window pixels for an icon or a key, in
// as many screen pixels as the screen's scale gives: a painter on it draws in
// window pixels, and the picture stays sharp on a scaled screen. At scale 1
// it is a plain picture of that size.
QPixmap imagenette(QSize taille);

} // namespace qm
