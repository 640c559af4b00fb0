// The manifest reader, its checks and the writing of the exercise files.
//
// Every file the manifest names is looked for beside the manifest ("\" read as
// "/"). Nothing is written unless the whole manifest is right: each fault is
// printed on stderr with the manifest's line. Then the series (.C02), the
// exercise files (.E07) and the tutorial file are written into the folder, and
// for the shipped content the RTF texts and the pictures are copied there.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "core/nombre.h"
#include "core/verification.h"
#include "data/fabrique.h"
#include "files/cp1252.h"
#include "files/enregistrements.h"
#include "files/serie.h"

namespace fs = std::filesystem;

namespace {

constexpr std::uint32_t largeurimage = 395;
constexpr std::uint32_t hauteurimage = 195;
constexpr int nombrenotions = 4; // records 7 to 10

struct slotmanifeste {
    int ligne = 0;
    std::string texte;
    bool equilibree = false;
    std::vector<float> quantites;
};

struct seriemanifeste {
    int ligne = 0;
    std::string fichier;
    std::array<std::optional<slotmanifeste>, 10> slots;
    std::int16_t colorsto = 1; // the program's own defaults
    std::int16_t conso = 0;
    std::int16_t final = 1;
    bool utilisee = false;
};

struct fichemanifeste {
    int ligne = 0;
    bool priseenmain = false;
    std::string fichier;
    std::string titre;
    std::optional<int> difficulte;
    std::string enonce, serie, correction, seriecorrigee, image;
    std::vector<std::string> notions;
    std::map<std::string, int> lignes; // line of each key, for messages
};

class Fabrique {
public:
    Fabrique(fs::path manifeste, const qm::usagefabrique& usage)
        : manifeste(std::move(manifeste)), source(this->manifeste.parent_path()), usage(usage)
    {
    }

    // False when the manifest cannot be read at all; its faults are told as
    // they come, and verifier() goes on after them to tell the others.
    bool lire();
    bool verifier();
    bool ecrire(const fs::path& dossier, std::vector<std::string>& ecrits);

private:
    fs::path manifeste;
    fs::path source;
    qm::usagefabrique usage;
    std::vector<fichemanifeste> fiches;
    std::vector<seriemanifeste> series;
    bool fautes = false;

