#include "workspace/feuillep.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>

#include <algorithm>

#include "app/boite.h"
#include "app/initialisation.h"
#include "app/sansfaute.h"
#include "files/echange.h"
#include "workspace/cadre.h"
#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/litteral.h"
#include "workspace/masses.h"
#include "workspace/onglets.h"
#include "workspace/tableau.h"

namespace qm {

namespace {

constexpr QRect zonefich{424, 312, 361, 19};
constexpr QRect zonesupertext{424, 331, 361, 214};
constexpr QRect zoneinfo{520, 272, 233, 33};
constexpr QRect zoneonglets{8, 312, 409, 233};

QString dossierdefaut(const QString& d)
{
    return d.isEmpty() ? QCoreApplication::applicationDirPath() : d;
}

// The exercise button's picture: a sheet and the word, on the window's own tones.
QPixmap imageexercices(const QSize& taille)
{
    QPixmap image = imagenette(taille);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0, 0, 128), 1));
    p.setBrush(QColor(255, 255, 230));
    p.drawRoundedRect(QRectF(0.5, 0.5, taille.width() - 1, taille.height() - 1), 6, 6);
    const QIcon feuille = QIcon::fromTheme(QStringLiteral("x-office-document"));
    feuille.paint(&p, QRect(8, (taille.height() - 24) / 2, 24, 24));
    p.setFont(police(QStringLiteral("Arial"), 12, true));
    p.setPen(QColor(0, 0, 200));
    p.drawText(QRect(36, 0, taille.width() - 40, taille.height()), Qt::AlignCenter,
               QStringLiteral("Exercices"));
    return image;
}

// The help line: its text whole, from the top, in a smaller size when the
// window's own would not hold it.
class ligneaide : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event); // the frame only
        const QRect place = contentsRect().adjusted(2, 1, -2, -1);
        const int alignement = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
        QPainter p(this);
        p.setFont(policeajustee(text(), place.size(), font()));
        p.setPen(palette().color(QPalette::WindowText));
        p.drawText(place, alignement, text());
    }
};

void suivresouris(QWidget* w, QObject* filtre)
{
    w->setMouseTracking(true);
    w->installEventFilter(filtre);
}

} // namespace

FeuilleP::FeuilleP(const QString& dossierprogramme, QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("feuilleP"));
    setWindowTitle(QStringLiteral("Quilmaret"));
    resize(largeurfeuille, hauteurfeuille);
    setMouseTracking(true);
    etat.dossierprogramme = dossierdefaut(dossierprogramme);
    construireboutons();
    construirenumeq();
    construiretextes();
    onglets = new Onglets(this);
    onglets->setGeometry(zoneonglets);
    onglets->setAccessibleName(QStringLiteral("Onglets"));
    onglets->setAccessibleDescription(
        QStringLiteral("Ctrl+Page suivante et Ctrl+Page précédente changent d'onglet"));
    for (const auto& [touche, pas] : {std::pair{Qt::Key_PageDown, 1}, std::pair{Qt::Key_PageUp, -1}}) {
        auto* r = new QShortcut(QKeySequence(Qt::CTRL | touche), this);
        r->setObjectName(pas > 0 ? QStringLiteral("raccourciongletsuivant")
                                 : QStringLiteral("raccourcionglet"));
        connect(r, &QShortcut::activated, this, [this, pas = pas] { Onglets_Voisin(*onglets, pas); });
    }
    suivresouris(onglets, this);
    final = onglets->ong1->final;
    conso = onglets->ong1->conso;
    COLORSTO = onglets->ong1->COLORSTO;
    litteral = onglets->ong1->litteral;
    saisiemasse = onglets->ong1->saisiemasse;
    graphe = onglets->ong1->graphe;
    construireediteur(*this);
    construiretableau(*this);
    connect(litteral, &QCheckBox::stateChanged, this,
            [this] { sansfaute([this] { litteral_Click(*this); }); });
    brancherespace(*this);
    outilequa->raise(); // the tools lie over the table while the equation is edited
    verifierconstruction();
    demarrage();
}

