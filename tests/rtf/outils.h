#pragma once

#include "rtf/rtf.h"

#include <QColor>
#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <memory>

namespace qm::essai {

struct lu {
    std::unique_ptr<QTextDocument> doc = std::make_unique<QTextDocument>();
    bool ok = false;
    QString erreur;
};

inline lu lis(const QByteArray& rtf)
{
    lu r;
    r.ok = lirertf(rtf, *r.doc, &r.erreur);
    return r;
}

inline QByteArray donnees(const QString& nom)
{
    QFile f(QStringLiteral(QUILMARET_RTF_DONNEES "/") + nom);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// The texts of the paragraphs, one per block.
inline QStringList paragraphes(const QTextDocument& doc)
{
    QStringList p;
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        p << b.text();
    return p;
}

// The format of the first character of the first occurrence of extrait (an invalid format when
// extrait is not in the document).
inline QTextCharFormat formatde(const QTextDocument& doc, const QString& extrait)
{
    const QTextCursor trouve = doc.find(extrait);
    if (trouve.isNull())
        return QTextCharFormat();
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(trouve.selectionStart() + 1);
    return c.charFormat();
}

// The format of the last character of the first occurrence of extrait.
inline QTextCharFormat formatfin(const QTextDocument& doc, const QString& extrait)
{
    QTextCursor trouve = doc.find(extrait);
    if (trouve.isNull())
        return QTextCharFormat();
    trouve.setPosition(trouve.selectionEnd());
    return trouve.charFormat();
}

// True when pred holds for every character of the first occurrence of extrait.
template <typename P> bool partout(const QTextDocument& doc, const QString& extrait, P pred)
{
    const QTextCursor trouve = doc.find(extrait);
    if (trouve.isNull())
        return false;
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    for (int i = trouve.selectionStart() + 1; i <= trouve.selectionEnd(); ++i) {
        c.setPosition(i);
        if (!pred(c.charFormat()))
            return false;
    }
    return true;
}

inline Qt::Alignment alignementde(const QTextDocument& doc, const QString& extrait)
{
    const QTextCursor trouve = doc.find(extrait);
    return trouve.isNull() ? Qt::Alignment() : trouve.block().blockFormat().alignment();
}

inline QString premierefamille(const QTextCharFormat& f)
{
    const QStringList l = f.fontFamilies().toStringList();
    return l.isEmpty() ? QString() : l.first();
}

inline int pixels(const QTextCharFormat& f)
{
    return f.intProperty(QTextFormat::FontPixelSize);
}

inline bool gras(const QTextCharFormat& f)
{
    return f.fontWeight() >= QFont::Bold;
}
inline bool indice(const QTextCharFormat& f)
{
    return f.verticalAlignment() == QTextCharFormat::AlignSubScript;
}
inline bool exposant(const QTextCharFormat& f)
{
    return f.verticalAlignment() == QTextCharFormat::AlignSuperScript;
}
inline QColor couleur(const QTextCharFormat& f)
{
    return f.hasProperty(QTextFormat::ForegroundBrush) ? f.foreground().color() : QColor();
}

} // namespace qm::essai
