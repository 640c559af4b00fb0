#include "exercises/exercice.h"

#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

#include "core/nombre.h"
#include "files/disque.h"
#include "files/enregistrements.h"

namespace qm {

message msgabsent(const QString& dossier, const QString& nom)
{
    // A "\" of a name made on Windows is a folder separator, shown as such.
    QString chemin = dossier + nom;
    chemin.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return {("Le fichier " + chemin + " est introuvable").toStdString(), "Fichier absent"};
}

message msgecrasertexte(const QString& nomfichier)
{
    return {
        ("Le fichier " + QFileInfo(nomfichier).fileName() + " existe déjà.\nEcraser l'ancien?").toStdString(),
        "Ecraser le fichier?"};
}

QString avecseparateur(const QString& dossier)
{
    return dossier.endsWith(QLatin1Char('/')) ? dossier : dossier + QLatin1Char('/');
}

QString cheminexercice(const QString& dossier, const std::string& nom)
{
    QString n = QString::fromStdString(nom).trimmed();
    n.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return dossier + n;
}

bool dansledossier(const QString& dossier, const QString& chemin)
{
    return !dossier.isEmpty() &&
           dansdossier(QFile::encodeName(dossier).toStdString(), QFile::encodeName(chemin).toStdString());
}

std::optional<QString> cheminsur(const QString& dossier, const std::string& nom)
{
    QString chemin = cheminexercice(dossier, nom);
    if (!dansledossier(dossier, chemin))
        return std::nullopt;
    return chemin;
}

QImage chargerimage(const QString& chemin)
{
    const auto octets = lirefichier(QFile::encodeName(chemin).toStdString(), taillemaximage);
    if (!octets)
        return QImage();
    return QImage::fromData(reinterpret_cast<const uchar*>(octets->data()), int(octets->size()));
}

bool renseigne(const std::string& enregistrement)
{
    return std::any_of(enregistrement.begin(), enregistrement.end(), [](char c) { return c != ' '; });
}

bool estcorrige(const std::string& correction, const std::string& configcorrection)
{
    return renseigne(correction) || renseigne(configcorrection);
}

int etoilesallumees(const std::string& difficulte)
{
    const double d = lirenombre(difficulte).value_or(0.0);
    int n = 0;
    for (int i = 0; i < 3; ++i)
        if (d > i)
            ++n;
    return n;
}

QColor couleurlettre(int i, int n)
{
    if (n <= 0)
        return {255, 255, 255};
    const double bleu = std::nearbyint(155.0 + 100.0 * i / n);
    return {255, 255, static_cast<int>(std::clamp(bleu, 0.0, 255.0))};
}

std::optional<std::vector<std::string>> lireexercice(const QString& chemin, int premier, int dernier)
{
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isFile())
        return std::nullopt;
    return lireenregistrements(chemin.toStdString(), premier, dernier);
}

std::string champ(const QString& chemin, int numero)
{
    const auto r = lireexercice(chemin, numero, numero);
    return r && !r->empty() ? r->front() : std::string();
}

} // namespace qm
