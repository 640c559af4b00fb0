#include "exercises/aides.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTableWidget>

#include "app/initialisation.h"

namespace qm {

namespace {

std::function<void(QDialog&)>& observateurcourant()
{
    static std::function<void(QDialog&)> o;
    return o;
}

void ouvrir(QDialog& d)
{
    if (const auto& o = observateurcourant())
        o(d);
    else
        d.exec();
}

QTableWidgetItem* cellule(const QString& texte)
{
    auto* c = new QTableWidgetItem(texte);
    c->setTextAlignment(Qt::AlignCenter);
    c->setFlags(Qt::ItemIsEnabled);
    return c;
}

void fondgris(QWidget& w)
{
    w.setAutoFillBackground(true);
    QPalette p = w.palette();
    p.setColor(QPalette::Window, QColor(224, 224, 224));
    w.setPalette(p);
}

} // namespace

void observerfenetres(std::function<void(QDialog&)> observateur)
{
    observateurcourant() = std::move(observateur);
}

Aidequa::Aidequa(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("aidequa"));
    setWindowTitle(QStringLiteral("La stoechiométrie n'est pas vérifiée"));
    setFixedSize(473, 281);
    fondgris(*this);

    // A header row and one empty row, which the last row ("Charge") fills.
    MSFlexGrid1 = new QTableWidget(2, 3, this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setAccessibleName(QStringLiteral("Comptage des éléments et des charges"));
    MSFlexGrid1->setGeometry(16, 16, 209, 249);
    MSFlexGrid1->horizontalHeader()->hide();
    MSFlexGrid1->verticalHeader()->hide();
    MSFlexGrid1->setColumnWidth(0, 61);
    MSFlexGrid1->setColumnWidth(1, 72);
    MSFlexGrid1->setColumnWidth(2, 72);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::NoSelection);
    MSFlexGrid1->setFocusPolicy(Qt::NoFocus);
    const QString entetes[3] = {QString(), QStringLiteral("Réactifs"), QStringLiteral("Produits")};
    for (int c = 0; c < 3; ++c) {
        QTableWidgetItem* e = cellule(entetes[c]);
        e->setBackground(QColor(192, 192, 192));
        e->setFont(police(QStringLiteral("MS Sans Serif"), 8.25, true));
        MSFlexGrid1->setItem(0, c, e);
    }

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setAccessibleName(QStringLiteral("Explication"));
    Label1->setGeometry(240, 16, 217, 225);
    Label1->setFont(police(QStringLiteral("Arial"), 9.75));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setText(
        QStringLiteral("Ce tableau montre qu'avec les nombres stœchiométriques que vous avez calculés, la "
                       "stoechiométrie de l'équation chimique n'est pas ajustée.\n\n") +
        QStringLiteral("La stœchiométrie de chaque élément chimique doit être ajustée.\n\n") +
        QStringLiteral("Si des ions sont présents, la somme de leurs charges doit être la même dans "
                       "chaque membre de l'équation chimique."));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(280, 240, 121, 25);
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void Aidequa::ajouterligne(const lignegrille& l)
{
    // The new row goes into the row before the last, so the empty last row
    // is always the one that receives the next.
    const int ligne = MSFlexGrid1->rowCount() - 1;
    if (l.symbole != "Charge")
        MSFlexGrid1->insertRow(ligne + 1);
    const bool differe = l.reactifs != l.produits;
    const QString textes[3] = {QString::fromStdString(l.symbole), QString::fromStdString(l.reactifs),
                               QString::fromStdString(l.produits)};
    for (int c = 0; c < 3; ++c) {
        QTableWidgetItem* x = cellule(textes[c]);
        if (c == 0)
            x->setBackground(QColor(192, 192, 192));
        if (differe) {
            // Where the equation fails, the pupil's eye goes first.
            x->setForeground(QColor(200, 0, 0));
            x->setFont(police(QStringLiteral("MS Sans Serif"), 8.25, true));
            if (c > 0)
                x->setBackground(QColor(255, 220, 220));
        }
        MSFlexGrid1->setItem(ligne, c, x);
    }
}

Bravo::Bravo(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("bravo"));
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(345, 100);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setAccessibleName(QStringLiteral("Bravo"));
    Image1->setGeometry(16, 8, 32, 32);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_DialogApplyButton).pixmap(32, 32));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(80, 8, 249, 49);
    Label1->setFont(police(QStringLiteral("Arial"), 9.75, true));
    Label1->setWordWrap(true);
    Label1->setText(QStringLiteral("La stœchiométrie de cette équation chimique est correctement ajustée."));

    Command1 = new QPushButton(QStringLiteral("OK"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setGeometry(136, 64, 89, 25);
    Command1->setFont(police(QStringLiteral("MS Sans Serif"), 8.25, true));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &QDialog::accept);
}

void montreraidequa(QWidget* parent, const std::vector<lignegrille>& lignes)
{
    Aidequa d(parent);
    for (const lignegrille& l : lignes)
        d.ajouterligne(l);
    ouvrir(d);
}

void montrerbravo(QWidget* parent)
{
    Bravo d(parent);
    ouvrir(d);
}

} // namespace qm
