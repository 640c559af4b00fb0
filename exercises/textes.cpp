// The text actions of the exercise menu: the correction, saving, reopening and
// printing the text of the exercise box.

#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>

#include <memory>
#include <optional>

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

void boite(QWidget* parent, const message& m) { boitemessage(parent, m); }

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
    if (renseigne(correction) && !chargertexte(f, cheminexercice(dossier, correction))) {
        boite(&f, msgabsent(dossier, QString::fromStdString(correction)));
        fin();
        return;
    }
    if (renseigne(configuration)) {
        const QString serie = cheminexercice(dossier, configuration);
        if (!QFileInfo(serie).isFile()) {
            boite(&f, msgabsent(dossier, QString::fromStdString(configuration)));
            fin();
            return;
        }
        f.etat.nomfichier = serie;
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
        if (boitemessage(&f, QString::fromStdString(q.texte), QString::fromStdString(q.titre), icone::question,
                         boutons::okannuler) != reponse::ok)
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
    // The selection alone, or the whole text when nothing is selected.
    if (c.hasSelection()) {
        QTextDocument morceau;
        morceau.setDefaultFont(f.supertext->document()->defaultFont());
        QTextCursor(&morceau).insertFragment(c.selection());
        morceau.print(&imprimante);
    } else {
        f.supertext->document()->print(&imprimante);
    }
}

} // namespace qm
