// Damaged files: a bounded, seeded share of what the fuzz target does, run with every build.

#include "outils.h"

#include <gtest/gtest.h>
#include <random>

using namespace qm;
using namespace qm::essai;

namespace {

// Bytes that matter to the reader come more often than others.
char octetchoisi(std::mt19937& alea)
{
    static const char speciaux[] = "{}\\'*;0123456789abcdefu -";
    std::uniform_int_distribution<int> d(0, 3);
    if (d(alea) == 0)
        return char(std::uniform_int_distribution<int>(0, 255)(alea));
    return speciaux[std::uniform_int_distribution<int>(0, int(sizeof speciaux) - 2)(alea)];
}

void mute(QByteArray& o, std::mt19937& alea)
{
    if (o.isEmpty())
        return;
    const auto position = [&] { return std::uniform_int_distribution<qsizetype>(0, o.size() - 1)(alea); };
    const qsizetype p = position();
    const qsizetype n = std::uniform_int_distribution<qsizetype>(1, 64)(alea);
    switch (std::uniform_int_distribution<int>(0, 5)(alea)) {
    case 0:
        o[p] = octetchoisi(alea);
        break;
    case 1:
        o.insert(p, octetchoisi(alea));
        break;
    case 2:
        o.remove(p, n);
        break;
    case 3:
        o.insert(position(), o.mid(p, n));
        break;
    case 4:
        o.truncate(p);
        break;
    default:
        o[p] = char(o[p] ^ (1 << std::uniform_int_distribution<int>(0, 7)(alea)));
        break;
    }
}

// Whatever the reader made of a file, writing it and reading it back gives the same text.
void verifie(const QByteArray& entree, const char* origine)
{
    QTextDocument d;
    d.setPlainText("avant");
    QString erreur;
    if (!lirertf(entree, d, &erreur)) {
        EXPECT_FALSE(erreur.isEmpty()) << origine;
        EXPECT_EQ(d.toPlainText(), "avant") << origine;
        return;
    }
    const QByteArray ecrit = ecrirertf(d);
    const lu relu = lis(ecrit);
    ASSERT_TRUE(relu.ok) << origine;
    EXPECT_TRUE(relu.erreur.isEmpty()) << origine << ": " << relu.erreur.toStdString();
    ASSERT_EQ(relu.doc->toRawText(), d.toRawText()) << origine << "\n" << entree.toBase64().constData();
}

} // namespace

TEST(Mutations, DamagedWordProcessorFilesReadAndWriteBackConsistently)
{
    std::mt19937 alea(20240312);
    for (const char* nom : {"enonce_lo.rtf", "ions_lo.rtf", "wordpad.rtf", "wordpad_1250.rtf", "word.rtf"}) {
        const QByteArray original = donnees(nom);
        ASSERT_FALSE(original.isEmpty()) << nom;
        for (int i = 0; i < 150; ++i) {
            QByteArray o = original;
            const int n = std::uniform_int_distribution<int>(1, 8)(alea);
            for (int k = 0; k < n; ++k)
                mute(o, alea);
            verifie(o, nom);
            if (HasFatalFailure())
                return;
        }
    }
}

TEST(Mutations, RandomBytesAfterAValidHeader)
{
    std::mt19937 alea(7);
    for (int i = 0; i < 300; ++i) {
        QByteArray o = "{\\rtf1";
        const int n = std::uniform_int_distribution<int>(0, 2000)(alea);
        for (int k = 0; k < n; ++k)
            o.append(octetchoisi(alea));
        verifie(o, "aleatoire");
        if (HasFatalFailure())
            return;
    }
}

// Inputs the fuzz target once failed on.
TEST(Mutations, FuzzRegressions)
{
    // NULs in a font name: the name was kept with them, written without them and then read back
    // as the Symbol font, so the text changed on the way.
    verifie(QByteArray::fromBase64(
                "XGFuc2l7XGZvbnR0Ymx7AAAAAAAAAAAAAFxmMCBTeW1ib2w7fX1cZjBcJ2JlHlwnYSVcdTk0NT97XHBpY3Rc"
                "x25nYmyWcCA4OTUwNGU0N31cYmluM2YgYGJjfQ==")
                .prepend("{\\rtf1"),
            "nul dans une police");
    // Soft hyphens in a font name were written as \- , which a font table does not read.
    verifie(QByteArray::fromBase64(
                "XGFuc2l7XGZvbnR0Ymx7XGYwIK2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tra2tU3ltYm9sO319"
                "XGYwXCdiZVw+AGVcdTk0NT8wNGU0N31cYmluM2YgYWJjfQ==")
                .prepend("{\\rtf1"),
            "tirets conditionnels dans une police");
}
