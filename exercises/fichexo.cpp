#include "exercises/fichexo.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QToolButton>

#include <cmath>

#include "app/boite.h"
#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "exercises/exercice.h"
#include "rtf/rtf.h"
#include "workspace/feuillep.h"
#include "workspace/onglets.h"
#include "workspace/series.h"

namespace qm {

namespace {

constexpr int hauteurtito = 41;
const QColor fondtito(128, 0, 0);
const QColor fondpanneau(212, 208, 200);

QString texte(const char* utf8)
{
    return QString::fromUtf8(utf8);
}
QString texte(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QFont policefenetre(double points = 8.25, bool gras = false)
{
    return police(QStringLiteral("MS Sans Serif"), points, gras);
}

QLabel* etiquette(QWidget* parent, const char* nom, const QString& legende, QRect ou, const QFont& f)
{
    auto* e = new QLabel(legende, parent);
    e->setObjectName(QLatin1String(nom));
    e->setFont(f);
    e->setGeometry(ou);
    return e;
}

// A five-pointed star, lit (gold) or dark, drawn for the difficulty.
QPixmap etoile(bool allumee, QSize taille)
{
    QPixmap image = imagenette(taille);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath trace;
    const QPointF centre(taille.width() / 2.0, taille.height() / 2.0 + 1);
    const double grand = std::min(taille.width(), taille.height()) / 2.0 - 1.5;
    const double petit = grand * 0.42;
    for (int k = 0; k < 10; ++k) {
        const double angle = -M_PI / 2 + k * M_PI / 5;
        const double r = k % 2 == 0 ? grand : petit;
        const QPointF point(centre.x() + r * std::cos(angle), centre.y() + r * std::sin(angle));
        if (k == 0)
            trace.moveTo(point);
        else
            trace.lineTo(point);
    }
    trace.closeSubpath();
    QLinearGradient degrade(0, 0, 0, taille.height());
    if (allumee) {
        degrade.setColorAt(0, QColor(255, 240, 120));
        degrade.setColorAt(1, QColor(230, 160, 0));
        p.setPen(QPen(QColor(150, 90, 0), 1.2));
    } else {
        degrade.setColorAt(0, QColor(120, 120, 120));
        degrade.setColorAt(1, QColor(60, 60, 60));
        p.setPen(QPen(QColor(40, 40, 40), 1.2));
    }
    p.setBrush(degrade);
    p.drawPath(trace);
    return image;
}

QToolButton* boutonimage(QWidget* parent, const char* nom, const char* theme, const char* bulle, QRect ou)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QLatin1String(nom));
    b->setGeometry(ou);
    b->setIcon(QIcon::fromTheme(QLatin1String(theme)));
    b->setIconSize(ou.size() - QSize(4, 4));
    b->setAutoRaise(true);
    b->setToolTip(texte(bulle));
    b->setAccessibleName(texte(bulle));
    return b;
}

QLabel* pictogramme(QWidget* parent, const char* theme, QRect ou, const char* nomaccessible)
{
    auto* l = new QLabel(parent);
    l->setAccessibleName(texte(nomaccessible));
    l->setPixmap(QIcon::fromTheme(QLatin1String(theme)).pixmap(ou.size()));
    l->setGeometry(ou);
    return l;
}

void fermer(Fichexo& w)
{
    w.done(QDialog::Accepted);
}

void etoiles(Fichexo& w, int allumees)
{
    for (int i = 0; i < 3; ++i) {
        w.Image4[static_cast<std::size_t>(i)]->setPixmap(i < allumees ? w.Imagalu->pixmap()
                                                                      : w.Imagenoir->pixmap());
        w.Image4[static_cast<std::size_t>(i)]->show();
    }
}

void montrerattente(Fichexo& w)
{
    w.Frame2->show();
    w.Frame2->raise();
    w.Frame2->repaint();
}

QAction* entree(QMenu* menu, const char* nom, const char* legende)
{
    QAction* a = menu->addAction(texte(legende));
    a->setObjectName(QLatin1String(nom));
    return a;
}

void separateur(QMenu* menu, const char* nom)
{
    menu->addSeparator()->setObjectName(QLatin1String(nom));
}

} // namespace

