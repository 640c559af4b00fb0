#pragma once

class QApplication;
class QFont;
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

} // namespace qm
