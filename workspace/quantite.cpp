#include "workspace/quantite.h"

#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QTimer>

#include <algorithm>
#include <vector>

#include "app/sansfaute.h"
#include "core/constituants.h"
#include "workspace/feuillep.h"
#include "workspace/tableau.h"

namespace qm {

namespace {

QString texte(const std::string& s)
{
    // Messages of the core break their lines with CR LF.
    return QString::fromStdString(s).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

// A value field: digits and one comma; a point typed becomes a comma.
QLineEdit* champvaleur(QWidget* parent, const char* nom)
{
    auto* c = new QLineEdit(parent);
    c->setObjectName(QLatin1String(nom));
    c->setMaxLength(15);
    c->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*[,.]?[0-9]*")), c));
    QObject::connect(c, &QLineEdit::textEdited, c, [c](const QString& t) {
        if (!t.contains(QLatin1Char('.')))
            return;
        const int curseur = c->cursorPosition();
        c->setText(QString(t).replace(QLatin1Char('.'), QLatin1Char(',')));
        c->setCursorPosition(curseur);
    });
    return c;
}

QLabel* unitede(QWidget* parent, const QString& t)
{
    return new QLabel(t, parent);
}

// Taking the keyboard, a value's field or the unit picks its choice.
class choixparfocus : public QObject {
public:
    choixparfocus(QRadioButton* choix, QObject* parent) : QObject(parent), choix(choix) {}

protected:
    bool eventFilter(QObject* objet, QEvent* event) override
    {
        // Only the pupil's moves count, not the focus a window gets back.
        if (event->type() == QEvent::FocusIn && !choix->isChecked() && choix->window()->isVisible() &&
            static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason)
            choix->setChecked(true);
        return QObject::eventFilter(objet, event);
    }

private:
    QRadioButton* choix;
};

} // namespace

FeuilleQ::FeuilleQ(std::string_view formule, std::string_view affichage, const tableelements& t,
                   QWidget* parent)
    : QDialog(parent), etat(ouvrirquantite(formule, affichage, t))
{
    setObjectName(QStringLiteral("FeuilleQ"));
    setWindowTitle(QString::fromStdString(etat.titre));
    setModal(true);

    masse = new QLabel(texte(etat.textemasse), this);
    masse->setObjectName(QStringLiteral("masse"));
    masse->setAccessibleName(QStringLiteral("Masse molaire de l'espèce"));
    masse->setWordWrap(true);

    static const char* const noms[] = {"choixn", "choixm", "choixsolution", "choixgaz"};
    const QString libelles[] = {QStringLiteral("&Quantité de matière n"), QStringLiteral("&Masse m"),
                                QStringLiteral("&Solution : concentration C"),
                                QStringLiteral("&Gaz : volume V")};
    static const char* const champs[] = {"n", "m", "C", "Vgaz"};
    for (std::size_t i = 0; i < 4; ++i) {
        choix[i] = new QRadioButton(libelles[i], this);
        choix[i]->setObjectName(QLatin1String(noms[i]));
        // The fields hold the keyboard; a choice is reached by its field or its letter.
        choix[i]->setFocusPolicy(Qt::NoFocus);
        champ[i] = champvaleur(this, champs[i]);
    }
    V = champvaleur(this, "V");
    Vm = champvaleur(this, "Vm");
    const std::pair<QWidget*, const char*> nomsaccessibles[] = {
        {champ[0], "Quantité de matière n en mol"},
        {champ[1], "Masse m en g"},
        {champ[2], "Concentration C en mol par litre"},
        {champ[3], "Volume de gaz V en L"},
        {V, "Volume V de la solution"},
        {Vm, "Volume molaire Vm en L par mol"}};
    for (const auto& [w, nom] : nomsaccessibles)
        w->setAccessibleName(QString::fromUtf8(nom));
    Vm->setText(QString::fromStdString(etat.saisie.Vm));
    unite = new QComboBox(this);
    unite->setObjectName(QStringLiteral("unite"));
    unite->setAccessibleName(QStringLiteral("Unité du volume de la solution"));
    unite->addItems({QStringLiteral("mL"), QStringLiteral("L")});

    conversion = new QLabel(this);
    conversion->setObjectName(QStringLiteral("conversion"));
    conversion->setAccessibleName(QStringLiteral("Conversion en quantité de matière"));
    conversion->setWordWrap(true);
    QFont gras = conversion->font();
    gras.setBold(true);
    conversion->setFont(gras);
    conversion->setMinimumHeight(2 * conversion->fontMetrics().height());

    OK = new QPushButton(QStringLiteral("OK"), this);
    OK->setObjectName(QStringLiteral("OK"));
    OK->setDefault(true);
    Annuler = new QPushButton(QStringLiteral("Annuler"), this);
    Annuler->setObjectName(QStringLiteral("Annuler"));

    auto* g = new QGridLayout(this);
    g->addWidget(masse, 0, 0, 1, 3);
    const int lignes[] = {1, 2, 3, 5};
    const QString unites[] = {QStringLiteral("mol"), QStringLiteral("g"), QStringLiteral("mol·L⁻¹"),
                              QStringLiteral("L")};
    for (std::size_t i = 0; i < 4; ++i) {
        g->addWidget(choix[i], lignes[i], 0);
        g->addWidget(champ[i], lignes[i], 1);
        g->addWidget(unitede(this, unites[i]), lignes[i], 2);
    }
    g->addWidget(unitede(this, QStringLiteral("      volume V")), 4, 0);
    g->addWidget(V, 4, 1);
    g->addWidget(unite, 4, 2);
    g->addWidget(unitede(this, QStringLiteral("      volume molaire Vm")), 6, 0);
    g->addWidget(Vm, 6, 1);
    g->addWidget(unitede(this, QStringLiteral("L·mol⁻¹")), 6, 2);
    g->addWidget(conversion, 7, 0, 1, 3);
    auto* boutons = new QHBoxLayout;
    boutons->addStretch();
    boutons->addWidget(OK);
    boutons->addWidget(Annuler);
    g->addLayout(boutons, 8, 0, 1, 3);
    setMinimumWidth(420);

    const std::vector<std::pair<QWidget*, std::size_t>> parchoix = {
        {champ[0], 0}, {champ[1], 1}, {champ[2], 2}, {V, 2}, {unite, 2}, {champ[3], 3}, {Vm, 3}};
    QWidget* precedent = nullptr;
    for (const auto& [w, i] : parchoix) {
        w->installEventFilter(new choixparfocus(choix[i], w));
        if (precedent)
            setTabOrder(precedent, w);
        precedent = w;
    }
    setTabOrder(precedent, OK);
    setTabOrder(OK, Annuler);

    choix[static_cast<std::size_t>(etat.saisie.choix)]->setChecked(true);
    for (std::size_t i = 0; i < 4; ++i)
        connect(choix[i], &QRadioButton::toggled, this, [this, i, parchoix](bool coche) {
            if (!coche)
                return;
            // Picked with the mouse or its letter: the keyboard goes to its first value.
            const QWidget* clavier = focusWidget();
            const bool dedans = std::any_of(parchoix.begin(), parchoix.end(), [&](const auto& c) {
                return c.first == clavier && c.second == i;
            });
            if (!dedans)
                champ[i]->setFocus(Qt::OtherFocusReason);
            sansfaute([this] { FeuilleQ_Change(*this); });
        });
    for (QLineEdit* c : {champ[0], champ[1], champ[2], champ[3], V, Vm})
        connect(c, &QLineEdit::textChanged, this, [this] { sansfaute([this] { FeuilleQ_Change(*this); }); });
    connect(unite, &QComboBox::currentIndexChanged, this,
            [this] { sansfaute([this] { FeuilleQ_Change(*this); }); });
    connect(OK, &QPushButton::clicked, this, [this] {
        if (!etat.accepte)
            return;
        quantite = etat.resultat.n;
        accept();
    });
    connect(Annuler, &QPushButton::clicked, this, &QDialog::reject);
    champ[static_cast<std::size_t>(etat.saisie.choix)]->setFocus(Qt::OtherFocusReason);
    FeuilleQ_Change(*this);
}

void FeuilleQ_Change(FeuilleQ& q)
{
    saisiequantite& s = q.etat.saisie;
    for (std::size_t i = 0; i < 4; ++i)
        if (q.choix[i]->isChecked())
            s.choix = static_cast<donnee>(i);
    s.n = q.champ[0]->text().toStdString();
    s.m = q.champ[1]->text().toStdString();
    s.C = q.champ[2]->text().toStdString();
    s.V = q.V->text().toStdString();
    s.litres = q.unite->currentIndex() == 1;
    s.Vgaz = q.champ[3]->text().toStdString();
    s.Vm = q.Vm->text().toStdString();
    majquantite(q.etat);
    q.conversion->setText(texte(q.etat.resultat.texte));
    q.OK->setEnabled(q.etat.accepte);
}

void saisirquantite(FeuilleP& f)
{
    const int col = f.etat.colsaisie;
    const std::vector<espece> e = especes(f.etat.texte.toStdString());
    if (col < 1 || col > static_cast<int>(e.size()))
        return;
    const espece& s = e[static_cast<std::size_t>(col - 1)];
    f.Timer1->stop();
    FeuilleQ q(s.formule, s.affichage, f.etat.elements, &f);
    if (q.exec() != QDialog::Accepted || !q.quantite)
        return;
    // As the entry box's commit: the captions are redrawn with the new scale.
    f.etat.tableaudemande = 1;
    f.etat.quant[static_cast<std::size_t>(col)] = static_cast<float>(*q.quantite);
    f.HScroll1->setFocus(Qt::OtherFocusReason);
    majtab(f);
}

} // namespace qm
