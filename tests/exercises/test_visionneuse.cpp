#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTimer>

#include "exercises/visionneuse.h"

namespace {

using namespace qm;

const char* const aidecourte =
    R"(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>Essai</title></head><body>
<h1><a name="sommaire"></a>Sommaire de l'aide</h1>
<p><a href="#loin">Aller à la fin</a></p>
)"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    R"(<h2><a name="loin"></a>Section lointaine é</h2>
<p>fin</p>
)"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n<p>remplissage</p>\n"
    "</body></html>\n";

QString ecrire(const QTemporaryDir& dossier, const QByteArray& contenu)
{
    QFile f(dossier.filePath(QStringLiteral("TIXU.hlp")));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(contenu);
    return dossier.path();
}

QTextBrowser* navigateurde(QDialog& d)
{
    return d.findChild<QTextBrowser*>(QStringLiteral("navigateur"));
}

TEST(Visionneuse, MontreLeFichierSurSonSommaire)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    auto d = construireaide(nullptr, ecrire(dossier, aidecourte));
    EXPECT_EQ(d->objectName(), QStringLiteral("aide"));
    EXPECT_EQ(d->windowTitle(), QStringLiteral("Aide"));
    EXPECT_EQ(d->size(), QSize(640, 480));
    QTextBrowser* n = navigateurde(*d);
    ASSERT_NE(n, nullptr);
    d->show();
    QApplication::processEvents();
    EXPECT_EQ(n->document()->firstBlock().text(), QStringLiteral("Sommaire de l'aide"));
    EXPECT_TRUE(n->toPlainText().contains(QStringLiteral("Section lointaine é")));
    EXPECT_EQ(n->verticalScrollBar()->value(), 0);
    EXPECT_GT(n->verticalScrollBar()->maximum(), 0);
}

TEST(Visionneuse, UnLienMeneASaSection)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    auto d = construireaide(nullptr, ecrire(dossier, aidecourte));
    QTextBrowser* n = navigateurde(*d);
    ASSERT_NE(n, nullptr);
    d->show();
    QApplication::processEvents();
    ASSERT_EQ(n->verticalScrollBar()->value(), 0);
    // Clicking the link: the browser reaches its anchor through the same path.
    const QUrl cible = n->source().resolved(QUrl(QStringLiteral("#loin")));
    n->setSource(cible);
    QApplication::processEvents();
    EXPECT_GT(n->verticalScrollBar()->value(), 0);
    EXPECT_TRUE(n->toPlainText().contains(QStringLiteral("Sommaire de l'aide")));
    // The heading of the section is now in view, and was not before.
    const QTextBlock titre = n->document()->find(QStringLiteral("Section lointaine")).block();
    ASSERT_TRUE(titre.isValid());
    const double y = n->document()->documentLayout()->blockBoundingRect(titre).top();
    const int haut = n->verticalScrollBar()->value();
    EXPECT_GE(y, haut - 1);
    EXPECT_LT(y, haut + n->viewport()->height());
    EXPECT_GE(y, n->viewport()->height());
}

TEST(Visionneuse, FichierAbsentDonneUnVisionneurVide)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    auto d = construireaide(nullptr, dossier.path());
    QTextBrowser* n = navigateurde(*d);
    ASSERT_NE(n, nullptr);
    EXPECT_TRUE(n->toPlainText().isEmpty());
    // Opened modally: it shows, without a message box, and closes.
    bool vu = false;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        vu = m && m->objectName() == QStringLiteral("aide");
        if (auto* fenetre = qobject_cast<QDialog*>(m))
            fenetre->reject();
    });
    ouvriraide(nullptr, dossier.path() + QStringLiteral("/inexistant"));
    EXPECT_TRUE(vu);
}

TEST(Visionneuse, OuvertModalSurLeSommaire)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const QString chemin = ecrire(dossier, aidecourte);
    QString premier;
    QTimer::singleShot(0, [&] {
        QWidget* m = QApplication::activeModalWidget();
        if (!m)
            return;
        if (auto* n = m->findChild<QTextBrowser*>(QStringLiteral("navigateur")))
            premier = n->document()->firstBlock().text();
        if (auto* fenetre = qobject_cast<QDialog*>(m))
            fenetre->reject();
    });
    ouvriraide(nullptr, chemin);
    EXPECT_EQ(premier, QStringLiteral("Sommaire de l'aide"));
}

TEST(Visionneuse, LesLiensDuFichierLivreMenentAUneAncre)
{
    QFile f(QStringLiteral(QUILMARET_SOURCE "/data/TIXU.hlp"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(texte.contains(QStringLiteral("<meta charset=\"utf-8\">")));
    EXPECT_TRUE(texte.contains(QStringLiteral("Vérifier l'équation chimique")));

    QSet<QString> ancres;
    const QRegularExpression nom(QStringLiteral(R"re(<a\s[^>]*(?:name|id)="([^"]+)")re"));
    for (auto m = nom.globalMatch(texte); m.hasNext();)
        ancres.insert(m.next().captured(1));
    const QRegularExpression lien(QStringLiteral(R"re(href="([^"]*)")re"));
    int liens = 0;
    for (auto m = lien.globalMatch(texte); m.hasNext();) {
        const QString cible = m.next().captured(1);
        ++liens;
        ASSERT_TRUE(cible.startsWith(QLatin1Char('#'))) << cible.toStdString();
        EXPECT_TRUE(ancres.contains(cible.mid(1))) << cible.toStdString();
    }
    EXPECT_GE(liens, 8);
    // The topics page comes first: the first anchor is the one of the topics.
    const auto premier = nom.match(texte);
    ASSERT_TRUE(premier.hasMatch());
    EXPECT_EQ(premier.captured(1), QStringLiteral("sommaire"));
    // Every section is listed on the topics page.
    for (const QString& a : ancres) {
        if (a != QStringLiteral("sommaire")) {
            EXPECT_TRUE(texte.contains(QStringLiteral("href=\"#") + a + QLatin1Char('"'))) << a.toStdString();
        }
    }
}

} // namespace
