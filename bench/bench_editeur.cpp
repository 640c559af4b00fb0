#include <benchmark/benchmark.h>

#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTemporaryDir>

#include "workspace/dessin.h"
#include "workspace/editeur.h"
#include "workspace/espace.h"
#include "workspace/feuillep.h"
#include "workspace/saisie.h"

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

// The same key on the state alone: normalisation and layout, no window.
void touche_etat(benchmark::State& state)
{
    const QString base = QStringLiteral("2MnO#4*-+5H#2C#2O#4+6H#3O*+=2Mn*2*++10CO#2");
    const qm::cadreequation c;
    for (auto _ : state) {
        state.PauseTiming();
        qm::etatfeuille e;
        qm::effets r;
        qm::mettreequation(e, c, base, r);
        state.ResumeTiming();
        qm::toucheenfoncee(e, c, Qt::Key_H, Qt::NoModifier, r);
        qm::touchetapee(e, c, QLatin1Char('+'), r);
        qm::toucherelachee(e, c, Qt::Key_H, r);
        benchmark::DoNotOptimize(e.dessin);
    }
}
BENCHMARK(touche_etat)->Unit(benchmark::kMicrosecond);

// And its paint: the laid-out equation into the picture.
void touche_peinture(benchmark::State& state)
{
    qm::etatfeuille e;
    qm::effets r;
    qm::mettreequation(e, {}, QStringLiteral("2MnO#4*-+5H#2C#2O#4+6H#3O*+=2Mn*2*++10CO#2"), r);
    QImage image(689, 41, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(QColor(255, 255, 230));
        QPainter p(&image);
        qm::peindreequation(p, e.dessin);
    }
}
BENCHMARK(touche_peinture)->Unit(benchmark::kMicrosecond);

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
