#include <gtest/gtest.h>

#include "core/verification.h"

namespace {

using qm::lignegrille;
using qm::verdict;
using qm::verifequation;

constexpr int H = 1, C = 6, O = 8, Na = 11, Al = 13, S = 16, Cl = 17, Ca = 20, Fe = 26, Co = 27;

qm::verification verifier(const char* texte, const qm::tabcoef& coef = {})
{
    return verifequation(texte, coef);
}

TEST(Verification, ExemplesEquilibres)
{
    const auto eau = verifier("2H#2+O#2=2H#2O");
    EXPECT_EQ(eau.resultat, verdict::equilibree);
    EXPECT_EQ(eau.nbespeces, 3);
    EXPECT_EQ(eau.coef[1], 2);
    EXPECT_EQ(eau.coef[2], 1);
    EXPECT_EQ(eau.coef[3], 2);
    EXPECT_EQ(eau.nbreactifs[H], 4);
    EXPECT_EQ(eau.nbproduits[H], 4);
    EXPECT_EQ(eau.nbreactifs[O], 2);
    EXPECT_EQ(eau.nbproduits[O], 2);
    EXPECT_TRUE(eau.grille.empty());

    // The "+" after "*" is the charge; the next one separates.
    const auto sel = verifier("Na*++Cl*-=NaCl");
    EXPECT_EQ(sel.resultat, verdict::equilibree);
    EXPECT_EQ(sel.nbespeces, 3);
    EXPECT_EQ(sel.chargereactifs, 0);
    EXPECT_EQ(sel.chargeproduits, 0);
    EXPECT_EQ(sel.nbreactifs[Na], 1);
    EXPECT_EQ(sel.nbproduits[Cl], 1);

    EXPECT_EQ(verifier("Cu+2Ag*+=Cu*2*++2Ag").resultat, verdict::equilibree);
}

TEST(Verification, Groupes)
{
    const auto chaux = verifier("Ca(OH)#2=Ca(OH)#2");
    EXPECT_EQ(chaux.nbreactifs[Ca], 1);
    EXPECT_EQ(chaux.nbreactifs[O], 2);
    EXPECT_EQ(chaux.nbreactifs[H], 2);

    const auto sulfate = verifier("Al#2(SO#4)#3=2Al*3*++3SO#4*2*-");
    EXPECT_EQ(sulfate.nbreactifs[Al], 2);
    EXPECT_EQ(sulfate.nbreactifs[S], 3);
    EXPECT_EQ(sulfate.nbreactifs[O], 12);
    EXPECT_EQ(sulfate.chargeproduits, 0);
    EXPECT_EQ(sulfate.resultat, verdict::equilibree);

    // The second group's ")" is searched from its own "(".
    const auto deux = verifier("3Ca(OH)#2+Al#2(SO#4)#3=3CaSO#4+2Al(OH)#3");
    EXPECT_EQ(deux.resultat, verdict::equilibree);
    EXPECT_EQ(deux.nbreactifs[O], 6 + 12);
    EXPECT_EQ(deux.nbreactifs[H], 6);
    EXPECT_EQ(deux.nbproduits[S], 3);

    // A group without multiplier counts once; a multiplier of 0 reads as 1.
    EXPECT_EQ(verifier("(OH)=OH").resultat, verdict::equilibree);
    EXPECT_EQ(verifier("Ca(OH)#0=CaOH").resultat, verdict::equilibree);
    // A multiplier of two digits.
    EXPECT_EQ(verifier("(CH#2)#1#2=C#1#2H#2#4").resultat, verdict::equilibree);
}

TEST(Verification, Charges)
{
    const auto s = verifier("3SO#4*2*-=Fe*3*++Na*+");
    EXPECT_EQ(s.chargereactifs, -6);
    EXPECT_EQ(s.chargeproduits, 4);
    // A superscript that is not a sign carries no charge.
    const auto o = verifier("O*2=O");
    EXPECT_EQ(o.chargereactifs, 0);
    EXPECT_EQ(o.nbreactifs[O], 1);
    EXPECT_EQ(o.resultat, verdict::equilibree);
    // A charge of 0 reads as 1.
    EXPECT_EQ(verifier("Fe*0*+=Fe*+").resultat, verdict::equilibree);
}

TEST(Verification, Desequilibree)
{
    const auto r = verifier("H#2+O#2=H#2O");
    EXPECT_EQ(r.resultat, verdict::desequilibree);
    const std::vector<lignegrille> attendu{{"H", "2", "2"}, {"O", "2", "1"}, {"Charge", "0", "0"}};
    EXPECT_EQ(r.grille, attendu);

    // Without "=", everything is on the reactant side.
    const auto sans = verifier("H#2+O#2");
    EXPECT_EQ(sans.resultat, verdict::desequilibree);
    EXPECT_EQ(sans.grille.front(), (lignegrille{"H", "2", "0"}));

    // A charge alone unbalances, and the grid shows it signed.
    const auto ion = verifier("Fe*2*+=Fe*3*+");
    const std::vector<lignegrille> ionattendu{{"Fe", "1", "1"}, {"Charge", "2", "3"}};
    EXPECT_EQ(ion.grille, ionattendu);

    // Element rows come in atomic-number order, whatever the order in the text.
    const auto ordre = verifier("Cl#2+Na=H");
    ASSERT_EQ(ordre.grille.size(), 4u);
    EXPECT_EQ(ordre.grille[0].symbole, "H");
    EXPECT_EQ(ordre.grille[1].symbole, "Na");
    EXPECT_EQ(ordre.grille[2].symbole, "Cl");
}

TEST(Verification, SymbolesSensiblesALaCasse)
{
    const auto co = verifier("CO=Co");
    EXPECT_EQ(co.nbreactifs[C], 1);
    EXPECT_EQ(co.nbreactifs[O], 1);
    EXPECT_EQ(co.nbproduits[Co], 1);
    EXPECT_EQ(co.resultat, verdict::desequilibree);
}

struct lignerejet {
    const char* nom;
    const char* texte;
    qm::message attendu;
};

const lignerejet rejets[] = {
    {"minuscule", "h#2+o#2=h#2o", qm::msgincomprise},
    {"element_inconnu", "Xy#2=Xy#2", qm::msgelementinconnu("Xy")},
    {"element_inconnu_une_lettre", "H#2+J=H#2J", qm::msgelementinconnu("J")},
    {"lr_nest_pas_lw", "Lr=Lr", qm::msgelementinconnu("Lr")},
    {"deux_plus", "H#2++O#2=H#2O", qm::msgincomprise},
    {"chiffre_apres_symbole", "H2O=H2O", qm::msgincomprise},
    {"fermante_sans_ouvrante", "OH)#2=OH", qm::msgparentheses},
    {"exposant_dans_groupe", "(OH*-)#2=O", qm::msgparentheses},
    {"ouvrante_sans_fermante", "Ca(OH#2=Ca", qm::msgparentheses},
    {"ouvrante_en_fin", "Ca(=Ca", qm::msgparentheses},
    {"fermante_dans_espece_suivante", "Ca(OH=)", qm::msgparentheses},
    {"finit_par_plus", "H#2+", qm::msgdesole},
    {"finit_par_egal", "H#2=", qm::msgdesole},
    {"coefficient_seul", "2=H", qm::msgdesole},
    {"texte_vide", "", qm::msgdesole},
    {"douze_especes", "H+H+H+H+H+H=H+H+H+H+H+H", qm::msgdesole},
    {"coefficient_trop_grand", "40000H=H", qm::msgdesole},
    {"indice_trop_grand", "H#4#0#0#0#0=H", qm::msgdesole},
    {"multiplicateur_trop_grand", "(OH)#4#0#0#0#0=O", qm::msgdesole},
    {"produit_trop_grand", "200(H#2#0#0)=H", qm::msgdesole},
    {"somme_trop_grande", "30000H+30000H=H", qm::msgdesole},
    {"charge_trop_grande", "H*4*0*0*0*0*+=H", qm::msgdesole},
    {"charge_fois_coefficient", "2000Fe*2*0*+=Fe", qm::msgdesole},
    {"diese_en_tete", "#2H=H", qm::msgincomprise},
    {"caractere_accentue", "é=H", qm::msgincomprise},
};

TEST(Verification, Rejets)
{
    for (const lignerejet& l : rejets) {
        SCOPED_TRACE(l.nom);
        const auto r = verifier(l.texte);
        EXPECT_EQ(r.resultat, verdict::rejetee);
        EXPECT_EQ(r.erreur, l.attendu);
        EXPECT_TRUE(r.grille.empty());
    }
}

TEST(Verification, LimitesSeizeBits)
{
    // The largest values that fit are still counted.
    const auto r = verifier("32767H=32767H");
    EXPECT_EQ(r.resultat, verdict::equilibree);
    EXPECT_EQ(r.nbreactifs[H], 32767);
    EXPECT_EQ(verifier("H*3*2*7*6*7*-=H*3*2*7*6*7*-").chargereactifs, -32767);
    EXPECT_EQ(verifier("16383H+16384H=32767H").resultat, verdict::equilibree);
}

TEST(Verification, Messages)
{
    EXPECT_EQ(qm::msgelementinconnu("Xy").texte,
              "Je ne connais pas l'élément de symbole Xy\r\n"
              "Je ne peux pas vérifier si cette équation chimique est bien équilibrée.");
    EXPECT_EQ(qm::msgelementinconnu("Xy").titre, "Elément inconnu");
    EXPECT_EQ(qm::msgincomprise.titre, "Vérification impossible");
    EXPECT_EQ(qm::msgparentheses.titre, "Erreur de saisie");
    EXPECT_EQ(qm::msgcolonnes.texte,
              "Il ne peut y avoir plus de 10 colonnes dans le tableau ( réactifs + produits ).");
    EXPECT_TRUE(qm::equationvide(""));
    EXPECT_TRUE(qm::equationvide("   "));
    EXPECT_FALSE(qm::equationvide(" H "));
}

TEST(Verification, CoefficientsAuDelaGardes)
{
    qm::tabcoef avant{};
    for (std::size_t k = 0; k < avant.size(); ++k)
        avant[k] = static_cast<std::int16_t>(100 + k);
    // Balanced: the species reached get their coefficients, the others keep theirs.
    const auto r = verifier("2H#2+O#2=2H#2O", avant);
    EXPECT_EQ(r.coef[1], 2);
    EXPECT_EQ(r.coef[3], 2);
    EXPECT_EQ(r.coef[4], 104);
    EXPECT_EQ(r.coef[11], 111);
    // Rejected at the second species: the first was written, the rest kept.
    const auto rejet = verifier("3H#2+Xy=H", avant);
    EXPECT_EQ(rejet.resultat, verdict::rejetee);
    EXPECT_EQ(rejet.coef[1], 3);
    EXPECT_EQ(rejet.coef[2], 1);
    EXPECT_EQ(rejet.coef[3], 103);
    // A missing or zero coefficient reads as 1.
    EXPECT_EQ(verifier("0H=H", avant).coef[1], 1);
}

TEST(Verification, SecondEgal)
{
    // A second "=" splits like the first and stays on the product side.
    const auto r = verifier("H=H=H");
    EXPECT_EQ(r.nbespeces, 3);
    EXPECT_EQ(r.nbreactifs[H], 1);
    EXPECT_EQ(r.nbproduits[H], 2);
}

TEST(Verification, ParentheseOuverteDansUneEspecePrecedente)
{
    // Whether a "(" was met is remembered over the whole check.
    EXPECT_NE(verifier("Ca(OH)#2=Ca+O#2H#2)").erreur, qm::msgparentheses);
}

} // namespace
