// Reading a long statement: 200 KB of RTF in the form word processors save, full of accents,
// formats and formulas.

#include "rtf/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>
#include <benchmark/benchmark.h>

namespace {

QByteArray enoncelong(qsizetype taille)
{
    QByteArray r = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1036{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                   "{\\f1\\froman\\fcharset0 Times New Roman;}{\\f2\\fnil\\fcharset2 Symbol;}}\n"
                   "{\\colortbl ;\\red0\\green0\\blue200;\\red192\\green0\\blue0;}\n"
                   "{\\stylesheet{\\s0 Normal;}}{\\info{\\title Exercice}}\\viewkind4\\uc1\n"
                   "\\pard\\qc\\cf1\\b\\f0\\fs36 Combustion du m\\'e9thane\\cf0\\b0\\fs20\\par\n";
    int n = 0;
    while (r.size() < taille) {
        r += "\\pard\\qj\\li360\\sa120\\f1\\fs24 Exercice " + QByteArray::number(++n) +
             " : le m\\'e9thane CH{\\sub 4} br\\'fble dans le dioxyg\\'e8ne O{\\sub 2}. "
             "{\\b\\cf2 \\'c9quation :} CH{\\sub 4} + 2 O{\\sub 2} {\\f2\\'be\\'ae} CO{\\sub 2} + 2 H{\\sub "
             "2}O. "
             "L'ion fer Fe{\\super 3+} et l'ion sulfate SO{\\sub 4}{\\super 2\\u8722?} r\\'e9agissent ; "
             "{\\i on calcule} la quantit\\'e9 de mati\\'e8re {\\ul initiale} n = m / M = 1,6 g \\'f7 16,0 "
             "g\\'b7mol{\\super -1} = 0,10 mol.\\line Donn\\'e9es : \\ldblquote \\'e0 "
             "compl\\'e9ter\\rdblquote .\\par\n";
    }
    return r + "}";
}

void lecture200ko(benchmark::State& etat)
{
    const QByteArray rtf = enoncelong(200 * 1024);
    for (auto _ : etat) {
        QTextDocument doc;
        QString erreur;
        benchmark::DoNotOptimize(qm::lirertf(rtf, doc, &erreur));
    }
    etat.SetBytesProcessed(etat.iterations() * rtf.size());
}
BENCHMARK(lecture200ko)->Unit(benchmark::kMillisecond)->Repetitions(10)->ReportAggregatesOnly(true);

void ecriture200ko(benchmark::State& etat)
{
    QTextDocument doc;
    qm::lirertf(enoncelong(200 * 1024), doc);
    for (auto _ : etat)
        benchmark::DoNotOptimize(qm::ecrirertf(doc));
}
BENCHMARK(ecriture200ko)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

} // namespace

// QTextDocument needs a GUI application for its fonts; this main replaces the library's.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
