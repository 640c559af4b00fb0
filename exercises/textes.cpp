// The text actions of the exercise menu: the correction, saving, reopening and
// printing the text of the exercise box.

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <memory>
#include <optional>
#include <vector>

#include "app/boite.h"
#include "exercises/exercice.h"
#include "exercises/fichexo.h"
#include "output/confimp.h"
#include "rtf/rtf.h"
#include "workspace/feuillep.h"
#include "workspace/series.h"

namespace qm {

namespace {

const QString filtretexte = QStringLiteral("Texte au format RTF (*.RTF)");

// The folder the text dialogs open on: the last one used, else the pupil's
// documents (the program's own folder is often not writable).
QString& dossiertextes()
{
    static QString dossier;
    if (dossier.isEmpty() || !QFileInfo(dossier).isDir())
        dossier = dossierdocuments();
    return dossier;
}

// The common file dialog, Qt's own so that it looks the same everywhere.
// Nothing when cancelled.
std::optional<QString> choisirtexte(QWidget* parent, bool enregistrer)
{
    QFileDialog d(parent);
    d.setObjectName(QStringLiteral("comexo"));
    d.setOption(QFileDialog::DontUseNativeDialog);
    d.setDirectory(dossiertextes());
    d.setNameFilter(filtretexte);
    if (enregistrer) {
        d.setWindowTitle(QStringLiteral("Enregistrer sous"));
        d.setAcceptMode(QFileDialog::AcceptSave);
        d.setFileMode(QFileDialog::AnyFile);
        d.setDefaultSuffix(QStringLiteral("RTF"));
        // The program asks itself, with its own words.
        d.setOption(QFileDialog::DontConfirmOverwrite);
    } else {
        d.setWindowTitle(QStringLiteral("Ouvrir"));
        d.setAcceptMode(QFileDialog::AcceptOpen);
        d.setFileMode(QFileDialog::ExistingFile);
        d.selectFile(QStringLiteral("*.rtf"));
    }
    if (d.exec() != QDialog::Accepted || d.selectedFiles().isEmpty())
        return std::nullopt;
    const QString choisi = d.selectedFiles().front();
    if (choisi.isEmpty())
        return std::nullopt;
    dossiertextes() = QFileInfo(choisi).absolutePath();
    return choisi;
}

void boite(QWidget* parent, const message& m)
{
    boitemessage(parent, m);
}

// A size fixed in screen pixels, given in points instead (a screen pixel is
// a 96th of an inch); false when the format has no pixel size.
bool enpoints(QTextCharFormat& f)
{
    const int pixels = f.intProperty(QTextFormat::FontPixelSize);
    if (pixels <= 0)
        return false;
    f.clearProperty(QTextFormat::FontPixelSize);
    f.setFontPointSize(pixels * 72.0 / 96.0);
    return true;
}

// The text's sizes are pixels, and a printer's pixel is far smaller than the
// screen's: laid out for paper, every size becomes the same size in points,
// so that a 12 pt text prints 12 pt high at any printer resolution.
void tailleimprimee(QTextDocument& d)
{
    QFont defaut = d.defaultFont();
    if (defaut.pixelSize() > 0) {
        defaut.setPointSizeF(defaut.pixelSize() * 72.0 / 96.0);
        d.setDefaultFont(defaut);
    }
    // Gathered first: setting a format may merge the fragments walked over.
    struct morceauformat {
        int debut;
        int fin;
        QTextCharFormat format;
        bool bloc; // the paragraph's own format (its mark, an empty line's height)
    };
    std::vector<morceauformat> morceaux;
    for (QTextBlock b = d.begin(); b.isValid(); b = b.next()) {
        if (QTextCharFormat f = b.charFormat(); enpoints(f))
            morceaux.push_back({b.position(), b.position(), f, true});
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            const QTextFragment fr = it.fragment();
            if (QTextCharFormat f = fr.charFormat(); enpoints(f))
                morceaux.push_back({fr.position(), fr.position() + fr.length(), f, false});
        }
    }
    QTextCursor c(&d);
    for (const morceauformat& m : morceaux) {
        c.setPosition(m.debut);
        if (m.bloc) {
            c.setBlockCharFormat(m.format);
        } else {
            c.setPosition(m.fin, QTextCursor::KeepAnchor);
            c.setCharFormat(m.format);
        }
    }
}

} // namespace

void opencor_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    if (!pertemodifications(f))
        return;
    f.etat.textemodifie = 0;
    f.setCursor(Qt::WaitCursor);
    const auto fin = [&f] { f.unsetCursor(); };

    const auto r = lireexercice(f.fich->text(), champexo::correction, champexo::configcorrection);
    if (!r) {
        boite(&f, msglectureexo);
        fin();
        return;
    }
    const std::string& correction = (*r)[0];
    const std::string& configuration = (*r)[1];
    const QString dossier = f.etat.dossierexo;
    if (renseigne(correction)) {
        const auto textecorrection = cheminsur(dossier, correction);
        if (!textecorrection || !chargertexte(f, *textecorrection)) {
            boite(&f, msgabsent(dossier, QString::fromStdString(correction)));
            fin();
            return;
        }
    }
    if (renseigne(configuration)) {
        const auto serie = cheminsur(dossier, configuration);
        if (!serie || !QFileInfo(*serie).isFile()) {
            boite(&f, msgabsent(dossier, QString::fromStdString(configuration)));
            fin();
            return;
        }
        f.etat.nomfichier = *serie;
        chargeserie(f);
    }
    f.supertext->setReadOnly(false);
    fin();
    f.etat.textemodifie = 0;
}

void savetexte_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    const auto chemin = choisirtexte(&f, true);
    if (!chemin)
        return;
    if (QFileInfo::exists(*chemin)) {
        const message q = msgecrasertexte(*chemin);
        if (boitemessage(&f, QString::fromStdString(q.texte), QString::fromStdString(q.titre),
                         icone::question, boutons::okannuler) != reponse::ok)
            return;
    }
    if (!ecrirefichierrtf(*f.supertext->document(), *chemin)) {
        boite(&f, msgecrituretexte);
        return;
    }
    f.etat.textemodifie = 0;
}

void opentexte_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    if (!pertemodifications(f))
        return;
    f.etat.textemodifie = 0;
    const auto chemin = choisirtexte(&f, false);
    if (!chemin)
        return;
    f.etat.exerciceouvert = 0;
    if (!chargertexte(f, *chemin))
        boite(&f, msglecturetexte);
    f.supertext->setReadOnly(false);
    f.fich->setText(QStringLiteral("Texte: ") + *chemin);
    f.etat.textemodifie = 0;
}

void imprimetexte_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    QPrinter& imprimante = qm::imprimante();
    QPrintDialog choix(&imprimante, &f);
    choix.setObjectName(QStringLiteral("comexo"));
    choix.setOptions(QAbstractPrintDialog::PrintToFile);
    const QTextCursor c = f.supertext->textCursor();
    if (choix.exec() != QDialog::Accepted)
        return;
    // The selection alone, or the whole text when nothing is selected; a
    // copy either way, given its sizes in points.
    std::unique_ptr<QTextDocument> copie;
    if (c.hasSelection()) {
        copie = std::make_unique<QTextDocument>();
        copie->setDefaultFont(f.supertext->document()->defaultFont());
        QTextCursor(copie.get()).insertFragment(c.selection());
    } else {
        copie.reset(f.supertext->document()->clone());
    }
    tailleimprimee(*copie);
    copie->print(&imprimante);
}

} // namespace qm