void FeuilleP::verifierconstruction() const
{
    // The handlers use every control without asking whether it exists: it
    // is asked once, here.
    const void* controles[] = {BTEXO,    info,     Text3, fich,   supertext, onglets,  Picture2, outilequa,
                               Text1,    opti,     opte,  fleche, Command14, valideur, posi,     Picture3,
                               Picture4, HScroll1, Text2, Timer1, final,     conso,    COLORSTO, litteral};
    bool complete =
        std::all_of(std::begin(controles), std::end(controles), [](const void* c) { return c != nullptr; });
    for (const void* c : numeq)
        complete = complete && c;
    for (const void* c : Image5)
        complete = complete && c;
    for (const auto& [nom, c] : commandes)
        complete = complete && c;
    if (!complete)
        qFatal("Quilmaret : la fenêtre principale est incomplète");
}

void FeuilleP::construireboutons()
{
    for (const boutoncadre& b : boutonscadre()) {
        auto* k = new QToolButton(this);
        k->setObjectName(QString::fromUtf8(b.nom));
        k->setText(QString::fromUtf8(b.legende));
        k->setToolTip(QString::fromUtf8(b.bulle));
        k->setIcon(QIcon::fromTheme(QString::fromUtf8(b.icone)));
        k->setIconSize(QSize(22, 22));
        k->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        k->setGeometry(b.x, 0, b.largeur, 41);
        QPalette pal = k->palette();
        pal.setColor(QPalette::Button, QColor(192, 192, 192));
        k->setPalette(pal);
        k->setFocusPolicy(Qt::TabFocus);
        suivresouris(k, this);
        commandes[k->objectName()] = k;
    }
    commandes[QStringLiteral("Command13")]->setEnabled(false);
    connect(commandes[QStringLiteral("Command1")], &QToolButton::clicked, this, &QWidget::close);

    BTEXO = new QToolButton(this);
    BTEXO->setObjectName(QStringLiteral("BTEXO"));
    BTEXO->setGeometry(340, 268, 170, 38);
    BTEXO->setIcon(QIcon(imageexercices(QSize(170, 38))));
    BTEXO->setIconSize(QSize(170, 38));
    BTEXO->setAutoRaise(true);
    suivresouris(BTEXO, this);
    // Its caption is its picture: the access key is a shortcut of the window.
    BTEXO->setAccessibleName(QStringLiteral("Exercices"));
    BTEXO->setAccessibleDescription(
        QStringLiteral("Menu des exercices : ouvrir un énoncé, enregistrer le texte, obtenir la correction, "
                       "imprimer ou fermer (Alt+X)"));
    auto* exercices = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_X), this);
    exercices->setObjectName(QStringLiteral("raccourciexercices"));
    connect(exercices, &QShortcut::activated, BTEXO, [this] {
        if (BTEXO->isEnabled())
            BTEXO->click();
    });
}

void FeuilleP::construirenumeq()
{
    for (int i = 0; i < 10; ++i) {
        auto* b = new QRadioButton(QString::number(i + 1), this);
        b->setObjectName(QStringLiteral("numeq_%1").arg(i));
        b->setGeometry(8 + 41 * i, 556, 40, 34);
        // The face is filled with the role the button paints its background with.
        b->setBackgroundRole(QPalette::Window);
        b->setAutoFillBackground(true);
        QPalette pal = b->palette();
        pal.setColor(QPalette::Window, couleurnumeq(i));
        pal.setColor(QPalette::Button, couleurnumeq(i));
        pal.setColor(QPalette::WindowText, Qt::black);
        b->setPalette(pal);
        b->setToolTip(bullenumeq(i));
        b->setAccessibleName(bullenumeq(i));
        suivresouris(b, this);
        numeq[static_cast<std::size_t>(i)] = b;
    }
    numeq[0]->setChecked(true);
}

