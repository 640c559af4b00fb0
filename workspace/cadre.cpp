#include "workspace/cadre.h"

#include <QFontInfo>
#include <QFontMetrics>

#include <cmath>
#include <map>

namespace qm {

const std::array<boutoncadre, 9>& boutonscadre()
{
    static const std::array<boutoncadre, 9> b{{
        {"Command12", "&Nouveau", "Nouvelle équation-bilan", "document-new", 0, 89},
        {"Command2", "&Ouvrir", "Retrouver une série d'équations", "document-open", 88, 89},
        {"Command11", "&Enregistrer", "Enregistrer la série de réactions", "document-save", 176, 89},
        {"Command4", "Co&pier", "Placer dans le presse-papiers", "edit-copy", 264, 89},
        {"Command13", "Co&ller", "Retrouver le presse-papiers", "edit-paste", 352, 89},
        {"Command10", "&Imprimer", "Configurer l'imprimante et imprimer", "document-print", 440, 89},
        {"Command8", "&Calculatrice", "Machine à calculer", "accessories-calculator", 528, 97},
        {"Command7", "&Aide", "Aide pour utiliser cette application", "help-browser", 624, 89},
        {"Command1", "&Fermer", "Quitter cette application", "system-log-out", 712, 89},
    }};
    return b;
}

std::optional<QRect> regletaille(const QRect& ecran, const QSize& fenetre)
{
    if (ecran.width() <= 850)
        return std::nullopt;
    const int gauche = ecran.x() + (ecran.width() - fenetre.width()) / 2;
    const int haut = ecran.y() + (ecran.height() - fenetre.height()) / 2;
    return QRect(gauche, haut, largeurfeuille, hauteurfeuille);
}

QColor couleurfond(int y)
{
    // Whole numbers by the nearest, halves to the even neighbour.
    const int g = static_cast<int>(std::nearbyint(255.0 - 55.0 * y / 600.0));
    const int b = static_cast<int>(std::nearbyint(255.0 - 75.0 * y / 600.0));
    return QColor(g, g, b);
}

QColor couleurnumeq(int i)
{
    return QColor(255, 255 - 9 * i, 180);
}

QString bullenumeq(int i)
{
    return QStringLiteral("Equation chimique n° %1").arg(i + 1);
}

QString aidefond()
{
    return QStringLiteral(
        "Vous pouvez modifier les paramètres,\nouvrir une série d'équations ou un exercice");
}

QString aidecontrole(const QString& nom)
{
    static const std::map<QString, QString> aides{
        {"Onglets", "Cliquer sur un onglet pour l'afficher"},
        {"BTEXO",
         "« Exercices » pour ouvrir un énoncé, enregistrer le texte, obtenir la correction, imprimer ou "
         "fermer."},
        {"Command1", "Pour retrouver le module principal et quitter cette application: bouton Fermer"},
        {"Command10", "Utiliser la touche imprimer pour configurer l'imprimante et imprimer l'image"},
        {"Command11", "En appuyant sur le bouton enregistrer, vous pouvez conserver votre série d'équations"},
        {"Command13", "Pour retrouver une équation placée dans le presse-papiers: bouton Coller"},
        {"Command2", "En appuyant sur le bouton Ouvrir, vous pouvez retrouver une série d'équations"},
        {"Command4",
         "Copier pour placer le dessin dans le presse- papiers puis coller depuis Word, Paint..."},
        {"Command7", "Si vous rencontrez une difficulté avec cette application: bouton Aide"},
        {"Command8", "En appuyant sur le bouton Calculatrice, vous activerez la machine à calculer"},
        {"Label4", "Déplacer le curseur pour modifier l'avancement de la réaction."},
        {"numeq", "Utiliser les boutons numérotés pour changer d'équation"},
        {"outilequa",
         "Saisir votre équation chimique, vérifier puis valider pour effectuer un bilan de matière"},
        {"Picture2", "Vous pouvez modifier l'équation chimique de la réaction"},
    };
    const auto it = aides.find(nom.startsWith(QLatin1String("numeq_")) ? QStringLiteral("numeq") : nom);
    return it == aides.end() ? QString() : it->second;
}

QFont policeajustee(const QString& texte, const QSize& place, const QFont& police)
{
    QFont f = police;
    int taille = f.pixelSize() > 0 ? f.pixelSize() : QFontInfo(f).pixelSize();
    for (; taille > 7; --taille) {
        f.setPixelSize(taille);
        const QRect r = QFontMetrics(f).boundingRect(QRect(QPoint(0, 0), place), Qt::TextWordWrap, texte);
        if (r.width() <= place.width() && r.height() <= place.height())
            break;
    }
    f.setPixelSize(taille);
    return f;
}

QString textemessagecopie()
{
    return QStringLiteral(
        "L'image est copiée: vous pouvez la retrouver depuis toute application Windows (coller)");
}

QString texteconseil()
{
    return QStringLiteral(
        "Pour écrire l'équation chimique de la réaction, vous pouvez utiliser les flèches (haut "
        "et bas) ou cocher les options indice / exposant.\nLe tableau d'avancement ne peut être "
        "obtenu que si l'équation chimique est ajustée.");
}

const std::vector<morceau>& accueilmorceaux()
{
    using s = stylemorceau;
    static const std::vector<morceau> m{
        {"Quilmaret\n", s::titre},
        {"\nRien ne se perd, rien ne se crée.\n\n", s::emphase},
        {"Cette application permet de travailler sur dix bilans de matière simultanément.\n", s::simple},
        {"Vous devez commencer par ", s::simple},
        {"écrire", s::bleu},
        {" une équation chimique (en haut de l'écran).\nVous pouvez alors ", s::simple},
        {"vérifier", s::bleu},
        {" si elle est ajustée puis effectuer un ", s::simple},
        {"bilan de matière", s::bleu},
        {" en complétant la première ligne du tableau (sous les réactifs).\n\n", s::simple},
        {"Tous les paramètres sont modifiables et le tableau obtenu peut être imprimé ou placé dans le "
         "presse-papiers ",
         s::simple},
        {"(bouton Copier) pour le coller dans une autre application.\n\nVous pouvez obtenir l'énoncé d'un "
         "exercice",
         s::simple},
        {" ", s::emphase},
        {"dans cette fenêtre en cliquant sur l'onglet ", s::simple},
        {"Exercices", s::bleu},
        {".\n\n", s::simple},
        {"Pour vous familiariser avec ce simulateur, choisissez d'abord l'activité ", s::simple},
        {"Prise en main ", s::bleu},
        {"dans le menu Exercices.", s::simple},
    };
    return m;
}

} // namespace qm
