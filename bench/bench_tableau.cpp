#include <benchmark/benchmark.h>

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>

#include "workspace/dessin.h"
#include "workspace/feuillep.h"
#include "workspace/litteral.h"
#include "workspace/tableau.h"

namespace {

// Five reactants, five products, every row shown.
void preparer(qm::FeuilleP& f)
{
    qm::etatfeuille& e = f.etat;
    e.nbcolonnes = 10;
    e.premierproduit = 6;
    e.coef = {0, 1, 2, 3, 1, 2, 1, 3, 2, 1, 4};
    e.quant = {0, 1.5f, 2, 12345, 0.25f, 3};
    e.tableaudemande = 0;
    if (f.final)
        f.final->setChecked(true);
    if (f.conso)
        f.conso->setChecked(true);
    f.HScroll1->setValue(3700);
}

// One redraw of a ten-column table, as a click on the cursor's arrows makes it.
void majtab_dix_colonnes(benchmark::State& state)
{
    QTemporaryDir dossier;
    qm::FeuilleP f(dossier.path());
    preparer(f);
    for (auto _ : state) {
        qm::majtab(f);
        benchmark::DoNotOptimize(f.Picture3->image.constBits());
    }
}
BENCHMARK(majtab_dix_colonnes)->Unit(benchmark::kMicrosecond);

// The same table through the animation: each tick moves the cursor one step,
// so the current amounts are new texts every time.
void pas_animation_dix_colonnes(benchmark::State& state)
{
    QTemporaryDir dossier;
    qm::FeuilleP f(dossier.path());
    preparer(f);
    for (auto _ : state) {
        if (f.HScroll1->value() >= 10000)
            f.HScroll1->setValue(0);
        qm::Timer1_Timer(f); // the change event redraws
        benchmark::DoNotOptimize(f.Picture3->image.constBits());
    }
}
BENCHMARK(pas_animation_dix_colonnes)->Unit(benchmark::kMicrosecond);

// The written table of ten species, laid out and painted with its caption
// column, one animation step further each time.
void litteral_dix_especes(benchmark::State& state)
{
    qm::entreelitteral e;
    e.nbcolonnes = 10;
    e.premierproduit = 6;
    e.largeurcolonne = 69;
    e.coef = {0, 1, 2, 3, 1, 2, 1, 3, 2, 1, 4};
    e.quant = {0, 1.5f, 2, 12345, 0.25f, 3};
    e.noms = {"Cu²⁺", "HO⁻", "C₆H₁₂O₆", "O₂", "H⁺", "Cu(OH)₂", "CO₂", "H₂O", "Mg²⁺", "H₂"};
    QImage table(e.taille, QImage::Format_RGB32);
    QImage legendes(e.largeurlegendes, 191, QImage::Format_RGB32);
    for (auto _ : state) {
        e.p = (e.p + 100) % 10100;
        const qm::dessinlitteral d = qm::disposerlitteral(e);
        table.fill(Qt::white);
        legendes.fill(Qt::white);
        QPainter p(&table);
        qm::peindrelitteral(p, d.lignes, d.textes);
        QPainter q(&legendes);
        qm::peindrelitteral(q, d.lignescolonne, d.legendes);
        benchmark::DoNotOptimize(table.constBits());
    }
}
BENCHMARK(litteral_dix_especes)->Unit(benchmark::kMicrosecond);
// The graph of the same ten species in place of the bars, through the
// animation: layout and paint at every step.
void graphe_dix_especes(benchmark::State& state)
{
    QTemporaryDir dossier;
    qm::FeuilleP f(dossier.path());
    preparer(f);
    f.etat.texte = QStringLiteral("A+2B+3C+D+2E=F+3G+2H+I+4J");
    f.etat.graphe = 1;
    for (auto _ : state) {
        if (f.HScroll1->value() >= 10000)
            f.HScroll1->setValue(0);
        qm::Timer1_Timer(f);
        benchmark::DoNotOptimize(f.Picture3->image.constBits());
    }
}
BENCHMARK(graphe_dix_especes)->Unit(benchmark::kMicrosecond);

} // namespace
