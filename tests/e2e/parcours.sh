#!/usr/bin/env bash
# The pupil's path through the real program, driven from outside as a pupil
# would drive it: keys and clicks at the controls' places on a virtual screen,
# screenshots to see what came of them, nothing inside the program.
#
#   parcours.sh DOSSIER_PROGRAMME DOSSIER_CAPTURES [PYTHON]
#
# DOSSIER_PROGRAMME is the built program's folder (the executable and its
# content). It is copied to a temporary folder and run there, so the exchange
# file TEMP1S.TMP is written in the copy. The screenshots are left in
# DOSSIER_CAPTURES for people to look at.
#
# The path: an ionic equation typed unbalanced, its count grid, the coefficient
# added, the progress table, two initial amounts, the final state, the series
# saved, the program closed, started again, the series opened: the equation
# picture and the table must come back as they were.

set -u -o pipefail
# Nothing here reads the caller's input: a helper that would wait on it gets
# an end of file instead of holding the run until its time-out.
exec < /dev/null

if [ $# -lt 2 ]; then
    echo "usage: $0 DOSSIER_PROGRAMME DOSSIER_CAPTURES [PYTHON]" >&2
    exit 2
fi
SOURCE=$(cd "$1" && pwd) || exit 2
CAPTURES=$2
PYTHON=${3:-python3}
OUTILS="$(cd "$(dirname "$0")" && pwd)/outils.py"

for outil in Xvfb xdotool import compare convert "$PYTHON"; do
    if ! command -v "$outil" > /dev/null; then
        echo "ÉCHEC — outil absent : $outil" >&2
        exit 1
    fi
done

# ---- The main window's layout (workspace/cadre.h, feuillep.cpp, editeur.cpp,
# tableau.cpp), in pixels from the window's top-left corner. ----

P2=(96 48 689 41)    # the equation picture
P3=(96 88 689 169)   # the table, the advancement cursor at its foot
P4=(8 48 89 191)     # the caption column and its scale
# The equation picture without its single-line border: the border only tells
# that the equation box has had the keyboard once, which is no part of the
# equation.
P2I=(97 49 687 39)
# Three species: each column is the header's width over three, rounded.
COLONNE=230
NEUTRE=(30 290)      # plain background: no control, no tool tip
TEXT1=(760 276 21 22) # the raw equation box, kept out of the pupil's way

# ---- Colours the program paints with. ----

MARINE="0 0 128"           # the equation and the amounts
ROUGE="255 0 0"            # a coefficient, when they are coloured
BLEU="100 150 255"         # a bar of the current state
FONDOUTILS="240 235 230"   # the equation tools lying over the table
ROSEGRILLE="255 220 220"   # a count that differs, in the count grid

# ---- Bookkeeping. ----

DEBUT=$(date +%s.%N)
ETAPE="préparation"
ECHECS=()
PROGRAMME_PID=""
XVFB_PID=""
TRAVAIL=$(mktemp -d "${TMPDIR:-/tmp}/quilmaret-parcours.XXXXXX") || exit 1
DOSSIER="$TRAVAIL/programme"
SERIE="$TRAVAIL/series/cuivre.C02"

journal() {
    printf '[%6.1f s] %s\n' "$(awk -v d="$DEBUT" -v f="$(date +%s.%N)" 'BEGIN { print f - d }')" "$*"
}

etape() {
    ETAPE=$1
    journal "── étape $ETAPE"
}

# A check that failed: the path goes on, the test fails at the end.
echec() {
    ECHECS+=("étape $ETAPE : $*")
    journal "ÉCHEC — étape $ETAPE : $*"
}

# A failure after which the path cannot go on.
arret() {
    echec "$*"
    exit 1
}

# lancer COMMANDE...: runs it with no descriptor of ours past the standard
# three, so a program left behind never holds the caller's output open.
lancer() {
    local fd
    for fd in $(ls /proc/$BASHPID/fd); do
        [ "$fd" -gt 2 ] && eval "exec $fd>&-"
    done
    exec "$@"
}

ok() {
    journal "   ok : $*"
}

nettoyer() {
    local code=$?
    if [ -n "$PROGRAMME_PID" ] && kill -0 "$PROGRAMME_PID" 2> /dev/null; then
        kill "$PROGRAMME_PID" 2> /dev/null
        for _ in $(seq 50); do kill -0 "$PROGRAMME_PID" 2> /dev/null || break; sleep 0.1; done
        kill -9 "$PROGRAMME_PID" 2> /dev/null
    fi
    if [ -n "$XVFB_PID" ]; then
        kill "$XVFB_PID" 2> /dev/null
        wait "$XVFB_PID" 2> /dev/null
    fi
    # What the program wrote, kept beside the screenshots.
    [ -f "$DOSSIER/TEMP1S.TMP" ] && cp "$DOSSIER/TEMP1S.TMP" "$CAPTURES/" 2> /dev/null
    [ -f "$SERIE" ] && cp "$SERIE" "$CAPTURES/" 2> /dev/null
    for f in "$TRAVAIL"/programme-*.log; do [ -f "$f" ] && cp "$f" "$CAPTURES/"; done
    rm -rf "$TRAVAIL"
    if [ ${#ECHECS[@]} -gt 0 ]; then
        echo
        echo "Le parcours de l'élève a échoué (${#ECHECS[@]} vérification(s)) :"
        printf '  - %s\n' "${ECHECS[@]}"
        echo "Captures d'écran : $CAPTURES"
        exit 1
    fi
    if [ "$code" -ne 0 ]; then
        echo "ÉCHEC — étape $ETAPE : le script s'est arrêté sur une erreur (code $code)"
        exit "$code"
    fi
    journal "parcours réussi ; captures d'écran : $CAPTURES"
}
trap nettoyer EXIT
trap 'exit 1' INT TERM

# ---- The virtual screen. ----

# A display number of its own: Xvfb writes it back once it listens, and quits
# at once when another server has it, so parallel runs never share a screen.
demarrerxvfb() {
    local n pret
    for _ in $(seq 30); do
        n=$((200 + RANDOM % 700))
        [ -e "/tmp/.X$n-lock" ] && continue
        pret="$TRAVAIL/affichage"
        : > "$pret"
        (lancer Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp -noreset -displayfd 1 \
            > "$pret" 2> "$TRAVAIL/xvfb.log") &
        XVFB_PID=$!
        for _ in $(seq 150); do
            if [ -s "$pret" ]; then
                export DISPLAY=":$n"
                return 0
            fi
            kill -0 "$XVFB_PID" 2> /dev/null || break
            sleep 0.1
        done
        kill "$XVFB_PID" 2> /dev/null
        wait "$XVFB_PID" 2> /dev/null
        XVFB_PID=""
    done
    return 1
}

# ---- Screenshots. ----

ecran() {
    import -window root "$1" 2> /dev/null
}

# decouper SOURCE DESTINATION X Y L H: a part of the main window.
decouper() {
    convert "$1" -crop "${5}x${6}+$((FX + $3))+$((FY + $4))" +repage "$2"
}

# Number of pixels that differ between two images of the same size.
difference() {
    local n
    n=$(compare -metric AE "$1" "$2" null: 2>&1)
    [ $? -le 1 ] || { echo "impossible de comparer $1 et $2 : $n" >&2; echo 999999999; return; }
    awk -v n="$n" 'BEGIN { printf "%d\n", n }'
}

memes() {
    [ "$(difference "$1" "$2")" -eq 0 ]
}

# compter IMAGE "R G B" X Y L H: pixels of that colour in a part of the main window.
compter() {
    local c=($2)
    convert "$1" -crop "${5}x${6}+$((FX + $3))+$((FY + $4))" +repage ppm:- |
        "$PYTHON" "$OUTILS" compter "${c[@]}" 0 0 "$5" "$6"
}

# couleur IMAGE X Y: "R G B" of one pixel of the main window.
couleur() {
    convert "$1" -crop "1x1+$((FX + $2))+$((FY + $3))" +repage ppm:- | "$PYTHON" "$OUTILS" pixel 0 0
}

# The main window's shot, cut from the whole screen's. The raw equation box
# is blanked: its caret blinks while it has the keyboard, and what it holds is
# read from the saved file, never from the screen.
fenetre() {
    convert "$1" -crop "800x600+$FX+$FY" +repage -fill black \
        -draw "rectangle ${TEXT1[0]},${TEXT1[1]} $((TEXT1[0] + TEXT1[2] - 1)),$((TEXT1[1] + TEXT1[3] - 1))" "$2"
}

# attendre_image CAPTURE [REFERENCE] [DELAI]: shots of the main window until
# three in a row are the same; with a reference shot of the window, the screen
# must first differ from it (the action has been seen). The last full screen
# goes to CAPTURE whatever happens. 0: settled; 1: never settled; 2: nothing
# changed from the reference.
attendre_image() {
    local capture=$1 reference=${2:-} delai=${3:-20}
    local fin=$(($(date +%s) + delai)) vu=1 pareils=0
    local racine="$TRAVAIL/racine.png" courant="$TRAVAIL/courant.png" precedent="$TRAVAIL/precedent.png"
    [ -n "$reference" ] && vu=0
    rm -f "$precedent"
    while :; do
        ecran "$racine"
        fenetre "$racine" "$courant"
        if [ $vu -eq 0 ]; then
            memes "$courant" "$reference" || vu=1
        elif [ -f "$precedent" ] && memes "$courant" "$precedent"; then
            pareils=$((pareils + 1))
            if [ $pareils -ge 2 ]; then
                cp "$racine" "$capture"
                return 0
            fi
        else
            pareils=0
        fi
        mv "$courant" "$precedent"
        if [ "$(date +%s)" -ge "$fin" ]; then
            cp "$racine" "$capture"
            [ $vu -eq 0 ] && return 2
            return 1
        fi
        if [ -n "$PROGRAMME_PID" ] && ! kill -0 "$PROGRAMME_PID" 2> /dev/null; then
            arret "le programme s'est arrêté (journal : $(tail -n 3 "$JOURNAL" 2> /dev/null))"
        fi
        sleep 0.15
    done
}

# The window part of a capture, for comparisons.
partie() {
    local capture=$1 nom=$2
    shift 2
    decouper "$capture" "${capture%.png}-$nom.png" "$@"
    echo "${capture%.png}-$nom.png"
}

# ---- Windows, keys and clicks. ----

# geometrie ID: G_X, G_Y, G_WIDTH, G_HEIGHT.
geometrie() {
    eval "$(xdotool getwindowgeometry --shell "$1" | sed 's/^/G_/')"
}

# The main window: the visible one named Quilmaret, 800 x 600.
attendre_principale() {
    local fin=$(($(date +%s) + 30)) w
    while [ "$(date +%s)" -lt "$fin" ]; do
        kill -0 "$PROGRAMME_PID" 2> /dev/null || arret "le programme s'est arrêté au démarrage : $(tail -n 3 "$JOURNAL")"
        for w in $(xdotool search --onlyvisible --name '^Quilmaret' 2> /dev/null); do
            geometrie "$w"
            if [ "$G_WIDTH" = 800 ] && [ "$G_HEIGHT" = 600 ]; then
                PRINCIPALE=$w
                FX=$G_X
                FY=$G_Y
                return 0
            fi
        done
        sleep 0.2
    done
    return 1
}

# attendre_fenetre MOTIF: the visible window whose title matches, in FENETRE
# with its place in DX, DY.
attendre_fenetre() {
    FENETRE=$(timeout 20 xdotool search --sync --onlyvisible --name "$1" 2> /dev/null | head -n 1)
    [ -n "$FENETRE" ] || return 1
    geometrie "$FENETRE"
    DX=$G_X
    DY=$G_Y
}

attendre_fermeture() {
    local fin=$(($(date +%s) + 20))
    while [ "$(date +%s)" -lt "$fin" ]; do
        xdotool search --onlyvisible --name "$1" > /dev/null 2>&1 || return 0
        sleep 0.15
    done
    return 1
}

# The keyboard to a window, as a window manager gives it.
focaliser() {
    timeout 5 xdotool windowfocus --sync "$1" 2> /dev/null || true
}

# clic X Y: a click in the main window, then the pointer goes out of the way.
clic() {
    xdotool mousemove --sync $((FX + $1)) $((FY + $2)) click 1
}

eloigner() {
    xdotool mousemove $((FX + NEUTRE[0])) $((FY + NEUTRE[1]))
}

# clicfenetre X Y: a click in the window FENETRE.
clicfenetre() {
    xdotool mousemove --sync $((DX + $1)) $((DY + $2)) click 1
}

taper() {
    xdotool type --delay 60 "$1"
}

touches() {
    xdotool key --delay 60 "$@"
}

# ---- The program. ----

enregistrement() {
    "$PYTHON" "$OUTILS" enregistrement "$1" "$2"
}

verifier_marque() {
    local attendu=$1 lu
    lu=$(enregistrement "$DOSSIER/TEMP1S.TMP" 9 2>&1)
    if [ "$lu" = "$attendu" ]; then
        ok "TEMP1S.TMP, enregistrement 9 : « $lu »"
    else
        echec "TEMP1S.TMP, enregistrement 9 : « $lu » au lieu de « $attendu »"
    fi
}

SESSION=0
demarrer() {
    SESSION=$((SESSION + 1))
    JOURNAL="$TRAVAIL/programme-$SESSION.log"
    # The program runs on the virtual screen whatever platform the caller's
    # environment asks the tests for, at the window's own size (the path's
    # clicks are in its pixels; this 1280 x 1024 screen would get 1.25), and
    # without a scale the account may have remembered.
    (cd "$DOSSIER" && lancer env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 XDG_CONFIG_HOME="$TRAVAIL/config" ./quilmaret < /dev/null > "$JOURNAL" 2>&1) &
    PROGRAMME_PID=$!
    attendre_principale || arret "la fenêtre principale « Quilmaret » n'apparaît pas"
    focaliser "$PRINCIPALE"
    eloigner
}

# Fermer, then OK in its question; the program must end of itself.
fermer() {
    clic 756 20
    attendre_fenetre '^Fermer$' || arret "« &Fermer » n'ouvre pas la question « Quitter vraiment ce simulateur ? »"
    ok "question de fermeture"
    sleep 0.3
    ecran "$1"
    focaliser "$FENETRE"
    touches Return
    local fin=$(($(date +%s) + 20))
    while kill -0 "$PROGRAMME_PID" 2> /dev/null; do
        [ "$(date +%s)" -lt "$fin" ] || arret "le programme ne s'arrête pas après « OK » dans « Quitter vraiment ce simulateur ? »"
        sleep 0.1
    done
    wait "$PROGRAMME_PID"
    local code=$?
    PROGRAMME_PID=""
    if [ $code -eq 0 ]; then ok "le programme s'est terminé (code 0)"; else echec "le programme s'est terminé avec le code $code"; fi
}

# The table is on screen, not the equation tools over it: the thick line
# between reactants and products is there, the tools' background is not.
tableau_visible() {
    local image=$1 quoi=$2 outils ligne
    outils=$(compter "$image" "$FONDOUTILS" "${P3[@]}")
    ligne=$(couleur "$image" $((P3[0] + 2 * COLONNE)) $((P3[1] + 60)))
    if [ "$outils" -eq 0 ] && [ "$ligne" = "0 0 0" ]; then
        ok "$quoi : le tableau est affiché"
    else
        echec "$quoi : le tableau n'est pas affiché ($outils pixels du fond des outils d'équation dans la zone du tableau, trait réactifs/produits « $ligne »)"
    fi
}

# barres IMAGE K: pixels of the current state's bars in column K.
barres() {
    compter "$1" "$BLEU" $((P3[0] + ($2 - 1) * COLONNE + 2)) $((P3[1] + 26)) $((COLONNE - 4)) 99
}

# comparer_zones A B NOM: two captures must show the same equation, table and scale.
comparer_zones() {
    local a=$1 b=$2 quoi=$3 zone n z
    for zone in P2I P3 P4; do
        case $zone in
            P2I) z=("${P2I[@]}") ;;
            P3) z=("${P3[@]}") ;;
            P4) z=("${P4[@]}") ;;
        esac
        n=$(difference "$(partie "$a" "$zone" "${z[@]}")" "$(partie "$b" "$zone" "${z[@]}")")
        if [ "$n" -eq 0 ]; then
            ok "$quoi : $zone identique"
        else
            echec "$quoi : $zone diffère de $n pixels ($(basename "$a") / $(basename "$b"))"
        fi
    done
}

