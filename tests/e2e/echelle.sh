#!/usr/bin/env bash
# The program shown scaled on large virtual screens: the scale chosen from the
# screen (1920 x 1080: 1.25, 2560 x 1440: 1.5), one given on the command line
# used and remembered for the next start, the main window 800 x 600 times the
# scale, and the pictures drawn at the screen's resolution, not enlarged from
# 800 x 600. A scale that does not exist is refused.
#
#   echelle.sh DOSSIER_PROGRAMME [PYTHON]
set -u -o pipefail
exec < /dev/null
SOURCE=$(cd "$1" && pwd) || exit 2
PYTHON=${2:-python3}
OUTILS="$(cd "$(dirname "$0")" && pwd)/outils.py"
TRAVAIL=$(mktemp -d "${TMPDIR:-/tmp}/quilmaret-echelle.XXXXXX") || exit 1
# The remembered scale goes there, not into the account's own settings.
export XDG_CONFIG_HOME="$TRAVAIL/config"
# The tests run offscreen; this one needs the program on the X screen.
export QT_QPA_PLATFORM=xcb
unset WAYLAND_DISPLAY
PIDS=()
ECHECS=0
nettoyer() {
    for p in "${PIDS[@]}"; do kill "$p" 2> /dev/null; done
    wait 2> /dev/null
    rm -rf "$TRAVAIL"
}
trap nettoyer EXIT
echec() { echo "ÉCHEC — $*"; ECHECS=$((ECHECS + 1)); }

cp -r "$SOURCE" "$TRAVAIL/programme"

message=$(cd "$TRAVAIL/programme" && ./quilmaret --echelle 3 2>&1 > /dev/null)
code=$?
if [ "$code" -eq 2 ] && [[ "$message" == *"échelle « 3 » inconnue"* ]]; then
    echo "ok — --echelle 3 refusée : $message"
else
    echec "--echelle 3 : code $code, message « $message »"
fi

# ecran L H: a virtual screen of that size, its display number written back
# by Xvfb once it listens.
ecran() {
    local pret="$TRAVAIL/affichage-$1x$2"
    Xvfb -screen 0 "$1x$2x24" -nolisten tcp -noreset -displayfd 1 > "$pret" 2> /dev/null &
    PIDS+=($!)
    for _ in $(seq 100); do
        [ -s "$pret" ] && { export DISPLAY=":$(cat "$pret")"; return 0; }
        sleep 0.1
    done
    echec "Xvfb $1 x $2 ne démarre pas"
    return 1
}

taille() {
    xwininfo -id "$1" | awk '/^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print w, h}'
}

# essai NOM "L H" [OPTIONS...]: the program started with the options, its
# main window L x H within 5 s; the window is left in $FENETRE, the program
# running until arreter.
essai() {
    local nom=$1 attendu=$2 vu=""
    shift 2
    (cd "$TRAVAIL/programme" && exec ./quilmaret "$@" > "$TRAVAIL/$nom.log" 2>&1) &
    PROGRAMME=$!
    PIDS+=($PROGRAMME)
    FENETRE=""
    for _ in $(seq 100); do
        FENETRE=$(xdotool search --onlyvisible --name '^Quilmaret$' 2> /dev/null | head -1)
        [ -n "$FENETRE" ] && break
        sleep 0.1
    done
    [ -n "$FENETRE" ] || { echec "$nom : la fenêtre principale n'apparaît pas"; return 1; }
    for _ in $(seq 50); do
        vu=$(taille "$FENETRE")
        [ "$vu" = "$attendu" ] && break
        sleep 0.1
    done
    if [ "$vu" = "$attendu" ]; then
        echo "ok — $nom : fenêtre de $vu"
    else
        echec "$nom : fenêtre de « $vu » au lieu de « $attendu »"
    fi
}
arreter() {
    kill "$PROGRAMME" 2> /dev/null
    wait "$PROGRAMME" 2> /dev/null
}

if ecran 1920 1080; then
    essai "auto-1920x1080" "1000 750" && arreter
fi
if ecran 2560 1440; then
    essai "auto-2560x1440" "1200 900" && arreter
    if essai "choisie-2" "1600 1200" --echelle 2; then
        sleep 1 # drawn
        # The equation picture's caption column and the "Animation:" caption,
        # at twice their size: drawn sharp, not enlarged pixel by pixel.
        import -window "$FENETRE" -depth 8 "ppm:$TRAVAIL/x2.ppm"
        for zone in "16 96 178 382" "240 552 210 36"; do
            n=$("$PYTHON" "$OUTILS" blocs $zone < "$TRAVAIL/x2.ppm")
            if [ "${n:-0}" -ge 50 ]; then
                echo "ok — à l'échelle 2, $n blocs de 2 x 2 nuancés dans ($zone)"
            else
                echec "à l'échelle 2, ($zone) semble agrandie point par point ($n blocs nuancés)"
            fi
        done
        arreter
    fi
    essai "retenue-2" "1600 1200" && arreter
fi
[ "$ECHECS" -eq 0 ]
