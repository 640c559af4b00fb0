#include "files/fenetres.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStandardPaths>
#include <QStorageInfo>

#include <algorithm>
#include <iterator>
#include <utility>

#include "app/boite.h"
#include "app/initialisation.h"
#include "app/sansfaute.h"

namespace qm {

namespace {

constexpr int indentation = 2; // blanks per folder level in the folder list

QString texte(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// `dossier` is `racine` or lies below it.
bool estracine(const QString& dossier, const QString& racine)
{
    return racine == QLatin1String("/") || dossier == racine || dossier.startsWith(racine + QLatin1Char('/'));
}

// "/" and the home folder always, then the volumes a pupil may store on.
QStringList lecteurs()
{
    QStringList racines;
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady())
            racines << v.rootPath();
    return lecteursretenus(racines, QDir::homePath());
}

// A folder without its "." and "..", links followed: empty when it is missing.
QString canonique(const QString& dossier)
{
    return QFileInfo(dossier).canonicalFilePath();
}

// The drive a folder lies on: the longest drive root that holds it.
int lecteurde(const QComboBox& c, const QString& dossier)
{
    int choisi = 0;
    for (int i = 0; i < c.count(); ++i)
        if (estracine(dossier, c.itemText(i)) && c.itemText(i).size() > c.itemText(choisi).size())
            choisi = i;
    return choisi;
}

// Climbing out of a drive through the folder list shows the drive it reached.
void suivrelecteur(listesfichiers& l)
{
    const QSignalBlocker bloque(l.Drive1);
    l.Drive1->setCurrentIndex(lecteurde(*l.Drive1, l.dossier));
}

void remplirdossiers(listesfichiers& l)
{
    l.Dir1->clear();
    const QIcon ouvert = QIcon::fromTheme(QStringLiteral("folder-open"));
    const QIcon ferme = QIcon::fromTheme(QStringLiteral("folder"));
    QStringList parties = l.dossier.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString chemin = QStringLiteral("/");
    auto ajouter = [&](const QString& nom, const QString& complet, int niveau, const QIcon& icone) {
        auto* item =
            new QListWidgetItem(icone, QString(niveau * indentation, QLatin1Char(' ')) + nom, l.Dir1);
        item->setData(Qt::UserRole, complet);
    };
    ajouter(QStringLiteral("/"), chemin, 0, ouvert);
    for (int i = 0; i < parties.size(); ++i) {
        chemin = joindre(chemin, parties[i]);
        ajouter(parties[i], chemin, i + 1, ouvert);
    }
    l.Dir1->setCurrentRow(l.Dir1->count() - 1);
    const QDir d(l.dossier);
    for (const QString& nom : d.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        ajouter(nom, joindre(l.dossier, nom), static_cast<int>(parties.size()) + 1, ferme);
}

// The file list shows the folder list's folder.
void Dir1_Change(listesfichiers& l)
{
    l.File1->clear();
    const QDir d(l.dossier);
    // QDir matches its name filters without regard to case, as the lists must.
    l.File1->addItems(d.entryList({l.motif}, QDir::Files, QDir::Name | QDir::IgnoreCase));
    const bool autre = l.dossierfichiers != l.dossier;
    l.dossierfichiers = l.dossier;
    if (autre && l.File1_PathChange)
        l.File1_PathChange();
}

QFont policefenetre(bool gras = false)
{
    return police(QStringLiteral("MS Sans Serif"), 8, gras);
}

QLabel* etiquette(QWidget* parent, const char* nom, const char* legende, QRect ou)
{
    auto* e = new QLabel(texte(legende), parent);
    e->setObjectName(QLatin1String(nom));
    e->setFont(policefenetre(true));
    e->setGeometry(ou);
    return e;
}

QPushButton* bouton(QWidget* parent, const char* nom, const char* legende, QRect ou)
{
    auto* b = new QPushButton(texte(legende), parent);
    b->setObjectName(QLatin1String(nom));
    b->setFont(policefenetre(true));
    b->setGeometry(ou);
    // Enter belongs to the folder list and the name field, never to a button.
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

// The waiting panel's picture: an hourglass.
QPixmap sablier()
{
    QPixmap p(32, 32);
    p.fill(Qt::transparent);
    QPainter d(&p);
    d.setRenderHint(QPainter::Antialiasing);
    d.setPen(QPen(QColor(0, 0, 0), 2));
    d.drawLine(6, 3, 26, 3);
    d.drawLine(6, 29, 26, 29);
    d.setBrush(QColor(255, 255, 192));
    d.drawPolygon(QPolygon(
        {QPoint(9, 4), QPoint(23, 4), QPoint(16, 16), QPoint(23, 28), QPoint(9, 28), QPoint(16, 16)}));
    d.setPen(Qt::NoPen);
    d.setBrush(QColor(192, 128, 0));
    d.drawPolygon(QPolygon({QPoint(12, 8), QPoint(20, 8), QPoint(16, 15)}));
    d.drawPolygon(QPolygon({QPoint(16, 22), QPoint(21, 27), QPoint(11, 27)}));
    return p;
}

void placer(QDialog& w, QWidget* parent)
{
    if (parent)
        w.move(parent->window()->frameGeometry().topLeft() + QPoint(20, 20));
}

} // namespace

QString joindre(const QString& dossier, const QString& nom)
{
    return dossier.endsWith(QLatin1Char('/')) ? dossier + nom : dossier + QLatin1Char('/') + nom;
}

nomserie nomenregistrement(const QString& saisie, const QString& dossier)
{
    QString t = saisie;
    // Extensions go one by one from the file name only: a "." in a folder
    // name (/home/jean.dupont/...) must not send the series elsewhere.
    for (;;) {
        t = t.trimmed();
        const qsizetype barre = t.lastIndexOf(QLatin1Char('/'));
        if (t.mid(barre + 1).trimmed().isEmpty())
            return {QString(), msgnomvide, t};
        const qsizetype point = t.lastIndexOf(QLatin1Char('.'));
        if (point <= barre)
            break;
        t.truncate(point);
    }
    if (!t.contains(QLatin1Char('/')))
        t = joindre(dossier, t);
    return {t + QLatin1String(extensionserie), {}};
}

QString nomsansdossier(const QString& saisie)
{
    const qsizetype barre = saisie.lastIndexOf(QLatin1Char('/'));
    return barre < 0 ? saisie : saisie.mid(barre + 1);
}

QString dossierdocuments()
{
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return !documents.isEmpty() && QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

QString nompropose(const QString& nomfichier, const QString& dossierprogramme, const QString& documents)
{
    if (nomfichier.trimmed().isEmpty())
        return nomfichier;
    const QFileInfo fichier(nomfichier);
    const QString dossier = canonique(fichier.absolutePath());
    const QString programme = canonique(dossierprogramme);
    if (dossier.isEmpty() || programme.isEmpty() || !estracine(dossier, programme))
        return nomfichier;
    return joindre(documents, fichier.fileName());
}

QStringList lecteursretenus(const QStringList& racines, const QString& maison)
{
    const QString amovibles[] = {QStringLiteral("/media"), QStringLiteral("/run/media"),
                                 QStringLiteral("/mnt")};
    QStringList r{QStringLiteral("/"), maison};
    QStringList autres;
    for (const QString& racine : racines)
        if (!r.contains(racine) && !autres.contains(racine) &&
            std::any_of(std::begin(amovibles), std::end(amovibles),
                        [&](const QString& a) { return estracine(racine, a); }))
            autres << racine;
    autres.sort();
    return r + autres;
}

void construirelistes(QWidget& w, QObject& filtre, listesfichiers& l, QRect drive, QRect dir, QRect file)
{
    l.Drive1 = new QComboBox(&w);
    l.Drive1->setObjectName(QStringLiteral("Drive1"));
    l.Drive1->setAccessibleName(texte("Lecteur"));
    l.Drive1->setFont(policefenetre());
    l.Drive1->setGeometry(drive);
    l.Drive1->addItems(lecteurs());
    l.Dir1 = new QListWidget(&w);
    l.Dir1->setObjectName(QStringLiteral("Dir1"));
    l.Dir1->setAccessibleName(texte("Dossiers"));
    l.Dir1->setFont(policefenetre());
    l.Dir1->setGeometry(dir);
    l.Dir1->setIconSize(QSize(16, 16));
    l.File1 = new QListWidget(&w);
    l.File1->setObjectName(QStringLiteral("File1"));
    l.File1->setAccessibleName(texte("Fichiers"));
    l.File1->setFont(policefenetre());
    l.File1->setGeometry(file);
    if (!changerdossier(l, QDir::currentPath()))
        changerdossier(l, QDir::homePath());
    QObject::connect(l.Drive1, &QComboBox::currentIndexChanged, &w,
                     [&l] { sansfaute([&] { Drive1_Change(l); }); });
    QObject::connect(l.Dir1, &QListWidget::itemDoubleClicked, &w,
                     [&l] { sansfaute([&] { Dir1_Ouvrir(l); }); });
    l.Dir1->installEventFilter(&filtre);
}

bool toucheentree(QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int k = static_cast<QKeyEvent*>(event)->key();
    return k == Qt::Key_Return || k == Qt::Key_Enter;
}

bool changerdossier(listesfichiers& l, const QString& chemin)
{
    const QFileInfo info(chemin);
    if (chemin.isEmpty() || !info.isDir() || !info.isReadable() || !info.isExecutable())
        return false;
    l.dossier = QDir::cleanPath(info.absoluteFilePath());
    suivrelecteur(l);
    remplirdossiers(l);
    Dir1_Change(l);
    return true;
}

void Drive1_Change(listesfichiers& l)
{
    // An unready drive puts the drive list back where the folder list is.
    if (!changerdossier(l, l.Drive1->currentText()))
        suivrelecteur(l);
    Dir1_Change(l);
}

void Dir1_Ouvrir(listesfichiers& l)
{
    if (const QListWidgetItem* item = l.Dir1->currentItem())
        changerdossier(l, item->data(Qt::UserRole).toString());
}

// ---- Ouvrir ----

Ouvrir::Ouvrir(QWidget* parent, QString& nom, std::function<void()> charger)
    : QDialog(parent), nomfichier(nom), chargeserie(std::move(charger))
{
    setObjectName(QStringLiteral("ouvrir"));
    setWindowTitle(texte("Ouvrir une configuration"));
    setFixedSize(440, 312);
    Label1 = etiquette(this, "Label1", "Lecteur:", {12, 8, 200, 16});
    Label2 = etiquette(this, "Label2", "Répertoire", {12, 56, 200, 16});
    Label3 = etiquette(this, "Label3", "Fichiers", {228, 8, 200, 16});
    construirelistes(*this, *this, listes, {12, 26, 200, 22}, {12, 74, 200, 154}, {228, 26, 200, 202});
    ficharge = new QLineEdit(this);
    ficharge->setObjectName(QStringLiteral("ficharge"));
    ficharge->setAccessibleName(texte("Fichier à ouvrir"));
    ficharge->setFont(policefenetre());
    ficharge->setGeometry(12, 240, 416, 22);
    Command1 = bouton(this, "Command1", "OUVRIR", {92, 274, 120, 28});
    Command2 = bouton(this, "Command2", "ANNULER", {228, 274, 120, 28});

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setAccessibleName(texte("Chargement du fichier"));
    Frame1->setFrameShape(QFrame::Box);
    Frame1->setAutoFillBackground(true);
    Frame1->setGeometry(70, 110, 300, 64);
    Image1 = new QLabel(Frame1);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(texte("Patienter"));
    Image1->setPixmap(sablier());
    Image1->setGeometry(14, 16, 32, 32);
    Label4 = new QLabel(texte("Patience: chargement du fichier"), Frame1);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setFont(police(QStringLiteral("Arial"), 10, true));
    Label4->setGeometry(56, 16, 236, 32);
    Frame1->hide();

    connect(listes.File1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* i) { sansfaute([&] { File1_Click(*this, i); }); });
    connect(listes.File1, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* i) {
        sansfaute([&] {
            File1_Click(*this, i);
            Command1_Click(*this);
        });
    });
    connect(Command1, &QPushButton::clicked, this, [this] { sansfaute([&] { Command1_Click(*this); }); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
    // Enter in the name field opens, as OUVRIR does.
    connect(ficharge, &QLineEdit::returnPressed, this, [this] { sansfaute([&] { Command1_Click(*this); }); });
}

bool Ouvrir::eventFilter(QObject* objet, QEvent* event)
{
    if (objet == listes.Dir1 && toucheentree(event)) {
        sansfaute([&] { Dir1_Ouvrir(listes); });
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

void File1_Click(Ouvrir& w, QListWidgetItem* item)
{
    if (!item)
        return;
    w.ficharge->setText(joindre(w.listes.dossierfichiers, item->text()));
    QDir::setCurrent(w.listes.dossierfichiers);
}

void Command1_Click(Ouvrir& w)
{
    if (w.ficharge->text().trimmed().isEmpty())
        return;
    w.nomfichier = w.ficharge->text();
    if (!QFileInfo(w.nomfichier).isFile()) {
        boitemessage(&w, msgintrouvable);
        return;
    }
    w.Frame1->show();
    w.Frame1->raise();
    // Seen while the file is read: the reading runs before the next paint.
    w.repaint();
    if (w.chargeserie)
        sansfaute(w.chargeserie);
    w.accept();
}

// ---- Enregistrer ----

Enregistrer::Enregistrer(QWidget* parent, QString& nom, std::function<erreurserie()> ecriture,
                         const QString& dossierprogramme)
    : QDialog(parent), nomfichier(nom), ecrire(std::move(ecriture))
{
    setObjectName(QStringLiteral("enregistrer"));
    setWindowTitle(texte("Enregistrer les paramètres."));
    setFixedSize(440, 318);
    Label2 = etiquette(this, "Label2", "Nom du fichier:", {12, 8, 416, 16});
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setAccessibleName(texte("Nom du fichier"));
    Text1->setFont(policefenetre());
    Text1->setGeometry(12, 26, 416, 22);
    Label1 = etiquette(this, "Label1", "Lecteur:", {12, 60, 200, 16});
    Label3 = etiquette(this, "Label3", "Répertoire:", {12, 108, 200, 16});
    Label4 = etiquette(this, "Label4", "Fichiers enregistrés", {228, 60, 200, 16});
    construirelistes(*this, *this, listes, {12, 78, 200, 22}, {12, 126, 200, 142}, {228, 78, 200, 190});
    Command1 = bouton(this, "Command1", "ENREGISTRER", {92, 280, 120, 28});
    Command2 = bouton(this, "Command2", "ANNULER", {228, 280, 120, 28});
    // The last file opened or saved is proposed, in the pupil's documents when
    // it came with the program.
    Text1->setText(nompropose(
        nomfichier, dossierprogramme.isEmpty() ? QCoreApplication::applicationDirPath() : dossierprogramme,
        dossierdocuments()));
    listes.File1_PathChange = [this] { Text1->setText(nomsansdossier(Text1->text())); };

    connect(listes.File1, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* i) { sansfaute([&] { File1_DblClick(*this, i); }); });
    connect(Text1, &QLineEdit::returnPressed, this, [this] { sansfaute([&] { Command1_Click(*this); }); });
    connect(Command1, &QPushButton::clicked, this, [this] { sansfaute([&] { Command1_Click(*this); }); });
    connect(Command2, &QPushButton::clicked, this, &QDialog::reject);
}

bool Enregistrer::eventFilter(QObject* objet, QEvent* event)
{
    if (objet == listes.Dir1 && toucheentree(event)) {
        sansfaute([&] { Dir1_Ouvrir(listes); });
        return true;
    }
    return QDialog::eventFilter(objet, event);
}

void File1_DblClick(Enregistrer& w, QListWidgetItem* item)
{
    if (!item)
        return;
    w.Text1->setText(item->text());
    Command1_Click(w);
}

void Command1_Click(Enregistrer& w)
{
    w.setCursor(Qt::WaitCursor);
    const nomserie n = nomenregistrement(w.Text1->text(), w.listes.dossier);
    if (!n.erreur.texte.empty()) {
        // The field was trimmed and cut as it was checked: ".C02" leaves it empty.
        w.Text1->setText(n.reste);
        w.unsetCursor();
        boitemessage(&w, n.erreur);
        return;
    }
    w.Text1->setText(n.chemin);
    w.nomfichier = n.chemin;
    // A path typed relative to the file list's folder is found there.
    QDir::setCurrent(w.listes.dossierfichiers);
    if (QFileInfo(w.nomfichier).isFile() &&
        boitemessage(&w, QString::fromStdString(msgecraser.texte), QString::fromStdString(msgecraser.titre),
                     icone::exclamation, boutons::ouinon) != reponse::oui) {
        w.unsetCursor();
        return;
    }
    erreurserie e = erreurserie::ecriture;
    if (w.ecrire)
        sansfaute([&] { e = w.ecrire(); });
    w.unsetCursor();
    if (e != erreurserie::aucune) {
        boitemessage(&w, messageserie(e));
        return;
    }
    w.accept();
}

void montrerouvrir(QWidget* parent, QString& nomfichier, std::function<void()> chargeserie)
{
    Ouvrir w(parent, nomfichier, std::move(chargeserie));
    placer(w, parent);
    w.exec();
}

void montrerenregistrer(QWidget* parent, QString& nomfichier, std::function<erreurserie()> ecrire,
                        const QString& dossierprogramme)
{
    Enregistrer w(parent, nomfichier, std::move(ecrire), dossierprogramme);
    placer(w, parent);
    w.exec();
}

} // namespace qm