// ---- Title strip ----

Tito::Tito(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("tito"));
}

void Tito::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    peindretito(p, size());
}

void peindretito(QPainter& p, QSize taille)
{
    p.fillRect(QRect(QPoint(0, 0), taille), fondtito);
    const QString titre = QStringLiteral("Ouvrir un exercice");
    const QFont f = police(QStringLiteral("MS Sans Serif"), 24, true);
    const QFontMetrics m(f);
    p.setFont(f);
    const int n = static_cast<int>(titre.size());
    const int y = (taille.height() - m.height()) / 2 - 2;
    int x = 30;
    for (int i = 1; i <= n; ++i) {
        const QString lettre = titre.mid(i - 1, 1);
        p.setPen(couleurlettre(i, n));
        p.drawText(QPoint(x, y + m.ascent()), lettre);
        x += m.horizontalAdvance(lettre);
    }
}

// ---- The browser ----

Fichexo::Fichexo(FeuilleP& f) : QDialog(&f), feuille(f), dossierchoisi(f.etat.dossierexo)
{
    setObjectName(QStringLiteral("Fichexo"));
    setWindowTitle(texte("Ouvrir un exercice"));
    setFont(policefenetre());

    tito = new Tito(this);
    tito->setGeometry(0, 0, 804, hauteurtito);
    tito->setAccessibleName(texte("Ouvrir un exercice"));
    ouvreur =
        boutonimage(tito, "ouvreur", "document-open", "Ouvrir l'exercice sélectionné", {712, 4, 32, 32});
    Image5 = boutonimage(tito, "Image5", "process-stop", "Fermer sans charger d'exercice", {752, 4, 32, 32});

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setFrameShape(QFrame::Panel);
    Frame1->setFrameShadow(QFrame::Raised);
    Frame1->setAutoFillBackground(true);
    QPalette pf = Frame1->palette();
    pf.setColor(QPalette::Window, fondpanneau);
    Frame1->setPalette(pf);
    Frame1->setGeometry(0, 32, 241, 568);
    Frame1->setAccessibleName(texte("Choix de l'exercice"));
    pictogramme(Frame1, "drive-harddisk", {8, 20, 32, 32}, "Lecteur");
    pictogramme(Frame1, "folder", {8, 64, 32, 32}, "Dossier");
    pictogramme(Frame1, "x-office-document", {8, 280, 32, 32}, "Fichier");
    listes.motif = QString::fromLatin1(motifexercice);
    construirelistes(*Frame1, *this, listes, {48, 24, 169, 21}, {48, 64, 169, 186}, {48, 280, 169, 227});
    Label5 =
        etiquette(Frame1, "Label5", texte("Liste des exercices:"), {48, 264, 169, 17}, policefenetre(9.75));

    fichierexo = new QLineEdit(this);
    fichierexo->setObjectName(QStringLiteral("fichierexo"));
    fichierexo->setFont(policefenetre(8.25, true));
    fichierexo->setGeometry(240, 40, 562, 18);
    fichierexo->setReadOnly(true);
    fichierexo->setAccessibleName(texte("Fichier de l'exercice"));

    titratexo = etiquette(this, "titratexo", QString(), {280, 72, 521, 25},
                          police(QStringLiteral("Times New Roman"), 15.75));
    titratexo->setAccessibleName(texte("Titre de l'exercice"));
    Label4 =
        etiquette(this, "Label4", texte("Niveau de difficulté :"), {248, 120, 169, 17}, policefenetre(9.75));
    const int xs[3] = {432, 464, 496};
    const int ls[3] = {32, 33, 33};
    for (int i = 0; i < 3; ++i) {
        auto* e = new QLabel(this);
        e->setObjectName(QStringLiteral("Image4_%1").arg(i));
        e->setGeometry(xs[i], 112, ls[i], 32);
        e->setAlignment(Qt::AlignCenter);
        e->setAccessibleName(texte("Étoile de difficulté ") + QString::number(i + 1));
        Image4[static_cast<std::size_t>(i)] = e;
    }
    Imagalu = new QLabel(this);
    Imagalu->setObjectName(QStringLiteral("Imagalu"));
    Imagalu->setPixmap(etoile(true, QSize(28, 28)));
    Imagalu->setAccessibleName(texte("Étoile allumée"));
    Imagalu->hide();
    Imagenoir = new QLabel(this);
    Imagenoir->setObjectName(QStringLiteral("Imagenoir"));
    Imagenoir->setPixmap(etoile(false, QSize(28, 28)));
    Imagenoir->setAccessibleName(texte("Étoile éteinte"));
    Imagenoir->hide();

    // The shadow first, so that the caption lies over it.
    Label3 = etiquette(this, "Label3", QString(), {586, 114, 193, 33}, policefenetre(18, true));
    QPalette ombre = Label3->palette();
    ombre.setColor(QPalette::WindowText, QColor(128, 128, 128));
    Label3->setPalette(ombre);
    Label3->setAccessibleName(texte("Ombre de la correction"));
    Label2 = etiquette(this, "Label2", QString(), {584, 112, 193, 33}, policefenetre(18, true));
    QPalette rouge = Label2->palette();
    rouge.setColor(QPalette::WindowText, QColor(128, 0, 0));
    Label2->setPalette(rouge);
    Label2->setAccessibleName(texte("Correction"));
    Label1 = etiquette(this, "Label1", texte("Notions abordées :"), {280, 160, 177, 25},
                       police(QStringLiteral("Times New Roman"), 12, true));
    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setFont(policefenetre(9.75));
    Text1->setGeometry(288, 200, 473, 345);
    Text1->setReadOnly(true);
    Text1->setAccessibleName(texte("Notions abordées"));
    intratro =
        etiquette(this, "intratro", texte("Sélectionner un fichier"), {392, 152, 313, 41}, policefenetre(18));
    intratro->setAlignment(Qt::AlignCenter);

    Frame2 = new QFrame(this);
    Frame2->setObjectName(QStringLiteral("Frame2"));
    Frame2->setFrameShape(QFrame::Box);
    Frame2->setAutoFillBackground(true);
    Frame2->setFixedSize(553, 105);
    Frame2->setAccessibleName(texte("Chargement des fichiers"));
    auto* barre = etiquette(Frame2, "Label6", texte(" Chargement des fichiers"), {1, 1, 551, 20},
                            policefenetre(8.25, true));
    barre->setAutoFillBackground(true);
    QPalette pb = barre->palette();
    pb.setColor(QPalette::Window, QColor(0, 0, 128));
    pb.setColor(QPalette::WindowText, Qt::white);
    barre->setPalette(pb);
    auto* sablier = pictogramme(Frame2, "appointment-new", {24, 44, 48, 48}, "Patienter");
    sablier->setObjectName(QStringLiteral("Image1"));
    etiquette(Frame2, "Label7", texte("Patienter quelques instants"), {96, 48, 440, 40},
              policefenetre(18, true));
    Frame2->hide();

    optionexo = new QMenu(this);
    optionexo->setObjectName(QStringLiteral("optionexo"));
    PRISENMAIN = entree(optionexo, "PRISENMAIN", "Prise en main");
    separateur(optionexo, "separons1");
    openexo = entree(optionexo, "openexo", "Ouvrir un exercice (énoncé + configuration)");
    opencor = entree(optionexo, "opencor", "Voir la correction");
    separateur(optionexo, "separons2");
    savetexte = entree(optionexo, "savetexte", "Enregistrer le contenu de la fenêtre exercice");
    opentexte = entree(optionexo, "opentexte", "Retrouver un texte");
    imprimetexte = entree(optionexo, "imprimetexte", "Imprimer le contenu de la fenêtre exercice");
    separateur(optionexo, "separons3");
    Closexo = entree(optionexo, "Closexo", "Fermer l'exercice");
    connect(optionexo, &QMenu::aboutToShow, this, [this] { reglermenu(*this); });

    listes.File1_PathChange = [this] { sansfaute([&] { File1_PathChange(*this); }); };
    listes.File1->installEventFilter(this);
    connect(listes.File1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* i) { sansfaute([&] { File1_Click(*this, i); }); });
    connect(listes.File1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) {
        sansfaute([&] {
            File1_Click(*this, i);
            ouvreur_Click(*this);
        });
    });
    connect(ouvreur, &QToolButton::clicked, this, [this] { sansfaute([&] { ouvreur_Click(*this); }); });
    connect(Image5, &QToolButton::clicked, this, [this] { sansfaute([&] { Image5_Click(*this); }); });

    Fichexo_Load(*this);
}

