#pragma once

#include <QColor>
#include <QRect>
#include <QString>

#include <ostream>

// Readable values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QColor& c, std::ostream* os)
{
    *os << "RGB(" << c.red() << ", " << c.green() << ", " << c.blue() << ")";
}
inline void PrintTo(const QRect& r, std::ostream* os)
{
    *os << "(" << r.x() << ", " << r.y() << ", " << r.width() << " x " << r.height() << ")";
}
