#include "rtf/jetons.h"
#include "rtf/pages.h"
#include "rtf/rtf.h"

#include <QFile>
#include <QHash>
#include <QImage>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "files/disque.h"

namespace qm {

namespace {

enum class destination { texte, ignoree, polices, couleurs, image };

// Character properties are saved and restored with the groups, as RTF wants.
struct etatcar {
    int police = -1; // -1: the document's default font (\deffN)
    int demipoints = 24;
    bool gras = false;
    bool italique = false;
    bool souligne = false;
    bool barre = false;
    int position = 0; // 1 superscript, -1 subscript
    int couleur = 0;  // index in the colour table; 0 is the automatic colour
    int fond = 0;
    bool masque = false; // \v: hidden text, which word processors do not show either
    bool operator==(const etatcar&) const = default;
};

struct etatpara {
    Qt::Alignment alignement = Qt::AlignLeft;
    int gauche = 0; // twips
    int droite = 0;
    int premiere = 0;
    int avant = 0;
    int apres = 0;
};

struct groupe {
    etatcar car;
    etatpara para;
    destination dest = destination::texte;
    int uc = 1;          // fallback characters after a \uN; not a format, so kept out of etatcar
    bool etoile = false; // opened by \*: the next word must be one the reader knows
};

struct police {
    QStringList familles;
    int page = 0; // 0: the document's code page
    bool symbole = false;
};

// The font table entry being read.
struct policelue {
    int numero = -1;
    int charset = -1;
    int page = 0;
    int famille = 0;
    QString nom; // decoded as it comes, so that bytes and \uN stay in their order
};

enum class sorteimage { autre, png, jpeg };

struct imagelue {
    sorteimage sorte = sorteimage::autre;
    QByteArray octets;
    int demioctet = -1;
    int largeurbut = 0; // twips
    int hauteurbut = 0;
    int echellex = 100;
    int echelley = 100;
};

// The character format of a state. The last few are kept: a formula switches back and forth
// between two or three looks, and building a format costs more than reading its run.
struct formatcache {
    etatcar etat;
    QTextCharFormat format;
    const tablepage* page = nullptr;
    bool symbole = false;
    int generation = 0; // tells apart every format built during one reading
};

inline constexpr std::size_t formatsgardes = 16;

struct lecteur {
    QTextDocument* doc = nullptr;
    QTextCursor curseur;
    analyseur a;
    std::vector<groupe> pile;
    int perdus = 0; // groups opened beyond the depth limit, skipped whole
    bool racinefermee = false;
    int pagedoc = 1252;
    int policedefaut = 0;
    QHash<int, police> polices;
    policelue entree;
    std::vector<QColor> couleurs; // an invalid colour is the automatic one
    int rouge = 0, vert = 0, bleu = 0;
    bool composante = false;
    imagelue image;
    int nimages = 0;
    int asauter = 0; // fallback characters still to skip after a \uN
    std::vector<formatcache> formats;
    std::size_t dernierformat = 0;
    std::size_t remplace = 0;
    int generations = 0;
    QString tampon; // text of one format not yet inserted
    int generationtampon = -1;
    QTextCharFormat formattampon;
    bool blocenattente = false; // a \par was read: the next content opens a new paragraph
    etatpara paradubloc;
    QString faute;
};

void signale(lecteur& l, const QString& texte)
{
    if (l.faute.isEmpty())
        l.faute = texte;
}

int borne(int v, int bas, int haut)
{
    return std::clamp(v, bas, haut);
}

// ---- Formats ---------------------------------------------------------------------------------

const police* trouvepolice(const lecteur& l, int numero)
{
    auto it = l.polices.constFind(numero < 0 ? l.policedefaut : numero);
    return it == l.polices.constEnd() ? nullptr : &*it;
}

QColor couleurtable(const lecteur& l, int index)
{
    if (index <= 0 || index >= int(l.couleurs.size()))
        return QColor();
    return l.couleurs[index];
}

QTextCharFormat construitformat(const lecteur& l, const etatcar& e)
{
    QTextCharFormat f;
    if (const police* p = trouvepolice(l, e.police); p && !p->familles.isEmpty())
        f.setFontFamilies(p->familles);
    f.setProperty(QTextFormat::FontPixelSize, pixelsdemipoints(e.demipoints));
    f.setProperty(proprietedemipoints, e.demipoints);
    if (e.gras)
        f.setFontWeight(QFont::Bold);
    if (e.italique)
        f.setFontItalic(true);
    if (e.souligne)
        f.setFontUnderline(true);
    if (e.barre)
        f.setFontStrikeOut(true);
    if (e.position != 0)
        f.setVerticalAlignment(e.position > 0 ? QTextCharFormat::AlignSuperScript
                                              : QTextCharFormat::AlignSubScript);
    if (QColor c = couleurtable(l, e.couleur); c.isValid())
        f.setForeground(c);
    if (QColor c = couleurtable(l, e.fond); c.isValid())
        f.setBackground(c);
    return f;
}

// After a change of the font or colour tables, or of the code page.
void oublieformats(lecteur& l)
{
    l.formats.clear();
    l.dernierformat = 0;
}

const formatcache& formatactuel(lecteur& l)
{
    const etatcar& e = l.pile.back().car;
    if (l.dernierformat < l.formats.size() && l.formats[l.dernierformat].etat == e)
        return l.formats[l.dernierformat];
    for (std::size_t i = 0; i < l.formats.size(); ++i) {
        if (l.formats[i].etat == e) {
            l.dernierformat = i;
            return l.formats[i];
        }
    }
    formatcache c;
    c.etat = e;
    c.format = construitformat(l, e);
    const police* p = trouvepolice(l, e.police);
    c.symbole = p && p->symbole;
    c.page = c.symbole ? &pagesymbole() : &pagecode(p && p->page ? p->page : l.pagedoc);
    c.generation = ++l.generations;
    if (l.formats.size() < formatsgardes) {
        l.formats.push_back(std::move(c));
        l.dernierformat = l.formats.size() - 1;
    } else {
        l.dernierformat = l.remplace++ % formatsgardes;
        l.formats[l.dernierformat] = std::move(c);
    }
    return l.formats[l.dernierformat];
}

QTextBlockFormat formatbloc(const etatpara& p)
{
    QTextBlockFormat f;
    if (p.alignement != Qt::AlignLeft)
        f.setAlignment(p.alignement);
    if (p.gauche != 0)
        f.setLeftMargin(p.gauche / 15.0);
    if (p.droite != 0)
        f.setRightMargin(p.droite / 15.0);
    if (p.premiere != 0)
        f.setTextIndent(p.premiere / 15.0);
    if (p.avant != 0)
        f.setTopMargin(p.avant / 15.0);
    if (p.apres != 0)
        f.setBottomMargin(p.apres / 15.0);
    return f;
}

// ---- Text into the document ------------------------------------------------------------------

void vide(lecteur& l)
{
    if (l.tampon.isEmpty())
        return;
    l.curseur.insertText(l.tampon, l.formattampon);
    l.tampon.resize(0);
}

void assurebloc(lecteur& l)
{
    l.paradubloc = l.pile.back().para;
    if (!l.blocenattente)
        return;
    vide(l);
    l.curseur.insertBlock(QTextBlockFormat(), formatactuel(l).format);
    l.blocenattente = false;
}

// Characters that would break the document's structure (block and frame separators, the
// object mark of images) or that a text cannot show.
bool interdit(char16_t c)
{
    return (c < 0x20 && c != '\t') || c == 0x2029 || c == 0xFDD0 || c == 0xFDD1 || c == 0xFFFC;
}

// Prepares the buffer for text in the current format and returns it.
QString& tamponpour(lecteur& l, const formatcache& f)
{
    if (f.generation != l.generationtampon) {
        vide(l);
        l.formattampon = f.format;
        l.generationtampon = f.generation;
    }
    return l.tampon;
}

void ajoutecaractere(lecteur& l, char16_t c)
{
    const formatcache& f = formatactuel(l);
    if (f.etat.masque)
        return;
    // A Symbol character given as Unicode is in the font's private range.
    if (f.symbole && c >= 0xF020 && c <= 0xF0FF)
        c = pagesymbole()[c - 0xF000];
    if (interdit(c))
        return;
    assurebloc(l);
    QString& t = tamponpour(l, formatactuel(l));
    // The arrow written in Symbol as an extension and a head is one long arrow.
    if (f.symbole && c == 0x2192 && !t.isEmpty() && t.back() == QChar(0x23AF)) {
        t.back() = QChar(0x27F6);
        return;
    }
    t.append(QChar(c));
}

void ajouteoctets(lecteur& l, std::string_view octets)
{
    const formatcache& f = formatactuel(l);
    if (f.etat.masque)
        return;
    if (f.symbole) {
        for (unsigned char o : octets)
            ajoutecaractere(l, (*f.page)[o]);
        return;
    }
    assurebloc(l);
    QString& t = tamponpour(l, formatactuel(l));
    const tablepage& page = *formatactuel(l).page;
    // Written in place: appending one character at a time is most of the reading time.
    const qsizetype debut = t.size();
    t.resize(debut + qsizetype(octets.size()));
    QChar* p = t.data() + debut;
    for (unsigned char o : octets)
        if (const char16_t u = page[o]; !interdit(u))
            *p++ = QChar(u);
    t.resize(p - t.data());
}

void finparagraphe(lecteur& l)
{
    // A \par right after another one is an empty paragraph of its own.
    assurebloc(l);
    vide(l);
    l.curseur.setBlockFormat(formatbloc(l.pile.back().para));
    l.curseur.setBlockCharFormat(formatactuel(l).format);
    l.blocenattente = true;
}

// A page or section break ends the paragraph it is in, but makes no empty one.
void finsection(lecteur& l)
{
    if (!l.blocenattente && (!l.tampon.isEmpty() || l.curseur.block().length() > 1))
        finparagraphe(l);
}

void insereimage(lecteur& l)
{
    imagelue im = std::move(l.image);
    l.image = imagelue{};
    if (im.sorte == sorteimage::autre || im.octets.isEmpty())
        return;
    const QImage img = QImage::fromData(im.octets, im.sorte == sorteimage::png ? "PNG" : "JPG");
    if (img.isNull())
        return;
    assurebloc(l);
    vide(l);
    const QString nom = QStringLiteral("rtf-image-%1").arg(++l.nimages);
    l.doc->addResource(QTextDocument::ImageResource, QUrl(nom), img);
    QTextImageFormat f;
    f.setName(nom);
    const double largeur = im.largeurbut > 0 ? im.largeurbut / 15.0 : img.width();
    const double hauteur = im.hauteurbut > 0 ? im.hauteurbut / 15.0 : img.height();
    f.setWidth(largeur * im.echellex / 100.0);
    f.setHeight(hauteur * im.echelley / 100.0);
    l.curseur.insertImage(f);
}

// ---- Control words ---------------------------------------------------------------------------

// The ranges matter: mottexte sends each word to its handler by them.
// clang-format off
enum class action {
    aucune, ignore, fonttbl, colortbl, pict, garde,                                  // destinations
    ansi, mac, pc, pca, ansicpg, deff, uc, u,                                        // document
    f, fs, b, i, ul, ulnone, strike, super, sub, nosupersub, up, dn, plain, v, cf, fond, // character
    pard, ql, qc, qr, qj, li, ri, fi, sb, sa,                                        // paragraph
    par, line, tab, cell, row, page, caractere,                                      // breaks, characters
    fcharset, cpg, famille,                                                          // font table
    red, green, blue,                                                                // colour table
    png, jpeg, autreimage, picwgoal, pichgoal, picscalex, picscaley,                 // pictures
};
// clang-format on

struct entree {
    std::string_view nom;
    action a;
    char16_t valeur = 0;
};

constexpr entree motsconnus[] = {
    {"ansi", action::ansi},
    {"mac", action::mac},
    {"pc", action::pc},
    {"pca", action::pca},
    {"ansicpg", action::ansicpg},
    {"deff", action::deff},
    {"uc", action::uc},
    {"u", action::u},
    {"fonttbl", action::fonttbl},
    {"colortbl", action::colortbl},
    {"pict", action::pict},
    {"shppict", action::garde},
    {"fldrslt", action::garde},
    {"field", action::aucune},
    {"f", action::f},
    {"fs", action::fs},
    {"b", action::b},
    {"i", action::i},
    {"ul", action::ul},
    {"uld", action::ul},
    {"uldb", action::ul},
    {"ulw", action::ul},
    {"uldash", action::ul},
    {"ulth", action::ul},
    {"ulwave", action::ul},
    {"ulnone", action::ulnone},
    {"strike", action::strike},
    {"striked", action::strike},
    {"super", action::super},
    {"sub", action::sub},
    {"nosupersub", action::nosupersub},
    {"up", action::up},
    {"dn", action::dn},
    {"plain", action::plain},
    {"v", action::v},
    {"cf", action::cf},
    {"cb", action::fond},
    {"highlight", action::fond},
    {"chcbpat", action::fond},
    {"pard", action::pard},
    {"ql", action::ql},
    {"qc", action::qc},
    {"qr", action::qr},
    {"qj", action::qj},
    {"qd", action::qj},
    {"li", action::li},
    {"ri", action::ri},
    {"fi", action::fi},
    {"sb", action::sb},
    {"sa", action::sa},
    {"par", action::par},
    {"line", action::line},
    {"tab", action::tab},
    {"cell", action::cell},
    {"nestcell", action::cell},
    {"row", action::row},
    {"nestrow", action::row},
    {"page", action::page},
    {"sect", action::page},
    {"emdash", action::caractere, 0x2014},
    {"endash", action::caractere, 0x2013},
    {"bullet", action::caractere, 0x2022},
    {"lquote", action::caractere, 0x2018},
    {"rquote", action::caractere, 0x2019},
    {"ldblquote", action::caractere, 0x201C},
    {"rdblquote", action::caractere, 0x201D},
    {"emspace", action::caractere, 0x2003},
    {"enspace", action::caractere, 0x2002},
    {"qmspace", action::caractere, 0x2005},
    {"zwj", action::caractere, 0x200D},
    {"zwnj", action::caractere, 0x200C},
    {"fcharset", action::fcharset},
    {"cpg", action::cpg},
    {"fnil", action::famille, 0},
    {"fswiss", action::famille, 1},
    {"froman", action::famille, 2},
    {"fmodern", action::famille, 3},
    {"fscript", action::famille, 0},
    {"fdecor", action::famille, 0},
    {"ftech", action::famille, 0},
    {"red", action::red},
    {"green", action::green},
    {"blue", action::blue},
    {"pngblip", action::png},
    {"jpegblip", action::jpeg},
    {"emfblip", action::autreimage},
    {"wmetafile", action::autreimage},
    {"macpict", action::autreimage},
    {"dibitmap", action::autreimage},
    {"wbitmap", action::autreimage},
    {"picwgoal", action::picwgoal},
    {"pichgoal", action::pichgoal},
    {"picscalex", action::picscalex},
    {"picscaley", action::picscaley},
    // Destinations whose content is never shown.
    {"stylesheet", action::ignore},
    {"info", action::ignore},
    {"listtable", action::ignore},
    {"listoverridetable", action::ignore},
    {"revtbl", action::ignore},
    {"rsidtbl", action::ignore},
    {"filetbl", action::ignore},
    {"object", action::ignore},
    {"fldinst", action::ignore},
    {"nonshppict", action::ignore},
    {"shp", action::ignore},
    {"header", action::ignore},
    {"headerl", action::ignore},
    {"headerr", action::ignore},
    {"headerf", action::ignore},
    {"footer", action::ignore},
    {"footerl", action::ignore},
    {"footerr", action::ignore},
    {"footerf", action::ignore},
    {"footnote", action::ignore},
    {"annotation", action::ignore},
    {"atnid", action::ignore},
    {"atnauthor", action::ignore},
    {"ftnsep", action::ignore},
    {"ftnsepc", action::ignore},
    {"aftnsep", action::ignore},
    {"aftnsepc", action::ignore},
    {"xe", action::ignore},
    {"tc", action::ignore},
    {"txe", action::ignore},
    {"pnseclvl", action::ignore},
    {"template", action::ignore},
    {"author", action::ignore},
    {"title", action::ignore},
    {"subject", action::ignore},
    {"operator", action::ignore},
    {"comment", action::ignore},
    {"keywords", action::ignore},
    {"doccomm", action::ignore},
    {"private", action::ignore},
    {"fchars", action::ignore},
    {"lchars", action::ignore},
    {"bkmkstart", action::ignore},
    {"bkmkend", action::ignore},
    {"themedata", action::ignore},
    {"datastore", action::ignore},
    {"xmlnstbl", action::ignore},
    {"latentstyles", action::ignore},
    {"colorschememapping", action::ignore},
    {"pgdsctbl", action::ignore},
};

const entree* cherchemot(std::string_view nom)
{
    static const std::vector<entree> tries = [] {
        std::vector<entree> v(std::begin(motsconnus), std::end(motsconnus));
        std::sort(v.begin(), v.end(), [](const entree& x, const entree& y) { return x.nom < y.nom; });
        return v;
    }();
    auto it = std::lower_bound(tries.begin(), tries.end(), nom,
                               [](const entree& e, std::string_view n) { return e.nom < n; });
    return it != tries.end() && it->nom == nom ? &*it : nullptr;
}

// A switch without a parameter, or with any other than 0, turns its property on.
bool allume(const jeton& j)
{
    return !j.aparam || j.param != 0;
}

int twips(const jeton& j, int bas)
{
    return j.aparam ? borne(j.param, bas, 31680) : 0;
}

void motdocument(lecteur& l, const entree& e, const jeton& j)
{
    switch (e.a) {
    case action::ansi:
        l.pagedoc = 1252;
        break;
    case action::mac:
        l.pagedoc = 10000;
        break;
    case action::pc:
        l.pagedoc = 437;
        break;
    case action::pca:
        l.pagedoc = 850;
        break;
    case action::ansicpg:
        l.pagedoc = j.aparam ? borne(j.param, 0, 65535) : 1252;
        break;
    case action::deff:
        l.policedefaut = j.param;
        break;
    case action::uc:
        l.pile.back().uc = j.aparam ? borne(j.param, 0, 255) : 1;
        return;
    case action::u: {
        const int v = borne(j.param, -32768, 65535);
        ajoutecaractere(l, char16_t(v < 0 ? v + 65536 : v));
        l.asauter = l.pile.back().uc;
        return;
    }
    default:
        return;
    }
    oublieformats(l);
}

void motcaractere(lecteur& l, const entree& e, const jeton& j)
{
    etatcar& c = l.pile.back().car;
    switch (e.a) {
    case action::f:
        c.police = j.aparam ? j.param : -1;
        break;
    case action::fs:
        c.demipoints = j.aparam && j.param > 0 ? borne(j.param, 1, 3276) : 24;
        break;
    case action::b:
        c.gras = allume(j);
        break;
    case action::i:
        c.italique = allume(j);
        break;
    case action::ul:
        c.souligne = allume(j);
        break;
    case action::ulnone:
        c.souligne = false;
        break;
    case action::strike:
        c.barre = allume(j);
        break;
    case action::super:
        c.position = 1;
        break;
    case action::sub:
        c.position = -1;
        break;
    case action::nosupersub:
        c.position = 0;
        break;
    case action::up:
        c.position = allume(j) ? 1 : 0;
        break;
    case action::dn:
        c.position = allume(j) ? -1 : 0;
        break;
    case action::cf:
        c.couleur = j.aparam ? std::max(j.param, 0) : 0;
        break;
    case action::fond:
        c.fond = j.aparam ? std::max(j.param, 0) : 0;
        break;
    case action::plain:
        c = etatcar{};
        break;
    case action::v:
        c.masque = allume(j);
        break;
    default:
        break;
    }
}

void motparagraphe(lecteur& l, const entree& e, const jeton& j)
{
    etatpara& p = l.pile.back().para;
    switch (e.a) {
    case action::pard:
        p = etatpara{};
        break;
    case action::ql:
        p.alignement = Qt::AlignLeft;
        break;
    case action::qc:
        p.alignement = Qt::AlignHCenter;
        break;
    case action::qr:
        p.alignement = Qt::AlignRight;
        break;
    case action::qj:
        p.alignement = Qt::AlignJustify;
        break;
    case action::li:
        p.gauche = twips(j, -31680);
        break;
    case action::ri:
        p.droite = twips(j, -31680);
        break;
    case action::fi:
        p.premiere = twips(j, -31680);
        break;
    case action::sb:
        p.avant = twips(j, 0);
        break;
    case action::sa:
        p.apres = twips(j, 0);
        break;
    case action::par:
        finparagraphe(l);
        break;
    case action::line:
        ajoutecaractere(l, 0x2028);
        break;
    case action::tab:
    case action::cell:
        ajoutecaractere(l, '\t');
        break;
    case action::row:
        finparagraphe(l);
        break;
    case action::page:
        finsection(l);
        break;
    case action::caractere:
        ajoutecaractere(l, e.valeur);
        break;
    default:
        break;
    }
}

// Destination words act on the group they open, whatever destination it is in.
bool motdestination(lecteur& l, const entree& e)
{
    groupe& g = l.pile.back();
    switch (e.a) {
    case action::ignore:
        g.dest = destination::ignoree;
        return true;
    case action::fonttbl:
        g.dest = destination::polices;
        return true;
    case action::colortbl:
        g.dest = destination::couleurs;
        return true;
    case action::pict:
        g.dest = destination::image;
        l.image = imagelue{};
        return true;
    case action::garde:
        return true;
    default:
        return false;
    }
}

void mottexte(lecteur& l, const entree& e, const jeton& j)
{
    if (e.a >= action::ansi && e.a <= action::u)
        motdocument(l, e, j);
    else if (e.a >= action::f && e.a <= action::fond)
        motcaractere(l, e, j);
    else if (e.a >= action::pard && e.a <= action::caractere)
        motparagraphe(l, e, j);
}

// ---- Font table, colour table, pictures ------------------------------------------------------

// A byte of a font name, in the entry's character set (known by then: \fcharset comes first).
void ajoutenompolice(lecteur& l, unsigned char octet)
{
    policelue& e = l.entree;
    const int page = e.page ? e.page : pagecharset(e.charset);
    if (e.nom.size() < longueurnompolice)
        e.nom.append(QChar(pagecode(page ? page : l.pagedoc)[octet]));
}

void finpolice(lecteur& l)
{
    policelue& e = l.entree;
    if (e.numero >= 0 && !e.nom.isEmpty()) {
        const QString nom = nompolicepropre(e.nom);
        police p;
        p.page = e.page ? e.page : pagecharset(e.charset);
        p.symbole = estsymbole(nom);
        const QString substitut = facesubstituee(nom, e.famille);
        if (p.symbole)
            p.familles = QStringList{substitut};
        else if (!nom.isEmpty())
            p.familles = substitut.isEmpty() ? QStringList{nom} : QStringList{nom, substitut};
        if (l.polices.size() < 4096)
            l.polices.insert(e.numero, p);
        oublieformats(l);
    }
    const int numero = e.numero;
    e = policelue{};
    e.numero = numero; // entries without braces go on with the next \fN
}

void textepolice(lecteur& l, std::string_view octets)
{
    for (char c : octets) {
        if (c == ';')
            finpolice(l);
        else
            ajoutenompolice(l, (unsigned char)c);
    }
}

void motpolice(lecteur& l, const entree& e, const jeton& j)
{
    policelue& p = l.entree;
    switch (e.a) {
    case action::f:
        p.numero = j.aparam ? j.param : -1;
        break;
    case action::fcharset:
        p.charset = j.param;
        break;
    case action::cpg:
        p.page = borne(j.param, 0, 65535);
        break;
    case action::famille:
        p.famille = e.valeur;
        break;
    case action::u:
        if (p.nom.size() < longueurnompolice)
            p.nom.append(QChar(char16_t(borne(j.param, -32768, 65535) & 0xFFFF)));
        l.asauter = l.pile.back().uc;
        break;
    default:
        break;
    }
}

void textecouleurs(lecteur& l, std::string_view octets)
{
    for (char c : octets) {
        if (c != ';' || l.couleurs.size() >= 4096)
            continue;
        l.couleurs.push_back(l.composante ? QColor(l.rouge, l.vert, l.bleu) : QColor());
        l.rouge = l.vert = l.bleu = 0;
        l.composante = false;
        oublieformats(l);
    }
}

void motcouleur(lecteur& l, const entree& e, const jeton& j)
{
    const int v = borne(j.param, 0, 255);
    if (e.a == action::red)
        l.rouge = v;
    else if (e.a == action::green)
        l.vert = v;
    else if (e.a == action::blue)
        l.bleu = v;
    else
        return;
    l.composante = true;
}

void texteimage(lecteur& l, std::string_view octets)
{
    imagelue& im = l.image;
    for (char c : octets) {
        int v = -1;
        if (c >= '0' && c <= '9')
            v = c - '0';
        else if (c >= 'a' && c <= 'f')
            v = c - 'a' + 10;
        else if (c >= 'A' && c <= 'F')
            v = c - 'A' + 10;
        if (v < 0)
            continue;
        if (im.demioctet < 0) {
            im.demioctet = v;
        } else {
            im.octets.append(char(im.demioctet * 16 + v));
            im.demioctet = -1;
        }
    }
}

void motimage(lecteur& l, const entree& e, const jeton& j)
{
    imagelue& im = l.image;
    switch (e.a) {
    case action::png:
        im.sorte = sorteimage::png;
        break;
    case action::jpeg:
        im.sorte = sorteimage::jpeg;
        break;
    case action::autreimage:
        im.sorte = sorteimage::autre;
        break;
    case action::picwgoal:
        im.largeurbut = borne(j.param, 0, 31680);
        break;
    case action::pichgoal:
        im.hauteurbut = borne(j.param, 0, 31680);
        break;
    case action::picscalex:
        im.echellex = borne(j.param, 1, 1000);
        break;
    case action::picscaley:
        im.echelley = borne(j.param, 1, 1000);
        break;
    default:
        break;
    }
}

// ---- The reading loop ------------------------------------------------------------------------

void ouvregroupe(lecteur& l)
{
    l.asauter = 0;
    if (l.perdus > 0 || int(l.pile.size()) >= profondeurmaxrtf) {
        if (l.perdus++ == 0)
            signale(l, QStringLiteral("Groupes imbriqués trop profondément : leur contenu est ignoré."));
        return;
    }
    if (l.pile.empty()) {
        l.pile.emplace_back();
        return;
    }
    groupe g = l.pile.back();
    g.etoile = false;
    l.pile.push_back(g);
}

void fermegroupe(lecteur& l)
{
    l.asauter = 0;
    if (l.perdus > 0) {
        --l.perdus;
        return;
    }
    const destination fermee = l.pile.back().dest;
    l.pile.pop_back();
    const destination parent = l.pile.empty() ? destination::texte : l.pile.back().dest;
    if (fermee == destination::polices)
        finpolice(l);
    if (fermee == destination::image && parent != destination::image) {
        if (parent == destination::texte && !l.pile.empty())
            insereimage(l);
        l.image = imagelue{};
    }
    if (l.pile.empty())
        l.racinefermee = true;
}

// The characters a \uN stands for in readers without Unicode: one byte, one \'hh or one control
// word each. Returns true when the whole token was such a fallback.
bool sautefallback(lecteur& l, jeton& j)
{
    if (l.asauter <= 0)
        return false;
    if (j.sorte != sortejeton::texte) {
        --l.asauter;
        return true;
    }
    const std::size_t n = std::min<std::size_t>(std::size_t(l.asauter), j.texte.size());
    l.asauter -= int(n);
    j.texte.remove_prefix(n);
    return j.texte.empty();
}

void symbole(lecteur& l, char s)
{
    groupe& g = l.pile.back();
    if (s == '*') {
        g.etoile = true;
        return;
    }
    if (g.dest == destination::polices && (s == '\\' || s == '{' || s == '}')) {
        ajoutenompolice(l, (unsigned char)s);
        return;
    }
    if (g.dest != destination::texte)
        return;
    switch (s) {
    case '\\':
    case '{':
    case '}':
        ajoutecaractere(l, char16_t(s));
        break;
    case '~':
        ajoutecaractere(l, 0x00A0);
        break;
    case '-':
        ajoutecaractere(l, 0x00AD);
        break;
    case '_':
        ajoutecaractere(l, 0x2011);
        break;
    case '\n':
        finparagraphe(l);
        break;
    default:
        break;
    }
}

void mot(lecteur& l, const jeton& j)
{
    groupe& g = l.pile.back();
    if (!j.binaire.empty()) {
        if (g.dest == destination::image)
            l.image.octets.append(j.binaire.data(), qsizetype(j.binaire.size()));
        return;
    }
    const entree* e = cherchemot(j.texte);
    if (g.etoile) {
        g.etoile = false;
        // An optional destination the reader does not know is skipped with all it holds.
        if (!e || !motdestination(l, *e))
            g.dest = destination::ignoree;
        return;
    }
    if (!e || motdestination(l, *e))
        return;
    switch (g.dest) {
    case destination::texte:
        mottexte(l, *e, j);
        break;
    case destination::polices:
        motpolice(l, *e, j);
        break;
    case destination::couleurs:
        motcouleur(l, *e, j);
        break;
    case destination::image:
        motimage(l, *e, j);
        break;
    case destination::ignoree:
        break;
    }
}

void texte(lecteur& l, const jeton& j)
{
    switch (l.pile.back().dest) {
    case destination::texte:
        if (j.sorte == sortejeton::hex)
            ajouteoctets(l, std::string_view(reinterpret_cast<const char*>(&j.octet), 1));
        else
            ajouteoctets(l, j.texte);
        break;
    case destination::polices:
        if (j.sorte == sortejeton::hex)
            ajoutenompolice(l, j.octet);
        else
            textepolice(l, j.texte);
        break;
    case destination::couleurs:
        textecouleurs(l, j.texte);
        break;
    case destination::image:
        texteimage(l, j.texte);
        break;
    case destination::ignoree:
        break;
    }
}

void traite(lecteur& l, jeton j)
{
    if (j.sorte == sortejeton::ouvre)
        return ouvregroupe(l);
    if (j.sorte == sortejeton::ferme)
        return fermegroupe(l);
    // Blanks or a byte-order mark before the opening brace belong to no group.
    if (l.perdus > 0 || l.pile.empty())
        return;
    if (j.tronque) {
        signale(l, QStringLiteral("Séquence d'échappement tronquée."));
        return;
    }
    if (l.pile.back().dest == destination::ignoree)
        return;
    if (sautefallback(l, j))
        return;
    if (j.sorte == sortejeton::symbole)
        symbole(l, j.symbole);
    else if (j.sorte == sortejeton::mot)
        mot(l, j);
    else
        texte(l, j);
}

} // namespace

namespace {

// Word processors put nothing but blanks, or a byte-order mark, before the opening brace; the
// header is looked for in the first bytes only, those a file is judged on before it is read.
constexpr qsizetype tetertf = 4096;

bool entetertf(const QByteArray& rtf)
{
    qsizetype i = 0;
    if (rtf.startsWith("\xEF\xBB\xBF"))
        i = 3;
    const qsizetype fin = std::min(rtf.size(), tetertf - 6);
    while (i < fin && (rtf[i] == ' ' || rtf[i] == '\t' || rtf[i] == '\r' || rtf[i] == '\n'))
        ++i;
    if (QByteArrayView(rtf).sliced(i).startsWith("{\\rtf")) {
        const qsizetype apres = i + 5;
        return apres >= rtf.size() || !std::isalpha((unsigned char)rtf[apres]);
    }
    return false;
}

void litdocument(lecteur& l)
{
    while (!l.racinefermee) {
        const jeton j = jetonsuivant(l.a);
        if (j.sorte == sortejeton::fin)
            break;
        traite(l, j);
    }
    if (l.pile.empty())
        l.pile.emplace_back(); // the end of a file that closed its root early
    vide(l);
    if (!l.blocenattente)
        l.curseur.setBlockFormat(formatbloc(l.paradubloc));
    if (!l.racinefermee)
        signale(l, QStringLiteral("Accolades non refermées à la fin du fichier."));
}

} // namespace

bool lirertf(const QByteArray& rtf, QTextDocument& doc, QString* erreur)
{
    if (!entetertf(rtf)) {
        if (erreur)
            *erreur = QStringLiteral("Ce fichier n'est pas un texte au format RTF.");
        return false;
    }
    const bool annulation = doc.isUndoRedoEnabled();
    doc.setUndoRedoEnabled(false);
    doc.clear();
    lecteur l;
    l.doc = &doc;
    l.curseur = QTextCursor(&doc);
    l.a.src = std::string_view(rtf.constData(), std::size_t(rtf.size()));
    l.formats.reserve(formatsgardes);
    l.curseur.beginEditBlock();
    try {
        litdocument(l);
    } catch (...) {
        // Only memory can run out here; the document keeps what was read before.
        signale(l, QStringLiteral("Mémoire insuffisante pour lire tout le texte."));
    }
    l.curseur.endEditBlock();
    doc.setUndoRedoEnabled(annulation);
    doc.setModified(false);
    if (erreur)
        *erreur = l.faute;
    return true;
}

bool lirefichierrtf(const QString& chemin, QTextDocument& doc, QString* erreur)
{
    const auto refus = [erreur](const QString& texte) {
        if (erreur)
            *erreur = texte;
        return false;
    };
    const int fd = ouvrirlecture(QFile::encodeName(chemin).toStdString());
    if (fd < 0)
        return refus(QStringLiteral("Le fichier %1 ne peut pas être ouvert.").arg(chemin));
    // The header is looked for in the first bytes: a large file that is not
    // RTF is refused without being read, and so is one too large for a text.
    std::optional<std::string> octets = lireoctets(fd, 0, tetertf);
    struct stat st {};
    const bool entete =
        octets && entetertf(QByteArray::fromRawData(octets->data(), qsizetype(octets->size())));
    const bool taille = entete && ::fstat(fd, &st) == 0 && std::uint64_t(st.st_size) <= taillemaxrtf;
    if (taille)
        octets = lireoctets(fd, 0, taillemaxrtf + 1);
    ::close(fd);
    if (!octets)
        return refus(QStringLiteral("Le fichier %1 ne peut pas être lu.").arg(chemin));
    if (!entete)
        return refus(QStringLiteral("Ce fichier n'est pas un texte au format RTF."));
    if (!taille || octets->size() > taillemaxrtf)
        return refus(QStringLiteral("Le fichier %1 est trop grand pour un texte.").arg(chemin));
    return lirertf(QByteArray::fromRawData(octets->data(), qsizetype(octets->size())), doc, erreur);
}

} // namespace qm