# ---- The path. ----

mkdir -p "$CAPTURES" "$TRAVAIL/series" || exit 1
rm -f "$CAPTURES"/*.png "$CAPTURES"/*.C02 "$CAPTURES"/*.TMP "$CAPTURES"/*.log

etape "1. démarrage dans une copie du dossier du programme"
mkdir -p "$DOSSIER"
[ -x "$SOURCE/quilmaret" ] || arret "programme absent : $SOURCE/quilmaret"
for f in TIXU.hlp QUILMARET.PEM exercices images; do
    [ -e "$SOURCE/$f" ] || arret "contenu absent : $SOURCE/$f (cibles quilmaret et donnees à construire)"
done
compgen -G "$SOURCE/*.E07" > /dev/null || arret "aucun exercice .E07 dans $SOURCE (cible donnees à construire)"
cp -r "$SOURCE/quilmaret" "$SOURCE/TIXU.hlp" "$SOURCE/QUILMARET.PEM" "$SOURCE"/*.E07 \
    "$SOURCE/exercices" "$SOURCE/images" "$DOSSIER/" || arret "copie du dossier du programme impossible"
demarrerxvfb || arret "Xvfb ne démarre pas : $(tail -n 3 "$TRAVAIL/xvfb.log" 2> /dev/null)"
ok "écran virtuel $DISPLAY"
demarrer
ok "fenêtre principale $PRINCIPALE en $FX,$FY"
attendre_image "$CAPTURES/01-depart.png" || arret "l'écran de départ ne se stabilise pas"
DEPART="$CAPTURES/01-depart.png"
verifier_marque OUI

etape "2. saisie de l'équation ionique Cu²⁺ + HO⁻ = Cu(OH)₂ (non ajustée)"
fenetre "$DEPART" "$TRAVAIL/avant.png"
clic $((P2[0] + 300)) $((P2[1] + 20))
# A lower-case letter after a capital stays lower-case; Up switches to the
# superscript; the digit after ")" is a subscript; "-" is a charge.
taper "cu"
touches Up
taper "2++HO-=Cu(OH)2"
eloigner
attendre_image "$CAPTURES/02-equation-non-ajustee.png" "$TRAVAIL/avant.png" ||
    arret "l'équation tapée n'apparaît pas"
FAUSSE="$CAPTURES/02-equation-non-ajustee.png"
n=$(compter "$FAUSSE" "$MARINE" "${P2I[@]}")
[ "$n" -gt 40 ] && ok "équation dessinée ($n pixels)" || echec "l'équation n'est pas dessinée ($n pixels bleu marine)"
n=$(compter "$FAUSSE" "$ROUGE" "${P2I[@]}")
[ "$n" -eq 0 ] && ok "aucun coefficient" || echec "un coefficient rouge apparaît alors qu'aucun n'a été tapé ($n pixels)"

etape "3. « Vérifier l'équation chimique » : la grille de comptage"
fenetre "$FAUSSE" "$TRAVAIL/avant.png"
clic $((96 + 212 + 110)) $((88 + 72 + 24))
attendre_fenetre "^La stoechiom.+trie n'est pas v.+rifi.+e$" ||
    arret "la fenêtre « La stoechiométrie n'est pas vérifiée » n'apparaît pas"
ok "fenêtre « La stoechiométrie n'est pas vérifiée » ($FENETRE)"
sleep 0.5
ecran "$CAPTURES/03-grille.png"
n=$(convert "$CAPTURES/03-grille.png" -crop "${G_WIDTH}x${G_HEIGHT}+$DX+$DY" +repage ppm:- |
    "$PYTHON" "$OUTILS" compter $ROSEGRILLE 0 0 "$G_WIDTH" "$G_HEIGHT")
[ "$n" -gt 0 ] && ok "la grille marque les comptes qui diffèrent" || echec "la grille ne marque aucun compte en défaut"
focaliser "$FENETRE"
touches Return
attendre_fermeture "^La stoechiom.+trie n'est pas v.+rifi.+e$" || arret "Entrée ne ferme pas la grille de comptage"
ok "grille fermée par Entrée"

etape "4. correction (2 devant HO⁻) et « Tableau d'avancement »"
focaliser "$PRINCIPALE"
# A click far right puts the caret at the end; Home, then five steps right
# (a marked character counts as one) bring it before "HO".
clic $((P2[0] + 600)) $((P2[1] + 20))
touches Home Right Right Right Right Right
taper "2"
eloigner
attendre_image "$CAPTURES/04-equation-ajustee.png" "$TRAVAIL/avant.png" || arret "la correction n'apparaît pas"
AJUSTEE="$CAPTURES/04-equation-ajustee.png"
n=$(compter "$AJUSTEE" "$ROUGE" "${P2I[@]}")
[ "$n" -gt 0 ] && ok "coefficient 2 en rouge ($n pixels)" || echec "le coefficient 2 n'apparaît pas en rouge"
fenetre "$AJUSTEE" "$TRAVAIL/avant.png"
clic $((96 + 452 + 110)) $((88 + 72 + 24))
eloigner
attendre_image "$CAPTURES/05-tableau.png" "$TRAVAIL/avant.png" || arret "« Tableau d'avancement » ne change rien"
if xdotool search --onlyvisible --name "^La stoechiom" > /dev/null 2>&1; then
    arret "l'équation corrigée est jugée non ajustée"
fi
tableau_visible "$CAPTURES/05-tableau.png" "après « Tableau d'avancement »"

etape "5. quantités initiales 0,03 et 0,05 sous les réactifs"
# A click in the top band of a reactant's column opens the amount box; Enter commits.
quantite() {
    local colonne=$1 texte=$2 avant="$TRAVAIL/avant-quantite.png"
    ecran "$TRAVAIL/racine.png"
    fenetre "$TRAVAIL/racine.png" "$avant"
    clic $((P3[0] + (colonne - 1) * COLONNE + COLONNE / 2)) $((P3[1] + 12))
    eloigner
    local fin=$(($(date +%s) + 10))
    while :; do
        ecran "$TRAVAIL/racine.png"
        fenetre "$TRAVAIL/racine.png" "$TRAVAIL/courant.png"
        memes "$TRAVAIL/courant.png" "$avant" || break
        [ "$(date +%s)" -lt "$fin" ] || arret "un clic sous le réactif $colonne n'ouvre pas la saisie de la quantité"
        sleep 0.1
    done
    cp "$TRAVAIL/racine.png" "$CAPTURES/06-saisie-$colonne.png"
    taper "$texte"
    touches Return
}
quantite 1 "0,03"
quantite 2 "0,05"
attendre_image "$CAPTURES/07-quantites.png" || arret "le tableau ne se stabilise pas après la saisie"
INITIAL="$CAPTURES/07-quantites.png"
tableau_visible "$INITIAL" "après la saisie des quantités"
for k in 1 2; do
    n=$(compter "$INITIAL" "$MARINE" $((P3[0] + (k - 1) * COLONNE + 2)) $((P3[1] + 2)) $((COLONNE - 4)) 22)
    [ "$n" -gt 10 ] && ok "quantité initiale écrite sous le réactif $k" || echec "aucune quantité initiale écrite sous le réactif $k"
done
BARRES_INITIAL=()
for k in 1 2 3; do BARRES_INITIAL[$k]=$(barres "$INITIAL" $k); done
[ "${BARRES_INITIAL[1]}" -gt 0 ] && [ "${BARRES_INITIAL[2]}" -gt 0 ] && [ "${BARRES_INITIAL[3]}" -eq 0 ] &&
    ok "état initial : barres des réactifs (${BARRES_INITIAL[1]}, ${BARRES_INITIAL[2]} pixels), aucune pour le produit" ||
    echec "état initial : barres ${BARRES_INITIAL[1]}, ${BARRES_INITIAL[2]}, ${BARRES_INITIAL[3]} pixels (réactifs pleins, produit vide attendus)"

etape "6. état final (bouton « Etat final » de l'animation)"
fenetre "$INITIAL" "$TRAVAIL/avant.png"
clic $((222 + 30 + 14)) $((272 + 14))
eloigner
attendre_image "$CAPTURES/08-etat-final.png" "$TRAVAIL/avant.png" 10
case $? in
    0) ok "le tableau passe à l'état final" ;;
    2) echec "le bouton « Etat final » ne change rien au tableau (curseur d'avancement inactif ?)" ;;
    *) echec "le tableau ne se stabilise pas après « Etat final »" ;;
esac
FINAL="$CAPTURES/08-etat-final.png"
BARRES_FINAL=()
for k in 1 2 3; do BARRES_FINAL[$k]=$(barres "$FINAL" $k); done
# Cu²⁺ is left over, HO⁻ is used up, Cu(OH)₂ is formed.
[ "${BARRES_FINAL[1]}" -gt 0 ] && [ "${BARRES_FINAL[1]}" -lt "${BARRES_INITIAL[1]}" ] &&
    [ "${BARRES_FINAL[2]}" -eq 0 ] && [ "${BARRES_FINAL[3]}" -gt 0 ] &&
    ok "état final : Cu²⁺ en reste, HO⁻ épuisé, Cu(OH)₂ formé" ||
    echec "état final : barres ${BARRES_FINAL[1]}, ${BARRES_FINAL[2]}, ${BARRES_FINAL[3]} pixels (attendu : moins que ${BARRES_INITIAL[1]}, 0, plus que 0)"

etape "7. « &Enregistrer » la série"
clic 220 20
attendre_fenetre '^Enregistrer les param.+tres\.$' || arret "la fenêtre « Enregistrer les paramètres. » n'apparaît pas"
ok "fenêtre « Enregistrer les paramètres. »"
sleep 0.3
ecran "$CAPTURES/09-enregistrer.png"
clicfenetre $((12 + 208)) $((26 + 11))
touches ctrl+a
taper "$SERIE"
touches Return
attendre_fermeture '^Enregistrer les param.+tres\.$' || arret "Entrée ne ferme pas la fenêtre d'enregistrement"
# The window manager would give the main window the keyboard back.
focaliser "$PRINCIPALE"
eloigner
attendre_image "$CAPTURES/10-apres-enregistrement.png" || arret "l'écran ne se stabilise pas après l'enregistrement"
[ -f "$SERIE" ] && ok "fichier $SERIE écrit" || arret "le fichier $SERIE n'a pas été écrit"
titre=$(xdotool getwindowname "$PRINCIPALE")
[ "$titre" = "Quilmaret - $SERIE" ] && ok "titre « $titre »" || echec "titre « $titre » au lieu de « Quilmaret - $SERIE »"
tableau_visible "$CAPTURES/10-apres-enregistrement.png" "après l'enregistrement"

etape "8. « &Fermer » et « Quitter vraiment ce simulateur ? »"
fermer "$CAPTURES/11-quitter.png"
verifier_marque NON

etape "9. les enregistrements du fichier .C02"
attendu=([1]="QUILMARET" [2]="Cu*2*++2HO*-=Cu(OH)#2" [3]=" .03" [4]=" .05" [14]="" [122]="" [123]=" 1" [124]=" 0" [125]=" 1")
for k in 5 6 7 8 9 10 11 12 13; do attendu[$k]=" 0"; done
n=$("$PYTHON" "$OUTILS" taille "$SERIE")
[ "$n" = 125 ] && ok "125 enregistrements" || echec "$n enregistrements au lieu de 125"
faux=0
for k in $(printf '%s\n' "${!attendu[@]}" | sort -n); do
    lu=$(enregistrement "$SERIE" "$k" 2>&1)
    if [ "$lu" != "${attendu[$k]}" ]; then
        echec "enregistrement $k : « $lu » au lieu de « ${attendu[$k]} »"
        faux=$((faux + 1))
    fi
done
[ $faux -eq 0 ] && ok "enregistrements 1 à 14 et 122 à 125 comme attendu (équation « ${attendu[2]} », quantités « ${attendu[3]} », « ${attendu[4]} »)"

etape "10. nouveau démarrage et « &Ouvrir » la série"
demarrer
attendre_image "$CAPTURES/12-redemarrage.png" || arret "l'écran de départ ne se stabilise pas"
REDEMARRAGE="$CAPTURES/12-redemarrage.png"
verifier_marque OUI
clic 132 20
attendre_fenetre '^Ouvrir une configuration$' || arret "la fenêtre « Ouvrir une configuration » n'apparaît pas"
ok "fenêtre « Ouvrir une configuration »"
sleep 0.3
ecran "$CAPTURES/13-ouvrir.png"
clicfenetre $((12 + 208)) $((240 + 11))
touches ctrl+a
taper "$SERIE"
clicfenetre $((92 + 60)) $((274 + 14)) # OUVRIR
attendre_fermeture '^Ouvrir une configuration$' || arret "« OUVRIR » ne ferme pas la fenêtre d'ouverture"
focaliser "$PRINCIPALE"
eloigner
fenetre "$REDEMARRAGE" "$TRAVAIL/avant.png"
attendre_image "$CAPTURES/14-reouvert.png" "$TRAVAIL/avant.png" || arret "l'ouverture de la série ne change pas l'écran"
REOUVERT="$CAPTURES/14-reouvert.png"
titre=$(xdotool getwindowname "$PRINCIPALE")
[ "$titre" = "Quilmaret - $SERIE" ] && ok "titre « $titre »" || echec "titre « $titre » au lieu de « Quilmaret - $SERIE »"
tableau_visible "$REOUVERT" "après l'ouverture"
# The saved equation and amounts come back as the pupil left them at the
# initial state; and they are no empty screen.
comparer_zones "$INITIAL" "$REOUVERT" "état initial saisi / après ouverture"
comparer_zones "$CAPTURES/10-apres-enregistrement.png" "$REOUVERT" "juste avant la fermeture / après ouverture"
n=$(difference "$(partie "$DEPART" P3 "${P3[@]}")" "$(partie "$REOUVERT" P3 "${P3[@]}")")
[ "$n" -gt 1000 ] && ok "le tableau rouvert diffère de l'écran de départ ($n pixels)" ||
    echec "le tableau rouvert ne diffère de l'écran de départ que de $n pixels"
n=$(difference "$(partie "$DEPART" P2I "${P2I[@]}")" "$(partie "$REOUVERT" P2I "${P2I[@]}")")
[ "$n" -gt 100 ] && ok "l'équation rouverte diffère de l'écran de départ ($n pixels)" ||
    echec "l'équation rouverte ne diffère de l'écran de départ que de $n pixels"

etape "11. état final après l'ouverture"
fenetre "$REOUVERT" "$TRAVAIL/avant.png"
clic $((222 + 30 + 14)) $((272 + 14))
eloigner
attendre_image "$CAPTURES/15-reouvert-etat-final.png" "$TRAVAIL/avant.png" 10
case $? in
    0) ok "le tableau passe à l'état final" ;;
    2) echec "le bouton « Etat final » ne change rien au tableau rouvert" ;;
    *) echec "le tableau rouvert ne se stabilise pas après « Etat final »" ;;
esac
comparer_zones "$FINAL" "$CAPTURES/15-reouvert-etat-final.png" "état final avant fermeture / après ouverture"

etape "12. seconde fermeture"
fermer "$CAPTURES/16-quitter.png"
verifier_marque NON