void FeuilleP::construiretextes()
{
    info = new ligneaide(this);
    info->setObjectName(QStringLiteral("info"));
    info->setGeometry(zoneinfo);
    info->setWordWrap(true);
    info->setAutoFillBackground(true);
    info->setFrameShape(QFrame::Box);
    QPalette pi = info->palette();
    pi.setColor(QPalette::Window, QToolTip::palette().color(QPalette::ToolTipBase));
    pi.setColor(QPalette::WindowText, QToolTip::palette().color(QPalette::ToolTipText));
    info->setPalette(pi);
    info->setAccessibleName(QStringLiteral("Ligne d'aide"));

    Text3 = new QPlainTextEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setReadOnly(true);
    Text3->setGeometry(104, 196, 673, 60);
    Text3->setAccessibleName(QStringLiteral("Conseils"));

    fich = new QLineEdit(this);
    fich->setObjectName(QStringLiteral("fich"));
    fich->setGeometry(zonefich);
    fich->setReadOnly(true);
    fich->setAccessibleName(QStringLiteral("Exercice ou texte ouvert"));
    fich->setFrame(false);
    QPalette pf = fich->palette();
    pf.setColor(QPalette::Base, QColor(128, 0, 0));
    pf.setColor(QPalette::Text, Qt::white);
    fich->setPalette(pf);
    connect(fich, &QLineEdit::textChanged, this, [this] { fich->setCursorPosition(fich->text().size()); });

    supertext = new QTextEdit(this);
    supertext->setObjectName(QStringLiteral("supertext"));
    supertext->setGeometry(zonesupertext);
    supertext->setAccessibleName(QStringLiteral("Texte de l'exercice"));
    connect(supertext, &QTextEdit::textChanged, this, [this] {
        if (!fich->text().isEmpty())
            etat.textemodifie = 1;
    });
}

void FeuilleP::demarrage()
{
    marquerenfonction(etat.dossierprogramme.toStdString(), true);
    etat.numcourant = 0;
    // The equation buttons have their colours and tool tips from construirenumeq.
    etat.quant.fill(0);
    for (auto& ligne : etat.eqquant)
        ligne.fill(0);
    Text3->setPlainText(texteconseil());
    initelements(etat.elements);
    Picture2->fond = QColor(255, 255, 230);
    Picture2->effacer();
    reglertaille();
    accueil();
    info->setText(aidefond());
    etat.messagecopie = textemessagecopie();
    tabini(*this);
    remplirlistemasses(*onglets->ong2, etat.elements);
}

void FeuilleP::accueil()
{
    supertext->hide();
    supertext->clear();
    QTextCursor c(supertext->document());
    QTextCharFormat normal;
    normal.setFont(police(QStringLiteral("Arial"), 10));
    normal.setForeground(Qt::black);
    QTextBlockFormat gauche;
    gauche.setAlignment(Qt::AlignLeft);
    c.setBlockFormat(gauche);
    c.setCharFormat(normal);
    for (const morceau& m : accueilmorceaux()) {
        QTextCharFormat f = normal;
        switch (m.style) {
        case stylemorceau::titre:
            f.setFont(police(QStringLiteral("Arial"), 18));
            f.setForeground(QColor(0, 0, 200));
            break;
        case stylemorceau::bleu:
            f.setForeground(QColor(0, 0, 200));
            break;
        case stylemorceau::emphase:
            f.setFontItalic(true);
            break;
        case stylemorceau::simple:
            break;
        }
        if (m.style == stylemorceau::titre) {
            QTextBlockFormat centre;
            centre.setAlignment(Qt::AlignHCenter);
            c.setBlockFormat(centre);
        }
        const QStringList lignes = m.texte.split(QLatin1Char('\n'));
        for (int i = 0; i < lignes.size(); ++i) {
            if (i > 0) {
                c.insertBlock(gauche, normal);
            }
            c.insertText(lignes[i], f);
        }
    }
    supertext->moveCursor(QTextCursor::Start);
    supertext->show();
}

void FeuilleP::reglertaille()
{
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    if (ecran)
        appliquertaille(ecran->geometry());
}

void FeuilleP::appliquertaille(const QRect& ecran)
{
    if (!regletaille(ecran, QSize(largeurfeuille, hauteurfeuille)))
        return; // a narrow screen: the window is left as the pupil wants it
    if (windowState() != Qt::WindowNoState)
        setWindowState(Qt::WindowNoState);
    // The window manager answers a resize later: the outer size to centre is
    // the window's own plus the borders and title bar it has in its normal
    // state, not the size the pupil was dragging it to.
    notercadre();
    setFixedSize(largeurfeuille, hauteurfeuille);
    move(regletaille(ecran, QSize(largeurfeuille, hauteurfeuille) + bordures)->topLeft());
}

void FeuilleP::notercadre()
{
    if (windowState() != Qt::WindowNoState || !isVisible())
        return;
    const QSize b = frameGeometry().size() - geometry().size();
    if (b.width() >= 0 && b.height() >= 0 && b != bordures) {
        bordures = b;
        // Decorated after it was centred (the frame comes once the window is
        // on screen): centred again, frame included.
        QTimer::singleShot(0, this, &FeuilleP::reglertaille);
    }
}

