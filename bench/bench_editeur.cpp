#include <benchmark/benchmark.h>

#include <QLineEdit>
#include <QTemporaryDir>

#include "workspace/editeur.h"
#include "workspace/dessin.h"
#include "workspace/feuillep.h"

namespace {

// One key typed into the equation box: key handling, normalisation, drawing.
void touche_editeur(benchmark::State& state)
{
    QTemporaryDir dossier;
    qm::FeuilleP f(dossier.path());
    const QString base = QStringLiteral("2MnO#4*-+5H#2C#2O#4+6H#3O*+=2Mn*2*++10CO#2");
    for (auto _ : state) {
        state.PauseTiming();
        f.Text1->setText(base);
        f.Text1->setCursorPosition(base.size());
        state.ResumeTiming();
        qm::Text1_KeyDown(f, Qt::Key_H, Qt::NoModifier);
        qm::Text1_KeyPress(f, QLatin1Char('+'));
        qm::Text1_KeyUp(f, Qt::Key_H);
    }
}
BENCHMARK(touche_editeur)->Unit(benchmark::kMicrosecond);

// The table button on a ten-species equation: check, layout with its
// measuring draws, and the table.
void tableau_dix_especes(benchmark::State& state)
{
    QTemporaryDir dossier;
    qm::FeuilleP f(dossier.path());
    f.Text1->setText(QStringLiteral("Na+Cl+Ca+Fe+Cu=Na+Cl+Ca+Fe+Cu"));
    f.etat.quant = {0, 1, 2, 3, 4, 5};
    qm::valideur_Click(f);
    if (!f.Picture3->isEnabled() || f.etat.nbcolonnes != 10)
        state.SkipWithError("the equation must be balanced, in ten columns");
    for (auto _ : state)
        qm::valideur_Click(f);
}
BENCHMARK(tableau_dix_especes)->Unit(benchmark::kMillisecond);

} // namespace
