#!/usr/bin/env bash
# The main window on a 1024 x 768 virtual screen: centred at start-up, its
# frame included, under a window manager and without one, and back at
# 800 x 600 in the middle after a resize.
#
#   centrage.sh DOSSIER_PROGRAMME
set -u -o pipefail
exec < /dev/null
SOURCE=$(cd "$1" && pwd) || exit 2
TRAVAIL=$(mktemp -d "${TMPDIR:-/tmp}/quilmaret-centrage.XXXXXX") || exit 1
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

# A display number of its own, written back by Xvfb once it listens.
ecranvirtuel() {
    local pret="$TRAVAIL/affichage-$1"
    Xvfb -screen 0 1024x768x24 -nolisten tcp -noreset -displayfd 1 > "$pret" 2> /dev/null &
    PIDS+=($!)
    for _ in $(seq 100); do
        [ -s "$pret" ] && { export DISPLAY=":$(cat "$pret")"; return 0; }
        sleep 0.1
    done
    return 1
}

# position: "X Y L H" of the client area, and the frame's left, right, top, bottom.
position() {
    xwininfo -id "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width/ {w=$NF} /^ *Height/ {h=$NF} END {print x, y, w, h}'
}
bords() {
    local b
    b=$(xprop -id "$1" _NET_FRAME_EXTENTS 2> /dev/null | sed -n 's/.*= *//p' | tr -d ',')
    echo "${b:-0 0 0 0}"
}

# attendre ATTENDU WINDOW: the geometry settles on ATTENDU within 5 s.
attendre() {
    local vu
    for _ in $(seq 50); do
        vu=$(position "$2")
        [ "$vu" = "$1" ] && return 0
        sleep 0.1
    done
    echo "$vu"
    return 1
}

essai() {
    local nom=$1 gestionnaire=$2 w vu
    ecranvirtuel "$nom" || { echec "$nom : Xvfb ne démarre pas"; return; }
    if [ -n "$gestionnaire" ]; then
        "$gestionnaire" > /dev/null 2>&1 &
        PIDS+=($!)
        sleep 1
    fi
    (cd "$TRAVAIL/programme" && QT_QPA_PLATFORM=xcb QT_SCALE_FACTOR=1 XDG_CONFIG_HOME="$TRAVAIL/config" ./quilmaret > "$TRAVAIL/$nom.log" 2>&1) &
    PIDS+=($!)
    w=""
    for _ in $(seq 100); do
        w=$(xdotool search --onlyvisible --name '^Quilmaret$' 2> /dev/null | head -1)
        [ -n "$w" ] && break
        sleep 0.1
    done
    [ -n "$w" ] || { echec "$nom : la fenêtre principale n'apparaît pas"; return; }
    sleep 1
    read -r g d h b <<< "$(bords "$w")"
    # The outer frame in the middle of the screen, the client area inside it.
    local attendu="$(((1024 - 800 - g - d) / 2 + g)) $(((768 - 600 - h - b) / 2 + h)) 800 600"
    if vu=$(attendre "$attendu" "$w"); then
        echo "ok — $nom : centrée au démarrage ($attendu, bords $g $d $h $b)"
    else
        echec "$nom : au démarrage « $vu » au lieu de « $attendu » (bords $g $d $h $b)"
    fi
    xdotool windowsize "$w" 500 400
    sleep 1 # the resize seen and answered
    if vu=$(attendre "$attendu" "$w"); then
        echo "ok — $nom : revenue au centre après un redimensionnement"
    else
        echec "$nom : après un redimensionnement « $vu » au lieu de « $attendu »"
    fi
}

essai "sans-gestionnaire" ""
if command -v jwm > /dev/null; then
    essai "jwm" jwm
else
    echec "jwm absent : le centrage avec un cadre n'est pas vérifié"
fi
[ "$ECHECS" -eq 0 ]