void Fichexo::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    sansfaute([&] { Fichexo_Activate(*this); });
}

bool Fichexo::eventFilter(QObject* objet, QEvent* event)
{
    if (objet == listes.Dir1 && toucheentree(event)) {
        sansfaute([&] { Dir1_Ouvrir(listes); });
        return true;
    }
    if (objet == listes.File1 && toucheentree(event)) {
        sansfaute([&] {
            if (QListWidgetItem* i = listes.File1->currentItem())
                File1_Click(*this, i);
            ouvreur_Click(*this);
        });
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

void Fichexo_Load(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    w.titratexo->clear();
    w.Frame2->hide();
    // The main window's place and size.
    w.setGeometry(f.geometry());
    const QSize interieur = f.size();
    w.Frame1->setGeometry(0, hauteurtito - 8, w.Frame1->width(), interieur.height());
    w.fichierexo->setGeometry(240, 40, interieur.width() - 240 + 2, 18);
    w.Frame2->move((interieur.width() - w.Frame2->width()) / 2,
                   (interieur.height() - w.Frame2->height()) / 2);
    w.Text1->clear();
    w.Label3->setText(w.Label2->text());
    w.Label3->move(w.Label2->pos() + QPoint(2, 2));
    for (QLabel* e : w.Image4)
        e->hide();
    for (QWidget* c : std::initializer_list<QWidget*>{w.Label4, w.ouvreur, w.Label1, w.Label2, w.Label3})
        c->hide();
    w.intratro->show();
    // The folder lists open on the program's folder.
    changerdossier(w.listes, f.etat.dossierprogramme);
}

void Fichexo_Activate(Fichexo& w)
{
    if (w.listes.File1->count() == 0)
        return;
    w.listes.File1->setCurrentRow(0);
    File1_Click(w, w.listes.File1->item(0));
    w.listes.File1->setFocus();
}

void File1_Click(Fichexo& w, QListWidgetItem* item)
{
    if (!item)
        return;
    const QString dossier = avecseparateur(w.listes.dossierfichiers);
    w.fichierexo->setText(dossier);
    QDir::setCurrent(dossier);
    w.dossierchoisi = dossier;
    w.fichierexo->setText(dossier + item->text());
    apercu(w);
}

void File1_PathChange(Fichexo& w)
{
    w.fichierexo->clear();
    w.titratexo->clear();
    apercu(w);
    for (QWidget* c : std::initializer_list<QWidget*>{w.Label1, w.Label2, w.Label3})
        c->hide();
    w.intratro->show();
    if (w.isVisible())
        Fichexo_Activate(w);
}

void apercu(Fichexo& w)
{
    w.Text1->clear();
    for (QLabel* e : w.Image4)
        e->hide();
    w.Label4->hide();
    w.ouvreur->hide();
    const QString chemin = w.fichierexo->text();
    if (chemin.trimmed().isEmpty())
        return;
    w.intratro->hide();
    for (QWidget* c : std::initializer_list<QWidget*>{w.Label4, w.ouvreur, w.Label1, w.Label2, w.Label3})
        c->show();

    const auto correction = lireexercice(chemin, champexo::correction, champexo::configcorrection);
    if (!correction) {
        boitemessage(&w, msglectureexo);
        return;
    }
    const QString verdict = estcorrige((*correction)[0], (*correction)[1]) ? textecorrige : textenoncorrige;
    w.Label2->setText(verdict);
    w.Label3->setText(verdict);

    // From here on a record that cannot be read counts as empty.
    etoiles(w, etoilesallumees(champ(chemin, champexo::difficulte)));
    QString notions;
    for (int n = champexo::notions; n < champexo::notions + 4; ++n) {
        const std::string morceau = champ(chemin, n);
        if (renseigne(morceau))
            notions += texte(morceau);
    }
    w.Text1->setPlainText(notions);
    w.titratexo->setText(texte(champ(chemin, champexo::titre)).trimmed());
}

bool chargertexte(FeuilleP& f, const QString& chemin)
{
    if (!QFileInfo(chemin).isFile() || !lirefichierrtf(chemin, *f.supertext->document()))
        return false;
    f.supertext->moveCursor(QTextCursor::Start);
    return true;
}

void ouvreur_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    if (w.fichierexo->text().trimmed().isEmpty())
        return;
    montrerattente(w);

    const QString chemin = w.fichierexo->text();
    const auto r = lireexercice(chemin, champexo::enonce, champexo::image);
    if (!r) {
        boitemessage(&w, msglectureexo);
        w.Frame2->hide();
        return;
    }
    const std::string& enonce = (*r)[champexo::enonce - 1];
    const std::string& configuration = (*r)[champexo::configuration - 1];
    const std::string& image = (*r)[champexo::image - 1];
    const QString dossier = w.dossierchoisi;

    const auto texteenonce = cheminsur(dossier, enonce);
    if (!texteenonce || !chargertexte(f, *texteenonce)) {
        boitemessage(&w, msgabsent(dossier, texte(enonce)));
        w.Frame2->hide();
        return;
    }
    // The exercise in use is this one from now on: its correction is looked
    // for in its folder.
    f.etat.dossierexo = dossier;
    f.fich->setText(chemin);
    f.etat.exerciceouvert = w.Label2->text() == textecorrige ? 1 : 0;
    if (renseigne(configuration)) {
        const auto serie = cheminsur(dossier, configuration);
        if (!serie || !QFileInfo(*serie).isFile()) {
            boitemessage(&w, msgabsent(dossier, texte(configuration)));
            w.Frame2->hide();
            return;
        }
        f.etat.nomfichier = *serie;
        chargeserie(f);
    }

    // From here on failures are ignored.
    f.onglets->ong3->effacerimage();
    if (renseigne(image)) {
        // Pictures are named from the program's folder, and stay in it.
        const auto fichierimage = cheminsur(avecseparateur(f.etat.dossierprogramme), image);
        const QImage illustration = fichierimage ? chargerimage(*fichierimage) : QImage();
        if (!illustration.isNull()) {
            f.onglets->ong3->mettreimage(illustration);
            f.onglets->specialimage();
        }
    }
    w.Frame2->hide();
    f.supertext->setReadOnly(false);
    f.etat.textemodifie = 0;
    fermer(w);
}

void Image5_Click(Fichexo& w)
{
    w.done(QDialog::Rejected);
}

// ---- The menu ----

void reglermenu(Fichexo& w)
{
    w.opencor->setEnabled(w.feuille.etat.exerciceouvert == 1);
    w.Closexo->setEnabled(!w.feuille.fich->text().isEmpty());
}

bool pertemodifications(FeuilleP& f)
{
    if (f.etat.textemodifie != 1)
        return true;
    return boitemessage(&f, texte(msgperte.texte), texte(msgperte.titre), icone::question,
                        boutons::okannuler) == reponse::ok;
}

void openexo_Click(Fichexo& w)
{
    if (!pertemodifications(w.feuille))
        return;
    w.feuille.etat.textemodifie = 0;
    w.exec();
}

void PRISENMAIN_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    // The tutorial replaces the text like an exercise does: the pupil's
    // unsaved text is not lost without asking.
    if (!pertemodifications(f))
        return;
    const QString dossier = avecseparateur(f.etat.dossierprogramme);
    const QString tutoriel = dossier + QLatin1String(fichiertutoriel);
    if (!QFileInfo(tutoriel).isFile())
        return;
    f.etat.dossierexo = dossier;
    const auto echec = [&] {
        boitemessage(&w, msgtutoriel);
        fermer(w);
    };
    const auto r = lireexercice(tutoriel, champexo::enonce, champexo::configuration);
    const auto texteenonce = r ? cheminsur(dossier, (*r)[0]) : std::nullopt;
    if (!texteenonce || !chargertexte(f, *texteenonce)) {
        echec();
        return;
    }
    f.fich->setText(tutoriel);
    f.etat.exerciceouvert = 0;
    if (renseigne((*r)[1])) {
        const auto serie = cheminsur(dossier, (*r)[1]);
        if (!serie || !QFileInfo(*serie).isFile()) {
            echec();
            return;
        }
        f.etat.nomfichier = *serie;
        chargeserie(f);
    }
    f.supertext->setReadOnly(false);
    f.etat.textemodifie = 0;
    fermer(w);
}