    // "manifeste:12: message" for the build, "manifeste, ligne 12 : message"
    // for a teacher.
    void faute(int ligne, const std::string& texte)
    {
        if (usage.professeur)
            std::cerr << manifeste.string() << ", ligne " << ligne << " : " << texte << '\n';
        else
            std::cerr << manifeste.string() << ':' << ligne << ": " << texte << '\n';
        fautes = true;
    }
    // Where a name is read from: the manifest's folder for a teacher, except a
    // picture, which the program looks for in its own folder.
    std::string lieu(const std::string& quoi) const
    {
        return usage.professeur && quoi != "image" ? "le dossier du manifeste" : "le dossier du programme";
    }
    void lireligne(int numero, std::string_view ligne, char& section);
    void lirecle(int numero, const std::string& cle, const std::string& valeur, char section);
    void lireslot(int numero, int slot, const std::string& valeur);
    bool textefichier(int ligne, const std::string& texte, const std::string& quoi);
    bool nomvalide(int ligne, const std::string& nom, const std::string& quoi);
    void verifierrtf(int ligne, const std::string& nom);
    void verifierimage(int ligne, const std::string& nom);
    seriemanifeste* trouverserie(const std::string& nom);
    std::optional<std::array<std::string, nombrenotions>> decouper(const fichemanifeste& f);
    std::vector<std::string> enregistrements(const fichemanifeste& f);
};

std::string sansblancs(std::string_view s)
{
    const auto debut = s.find_first_not_of(" \t");
    if (debut == std::string_view::npos)
        return {};
    const auto fin = s.find_last_not_of(" \t");
    return std::string(s.substr(debut, fin - debut + 1));
}

// A key as the teacher may type it: case, accents on e and a, and the number
// of blanks do not matter.
std::string normaliser(std::string_view cle)
{
    std::string r;
    bool blanc = false;
    for (std::size_t i = 0; i < cle.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(cle[i]);
        if (c == ' ' || c == '\t') {
            blanc = !r.empty();
            continue;
        }
        if (blanc)
            r += ' ';
        blanc = false;
        const std::string_view reste = cle.substr(i);
        if (reste.starts_with("é") || reste.starts_with("É") || reste.starts_with("è") ||
            reste.starts_with("ê")) {
            r += 'e';
            ++i;
        } else if (reste.starts_with("à")) {
            r += 'a';
            ++i;
        } else {
            r += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
        }
    }
    return r;
}

std::string chemin(const std::string& nom)
{
    std::string r = nom;
    std::replace(r.begin(), r.end(), '\\', '/');
    return r;
}

std::optional<int> entier(const std::string& texte)
{
    int v = 0;
    const auto fin = texte.data() + texte.size();
    const auto [p, e] = std::from_chars(texte.data(), fin, v);
    if (e != std::errc() || p != fin)
        return std::nullopt;
    return v;
}

// An amount as a teacher writes it: decimal comma or point, optional exponent.
std::optional<float> quantite(std::string texte)
{
    std::replace(texte.begin(), texte.end(), ',', '.');
    double v = 0;
    const auto fin = texte.data() + texte.size();
    const auto [p, e] = std::from_chars(texte.data(), fin, v);
    if (e != std::errc() || p != fin || !std::isfinite(v) || v < 0 || v > 1e30)
        return std::nullopt;
    return static_cast<float>(v);
}

// Reactants of an equation: the species before "=", a "+" after "*" being a
// charge.
int nombrereactifs(std::string_view texte)
{
    int n = 1;
    for (std::size_t i = 1; i < texte.size() && texte[i] != '='; ++i)
        if (texte[i] == '+' && texte[i - 1] != '*')
            ++n;
    return n;
}

const char* nomverdict(qm::verdict v)
{
    return v == qm::verdict::equilibree ? "équilibrée" : "non équilibrée";
}

void Fabrique::lireligne(int numero, std::string_view brute, char& section)
{
    if (!brute.empty() && brute.back() == '\r')
        brute.remove_suffix(1);
    const std::string ligne = sansblancs(brute);
    if (ligne.empty() || ligne.front() == '#')
        return;
    if (ligne.front() == '[') {
        if (ligne.back() != ']') {
            faute(numero, "section sans « ] »");
            section = '?';
            return;
        }
        const std::string nom = normaliser(ligne.substr(1, ligne.size() - 2));
        if (nom == "prise en main" && usage.professeur) {
            faute(numero, "section [prise en main] : la prise en main est celle du programme");
            section = '?';
        } else if (nom == "exercice" || nom == "prise en main") {
            fichemanifeste f;
            f.ligne = numero;
            f.priseenmain = nom == "prise en main";
            fiches.push_back(std::move(f));
            section = fiches.back().priseenmain ? 'p' : 'e';
        } else if (nom == "serie") {
            seriemanifeste s;
            s.ligne = numero;
            series.push_back(std::move(s));
            section = 's';
        } else {
            faute(numero, "section inconnue « " + ligne + " » ([exercice], [prise en main] ou [série])");
            section = '?';
        }
        return;
    }
    const auto deuxpoints = ligne.find(':');
    if (deuxpoints == std::string::npos) {
        faute(numero, "ligne sans « : »");
        return;
    }
    const std::string cle = sansblancs(std::string_view(ligne).substr(0, deuxpoints));
    const std::string valeur = sansblancs(std::string_view(ligne).substr(deuxpoints + 1));
    if (section == '?')
        return; // the section's own fault is enough
    if (section == 0) {
        faute(numero, "« " + cle + " » avant toute section");
        return;
    }
    lirecle(numero, cle, valeur, section);
}

void Fabrique::lirecle(int numero, const std::string& cle, const std::string& valeur, char section)
{
    const std::string c = normaliser(cle);
    if (section == 's') {
        seriemanifeste& s = series.back();
        if (const auto slot = entier(c)) {
            if (*slot < 1 || *slot > 10)
                faute(numero, "numéro d'équation " + c + " hors de 1 à 10");
            else if (s.slots[static_cast<std::size_t>(*slot - 1)])
                faute(numero, "équation " + c + " déjà donnée");
            else
                lireslot(numero, *slot, valeur);
        } else if (c == "fichier") {
            s.fichier = valeur;
        } else if (c == "colorer" || c == "consomme" || c == "etat final") {
            std::int16_t& etat = c == "colorer" ? s.colorsto : c == "consomme" ? s.conso : s.final;
            const auto v = entier(valeur);
            if (!v || *v < 0 || *v > 1)
                faute(numero, "« " + cle + " » vaut 0 ou 1");
            else
                etat = static_cast<std::int16_t>(*v);
        } else {
            faute(numero, "clé inconnue « " + cle + " » dans une série");
        }
        return;
    }
    fichemanifeste& f = fiches.back();
    const bool priseenmain = section == 'p';
    static const std::set<std::string> cles{"fichier", "enonce", "serie"};
    static const std::set<std::string> clesexercice{"titre",          "difficulte", "correction",
                                                    "serie corrigee", "image",      "notion"};
    if (!cles.contains(c) && (priseenmain || !clesexercice.contains(c))) {
        faute(numero,
              "clé inconnue « " + cle + " » dans " + (priseenmain ? "la prise en main" : "un exercice"));
        return;
    }
    if (c == "notion") {
        f.notions.push_back(valeur);
        f.lignes.emplace(c, numero);
        return;
    }
    if (!f.lignes.emplace(c, numero).second) {
        faute(numero, "« " + cle + " » donné deux fois");
        return;
    }
    if (c == "difficulte") {
        const auto v = entier(valeur);
        if (!v || *v < 0 || *v > 3)
            faute(numero, "la difficulté est un nombre d'étoiles de 0 à 3");
        else
            f.difficulte = *v;
        return;
    }
    std::string* champ = c == "fichier"          ? &f.fichier
                         : c == "titre"          ? &f.titre
                         : c == "enonce"         ? &f.enonce
                         : c == "serie"          ? &f.serie
                         : c == "correction"     ? &f.correction
                         : c == "serie corrigee" ? &f.seriecorrigee
                                                 : &f.image;
    *champ = valeur;
}

// "equation | équilibrée" or "equation | à équilibrer", then optionally
// "| amounts of the reactants".
void Fabrique::lireslot(int numero, int slot, const std::string& valeur)
{
    std::vector<std::string> champs;
    std::stringstream flux(valeur);
    for (std::string champ; std::getline(flux, champ, '|');)
        champs.push_back(sansblancs(champ));
    if (champs.size() < 2 || champs.size() > 3) {
        faute(numero,
              "une équation s'écrit « N : équation | équilibrée » ou « N : équation | à équilibrer », "
              "suivi si besoin de « | quantités initiales »");
        return;
    }
    slotmanifeste s;
    s.ligne = numero;
    // Blanks are for the reader: the program's notation has none.
    for (char ch : champs[0])
        if (ch != ' ' && ch != '\t')
            s.texte += ch;
    const std::string etat = normaliser(champs[1]);
    if (etat == "equilibree")
        s.equilibree = true;
    else if (etat != "a equilibrer") {
        faute(numero, "« " + champs[1] + " » : écrire « équilibrée » ou « à équilibrer »");
        return;
    }
    if (champs.size() == 3) {
        std::stringstream nombres(champs[2]);
        for (std::string n; nombres >> n;) {
            const auto q = quantite(n);
            if (!q) {
                faute(numero, "quantité « " + n + " » illisible (un nombre positif, virgule décimale)");
                return;
            }
            s.quantites.push_back(*q);
        }
    }
    series.back().slots[static_cast<std::size_t>(slot - 1)] = std::move(s);
}

// A text bound for a record: Windows-1252, 126 bytes at most.
bool Fabrique::textefichier(int ligne, const std::string& texte, const std::string& quoi)
{
    const auto octets = qm::verscp1252(texte);
    if (!octets) {
        faute(ligne, quoi + " : caractère hors de Windows-1252");
        return false;
    }
    if (octets->size() > qm::textemaximal) {
        faute(ligne, quoi + " : " + std::to_string(octets->size()) + " octets, " +
                         std::to_string(qm::textemaximal) + " au plus");
        return false;
    }
    return true;
}

// A file name relative to the program's folder, without leaving it.
bool Fabrique::nomvalide(int ligne, const std::string& nom, const std::string& quoi)
{
    if (!textefichier(ligne, nom, quoi))
        return false;
    const fs::path p(chemin(nom));
    bool sort = p.is_absolute() || nom.find(':') != std::string::npos;
    for (const auto& morceau : p)
        sort = sort || morceau == "..";
    if (sort) {
        faute(ligne, quoi + " « " + nom + " » doit rester dans " + lieu(quoi));
        return false;
    }
    return true;
}

std::string lirefichier(const fs::path& p, std::size_t maximum = std::string::npos)
{
    std::ifstream f(p, std::ios::binary);
    std::string r;
    if (maximum == std::string::npos)
        r.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    else {
        r.resize(maximum);
        f.read(r.data(), static_cast<std::streamsize>(maximum));
        r.resize(static_cast<std::size_t>(f.gcount()));
    }
    return r;
}

// The texts are written with escapes only: a byte above 127 would depend on
// the code page of whoever edits the file.
void Fabrique::verifierrtf(int ligne, const std::string& nom)
{
    if (!nomvalide(ligne, nom, "texte"))
        return;
    const fs::path p = source / chemin(nom);
    std::error_code e;
    if (!fs::is_regular_file(p, e)) {
        faute(ligne, "texte « " + nom + " » introuvable (" + p.string() + ")");
        return;
    }
    const std::string rtf = lirefichier(p);
    if (!rtf.starts_with("{\\rtf1")) {
        faute(ligne, "« " + nom + " » n'est pas un texte RTF");
        return;
    }
    const auto ecart =
        std::find_if(rtf.begin(), rtf.end(), [](char c) { return static_cast<unsigned char>(c) > 127; });
    if (ecart != rtf.end()) {
        const auto rang = 1 + std::count(rtf.begin(), ecart, '\n');
        faute(ligne, "« " + nom + " », ligne " + std::to_string(rang) +
                         " : caractère non ASCII, à écrire \\'xx (par exemple \\'e9 pour é)");
    }
}

void Fabrique::verifierimage(int ligne, const std::string& nom)
{
    if (!nomvalide(ligne, nom, "image"))
        return;
    const fs::path p = (usage.professeur ? usage.dossierprogramme : source) / chemin(nom);
    std::error_code e;
    if (!fs::is_regular_file(p, e)) {
        faute(ligne, "image « " + nom + " » introuvable (" + p.string() + ")");
        return;
    }
    const std::string tete = lirefichier(p, 24);
    if (tete.size() < 24 || !tete.starts_with("\x89PNG\r\n\x1a\n") || tete.substr(12, 4) != "IHDR") {
        faute(ligne, "image « " + nom + " » : pas une image PNG");
        return;
    }
    auto grand = [&tete](std::size_t i) {
        std::uint32_t v = 0;
        for (std::size_t k = i; k < i + 4; ++k)
            v = v << 8 | static_cast<unsigned char>(tete[k]);
        return v;
    };
    const std::uint32_t l = grand(16), h = grand(20);
    if (l > largeurimage || h > hauteurimage)
        faute(ligne, "image « " + nom + " » : " + std::to_string(l) + " x " + std::to_string(h) +
                         " pixels, " + std::to_string(largeurimage) + " x " + std::to_string(hauteurimage) +
                         " au plus");
}

seriemanifeste* Fabrique::trouverserie(const std::string& nom)
{
    for (auto& s : series)
        if (s.fichier == nom)
            return &s;
    return nullptr;
}

bool Fabrique::lire()
{
    std::ifstream f(manifeste, std::ios::binary);
    if (!f) {
        std::cerr << manifeste.string()
                  << (usage.professeur ? " : lecture impossible\n" : ": lecture impossible\n");
        return false;
    }
    char section = 0;
    int numero = 0;
    for (std::string ligne; std::getline(f, ligne);)
        lireligne(++numero, ligne, section);
    return true;
}

bool Fabrique::verifier()
{
    std::set<std::string> sorties;
    auto sortie = [&](int ligne, const std::string& nom) {
        std::string cle = chemin(nom);
        std::transform(cle.begin(), cle.end(), cle.begin(), [](unsigned char c) { return std::tolower(c); });
        if (!sorties.insert(cle).second)
            faute(ligne, "« " + nom + " » produit deux fois");
    };

    // The series first: each equation as the checker sees it.
    for (auto& s : series) {
        if (s.fichier.empty()) {
            faute(s.ligne, "série sans « fichier »");
            continue;
        }
        if (nomvalide(s.ligne, s.fichier, "série") && !s.fichier.ends_with(".C02"))
            faute(s.ligne, "le nom d'une série finit par .C02");
        sortie(s.ligne, s.fichier);
        for (std::size_t k = 0; k < s.slots.size(); ++k) {
            if (!s.slots[k])
                continue;
            const slotmanifeste& sl = *s.slots[k];
            const std::string quoi = "équation " + std::to_string(k + 1);
            if (!textefichier(sl.ligne, sl.texte, quoi))
                continue;
            const qm::verification v = qm::verifequation(sl.texte, qm::tabcoef{});
            if (v.resultat == qm::verdict::rejetee) {
                faute(sl.ligne, quoi + " « " + sl.texte + " » refusée : " + v.erreur.texte);
                continue;
            }
            if ((v.resultat == qm::verdict::equilibree) != sl.equilibree)
                faute(sl.ligne, quoi + " « " + sl.texte + " » annoncée " +
                                    (sl.equilibree ? "équilibrée" : "à équilibrer") + " mais " +
                                    nomverdict(v.resultat));
            if (static_cast<int>(sl.quantites.size()) > nombrereactifs(sl.texte))
                faute(sl.ligne, quoi + " : " + std::to_string(sl.quantites.size()) + " quantités pour " +
                                    std::to_string(nombrereactifs(sl.texte)) +
                                    " réactifs (les produits partent de 0)");
        }
    }

    bool priseenmain = false;
    for (auto& f : fiches) {
        const std::string quoi = f.priseenmain ? "prise en main" : "exercice";
        if (f.priseenmain) {
            if (priseenmain)
                faute(f.ligne, "une seule prise en main");
            priseenmain = true;
        }
        if (f.fichier.empty()) {
            faute(f.ligne, quoi + " sans « fichier »");
        } else if (nomvalide(f.ligne, f.fichier, "fichier")) {
            sortie(f.ligne, f.fichier);
            if (!f.priseenmain &&
                (!f.fichier.ends_with(".E07") || f.fichier.find_first_of("\\/") != std::string::npos))
                faute(f.ligne,
                      "« " + f.fichier + " » : un exercice est un fichier .E07 " +
                          (usage.professeur ? "du dossier du manifeste" : "du dossier du programme"));
        }
        auto ligne = [&f](const std::string& cle) {
            const auto it = f.lignes.find(cle);
            return it == f.lignes.end() ? f.ligne : it->second;
        };
        if (f.enonce.empty())
            faute(f.ligne, quoi + " sans « énoncé »");
        else
            verifierrtf(ligne("enonce"), f.enonce);
        if (!f.correction.empty())
            verifierrtf(ligne("correction"), f.correction);
        if (!f.image.empty())
            verifierimage(ligne("image"), f.image);
        if (!f.priseenmain) {
            if (f.titre.empty())
                faute(f.ligne, "exercice sans « titre »");
            else
                textefichier(ligne("titre"), f.titre, "titre");
            if (!f.difficulte)
                faute(f.ligne, "exercice sans « difficulté »");
            if (!f.seriecorrigee.empty() && f.correction.empty())
                faute(ligne("serie corrigee"), "une série corrigée va avec un texte de correction");
            decouper(f);
        }
        for (const auto& [cle, nom, corrigee] :
             {std::tuple{"serie", f.serie, false}, std::tuple{"serie corrigee", f.seriecorrigee, true}}) {
            if (nom.empty())
                continue;
            seriemanifeste* s = trouverserie(nom);
            if (!s) {
                faute(ligne(cle), "série « " + nom + " » non décrite par une section [série]");
                continue;
            }
            s->utilisee = true;
            if (!corrigee)
                continue;
            for (std::size_t k = 0; k < s->slots.size(); ++k)
                if (s->slots[k] && !s->slots[k]->equilibree)
                    faute(s->slots[k]->ligne,
                          "équation " + std::to_string(k + 1) + " de la série corrigée « " + nom +
                              " » : une correction ne montre que des équations équilibrées");
        }
    }
    if (!priseenmain && !usage.professeur)
        faute(0, "pas de section [prise en main]");
    for (const auto& s : series)
        if (!s.utilisee && !s.fichier.empty())
            faute(s.ligne, "série « " + s.fichier + " » décrite mais d'aucun exercice");
    return !fautes;
}

// Records 7 to 10: the notions one a line, cut where a line ends whenever
// the pieces allow it, so that each piece stands alone.
std::optional<std::array<std::string, nombrenotions>> Fabrique::decouper(const fichemanifeste& f)
{
    const int ligne = f.lignes.contains("notion") ? f.lignes.at("notion") : f.ligne;
    std::string jointes;
    for (const auto& n : f.notions)
        jointes += (jointes.empty() ? "" : "\r\n") + n;
    const auto octets = qm::verscp1252(jointes);
    if (!octets) {
        faute(ligne, "notions : caractère hors de Windows-1252");
        return std::nullopt;
    }
    const std::size_t place = nombrenotions * qm::textemaximal;
    if (octets->size() > place) {
        faute(ligne, "notions : " + std::to_string(octets->size()) + " octets, " + std::to_string(place) +
                         " au plus");
        return std::nullopt;
    }
    auto couper = [&octets](bool auxlignes) {
        std::vector<std::string> morceaux;
        std::size_t debut = 0;
        while (debut < octets->size()) {
            std::size_t fin = std::min(octets->size(), debut + qm::textemaximal);
            if (auxlignes && fin < octets->size()) {
                const auto saut = octets->rfind("\r\n", fin - 2);
                if (saut != std::string::npos && saut + 2 > debut)
                    fin = saut + 2;
            }
            morceaux.push_back(qm::depuiscp1252(std::string_view(*octets).substr(debut, fin - debut)));
            debut = fin;
        }
        return morceaux;
    };
    auto morceaux = couper(true);
    if (morceaux.size() > nombrenotions)
        morceaux = couper(false);
    std::array<std::string, nombrenotions> r;
    std::copy(morceaux.begin(), morceaux.end(), r.begin());
    return r;
}

std::vector<std::string> Fabrique::enregistrements(const fichemanifeste& f)
{
    if (f.priseenmain)
        return {f.enonce, f.serie};
    std::vector<std::string> r(15);
    r[0] = f.enonce;
    r[1] = f.serie;
    r[2] = f.correction;
    r[3] = f.seriecorrigee;
    r[4] = qm::textenombre(static_cast<double>(*f.difficulte));
    const auto notions = *decouper(f);
    std::copy(notions.begin(), notions.end(), r.begin() + 6);
    r[10] = f.titre;
    r[14] = f.image;
    return r;
}

bool Fabrique::ecrire(const fs::path& dossier, std::vector<std::string>& ecrits)
{
    auto preparer = [&](const std::string& nom) {
        const fs::path p = dossier / chemin(nom);
        std::error_code e;
        fs::create_directories(p.parent_path(), e);
        ecrits.push_back(chemin(nom));
        return p;
    };
    bool ok = true;
    auto echec = [&ok](const fs::path& p) {
        std::cerr << p.string() << ": écriture impossible\n";
        ok = false;
    };
    for (const auto& s : series) {
        qm::serie c;
        for (std::size_t k = 0; k < s.slots.size(); ++k) {
            if (!s.slots[k])
                continue;
            c.eqtexte[k] = s.slots[k]->texte;
            std::copy(s.slots[k]->quantites.begin(), s.slots[k]->quantites.end(), c.eqquant[k].begin() + 1);
        }
        c.colorsto = s.colorsto;
        c.conso = s.conso;
        c.final = s.final;
        const fs::path p = preparer(s.fichier);
        if (qm::ecrireserie(p.string(), c) != qm::erreurserie::aucune)
            echec(p);
    }
    std::set<std::string> copies;
    for (const auto& f : fiches) {
        const fs::path p = preparer(f.fichier);
        if (!qm::remplacerenregistrements(p.string(), enregistrements(f)))
            echec(p);
        if (usage.professeur)
            continue; // the texts are already beside the files written
        for (const std::string* nom : {&f.enonce, &f.correction, &f.image}) {
            if (nom->empty() || !copies.insert(chemin(*nom)).second)
                continue;
            const fs::path cible = preparer(*nom);
            std::error_code e;
            fs::copy_file(source / chemin(*nom), cible, fs::copy_options::overwrite_existing, e);
            if (e)
                echec(cible);
        }
    }
    return ok;
}

} // namespace

namespace qm {

bool fabriquer(const fs::path& manifeste, const fs::path& dossier, const usagefabrique& usage,
               std::vector<std::string>& ecrits)
{
    Fabrique fabrique{manifeste, usage};
    if (!fabrique.lire() || !fabrique.verifier()) {
        std::cerr << manifeste.string()
                  << (usage.professeur ? " : rien n'est écrit\n" : ": rien n'est écrit\n");
        return false;
    }
    return fabrique.ecrire(dossier, ecrits);
}

// The previous run's names that this run did not write are removed.
void tenirliste(const fs::path& liste, const fs::path& dossier, const std::vector<std::string>& ecrits)
{
    const std::set<std::string> nouveaux(ecrits.begin(), ecrits.end());
    std::ifstream ancienne(liste);
    for (std::string nom; std::getline(ancienne, nom);) {
        if (nom.empty() || nouveaux.contains(nom) || nom.find("..") != std::string::npos)
            continue;
        std::error_code e;
        fs::remove(dossier / nom, e);
    }
    ancienne.close();
    std::ofstream nouvelle(liste, std::ios::trunc);
    for (const auto& nom : nouveaux)
        nouvelle << nom << '\n';
}

} // namespace qm
