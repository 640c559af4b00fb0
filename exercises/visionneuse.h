#pragma once

#include <QString>

#include <memory>

class QDialog;
class QWidget;

namespace qm {

// The help viewer: a window with a browser on the help file "TIXU.hlp" of the
// program's folder, opened on its topics page (the top of the document).
// Built anew each time; a missing or unreadable file leaves the browser empty.
std::unique_ptr<QDialog> construireaide(QWidget* parent, const QString& dossierprogramme);

// Opens the help viewer modally and returns when it is closed. Tests look at
// the viewer through construireaide, which builds it filled but not shown.
void ouvriraide(QWidget* parent, const QString& dossierprogramme);

} // namespace qm