void Closexo_Click(Fichexo& w)
{
    FeuilleP& f = w.feuille;
    f.onglets->ong3->effacerimage();
    if (!pertemodifications(f))
        return;
    f.etat.textemodifie = 0;
    f.fich->clear();
    f.accueil();
    f.etat.exerciceouvert = 0;
    fermer(w);
}

void BTEXO_Click(FeuilleP& f)
{
    Fichexo w(f);
    reglermenu(w);
    QAction* choix = w.optionexo->exec(f.BTEXO->mapToGlobal(QPoint(0, f.BTEXO->height())));
    if (!choix || !choix->isEnabled())
        return;
    sansfaute([&] {
        if (choix == w.PRISENMAIN)
            PRISENMAIN_Click(w);
        else if (choix == w.openexo)
            openexo_Click(w);
        else if (choix == w.opencor)
            opencor_Click(w);
        else if (choix == w.savetexte)
            savetexte_Click(w);
        else if (choix == w.opentexte)
            opentexte_Click(w);
        else if (choix == w.imprimetexte)
            imprimetexte_Click(w);
        else if (choix == w.Closexo)
            Closexo_Click(w);
    });
}

bool ouvrirexercice(FeuilleP& f, const QString& chemin)
{
    bool ouvert = false;
    sansfaute([&] {
        // The pupil's unsaved text is not lost without asking, even when
        // another program asks for an exercise.
        if (!pertemodifications(f))
            return;
        f.etat.textemodifie = 0;
        // The names of a requested exercise are relative to the program's
        // folder; it becomes the exercise folder once the exercise is open.
        Fichexo w(f);
        w.dossierchoisi = avecseparateur(f.etat.dossierprogramme);
        QString nom = chemin;
        nom.replace(QLatin1Char('\\'), QLatin1Char('/'));
        // Anyone may write the request: it opens nothing outside the
        // program's folder, which is then as a missing exercise.
        if (!dansledossier(f.etat.dossierprogramme, nom)) {
            boitemessage(&w, msglectureexo);
            return;
        }
        w.fichierexo->setText(nom);
        const QString avant = f.fich->text();
        f.fich->clear();
        ouvreur_Click(w);
        ouvert = !f.fich->text().isEmpty();
        if (!ouvert)
            f.fich->setText(avant);
    });
    return ouvert;
}

} // namespace qm