void FeuilleP::demandeexercice()
{
    const QString requete =
        QString::fromStdString(prendrerequete(etat.dossierprogramme.toStdString())).trimmed();
    if (requete.isEmpty())
        return;
    repaint();
    // A request that could not be served leaves no correction on offer.
    if (ouvrirexercice && ouvrirexercice(etat.dossierprogramme + QLatin1Char('/') + requete))
        etat.exerciceouvert = 1;
}

bool FeuilleP::confirmerfermeture()
{
    if (etat.textemodifie == 1 &&
        boitemessage(this, QStringLiteral("Attention: perte des modifications du texte."),
                     QStringLiteral("Abandon des données?"), icone::question,
                     boutons::okannuler) != reponse::ok)
        return false;
    return boitemessage(this, QStringLiteral("Quitter vraiment ce simulateur ?"), QStringLiteral("Fermer"),
                        icone::question, boutons::okannuler) == reponse::ok;
}

void FeuilleP::closeEvent(QCloseEvent* event)
{
    if (!confirmerfermeture()) {
        event->ignore();
        return;
    }
    if (dechargement)
        dechargement();
    marquerenfonction(etat.dossierprogramme.toStdString(), false);
    event->accept();
}

void FeuilleP::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        demandeexercice();
    if (event->type() == QEvent::WindowStateChange && windowState() != Qt::WindowNoState)
        QTimer::singleShot(0, this, &FeuilleP::reglertaille); // a wide screen keeps the window as it is
}

void FeuilleP::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    notercadre();
}

void FeuilleP::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Centred before it was shown, without a frame yet.
    QTimer::singleShot(0, this, &FeuilleP::reglertaille);
}

void FeuilleP::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    notercadre();
    if (size() != QSize(largeurfeuille, hauteurfeuille))
        QTimer::singleShot(0, this, &FeuilleP::reglertaille);
}

void FeuilleP::suivre(QWidget* controle)
{
    suivresouris(controle, this);
}

void FeuilleP::aide(QObject* controle)
{
    if (controle == this) {
        info->setText(aidefond());
        return;
    }
    const QString texte = aidecontrole(controle->objectName());
    if (texte.isEmpty())
        return;
    // The copy message stays until the pointer leaves the copy button.
    if (controle->objectName() == QLatin1String("Command4") && info->text() == etat.messagecopie)
        return;
    info->setText(texte);
}

bool FeuilleP::eventFilter(QObject* objet, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        aide(objet);
    return QWidget::eventFilter(objet, event);
}

void FeuilleP::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a control reach here too when the control lets them through.
    if (!childAt(event->position().toPoint()))
        aide(this);
    QWidget::mouseMoveEvent(event);
}

void peindrefond(QPainter& p, const QRect& ombre)
{
    for (int y = 0; y <= 600; ++y) {
        p.setPen(couleurfond(y));
        p.drawLine(0, y, 800, y);
    }
    p.fillRect(ombre, QColor(128, 128, 128));
    const QFont f = police(QStringLiteral("MS Sans Serif"), 14, true);
    p.setFont(f);
    const int ascent = QFontMetrics(f).ascent();
    p.setPen(Qt::white);
    p.drawText(121, 277 + ascent, QStringLiteral("Animation:"));
    p.setPen(QColor(0, 0, 220));
    p.drawText(120, 276 + ascent, QStringLiteral("Animation:"));
}

void FeuilleP::paintEvent(QPaintEvent*)
{
    if (fond.isNull()) {
        // In screen pixels: drawn in the window's pixels, sharp on a scaled screen.
        const qreal ratio = devicePixelRatioF();
        fond = QImage(QSize(largeurfeuille, hauteurfeuille + 1) * ratio, QImage::Format_RGB32);
        fond.setDevicePixelRatio(ratio);
        fond.fill(couleurfond(hauteurfeuille));
        QPainter p(&fond);
        const QRect ombre(QPoint(zonesupertext.left() + 3, zonefich.top() + 3),
                          QPoint(zonesupertext.left() + zonesupertext.width() + 3,
                                 zonesupertext.top() + zonesupertext.height() + 3));
        peindrefond(p, ombre);
    }
    QPainter p(this);
    p.drawImage(0, 0, fond);
}

std::int16_t etatcase(const QCheckBox* c)
{
    switch (c->checkState()) {
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        return 2;
    case Qt::Unchecked:
        break;
    }
    return 0;
}

} // namespace qm
