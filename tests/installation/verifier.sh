#!/usr/bin/env bash
# Installs the build into a temporary root, checks the installed tree, then
# starts the program through its link.
set -euo pipefail
build=$1
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }
source "$(dirname "${BASH_SOURCE[0]}")/arbre.sh"

DESTDIR="$racine" cmake --install "$build" --prefix /usr >/dev/null
verifierarbre "$racine"
programme="$racine/usr/lib/quilmaret"

# Started through the link, the program finds its folder: it marks itself
# running in the exchange file there.
QT_QPA_PLATFORM=offscreen "$racine/usr/bin/quilmaret" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  [[ -s "$programme/TEMP1S.TMP" ]] && break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[[ -s "$programme/TEMP1S.TMP" ]] || echec "le programme lancé par le lien n'a pas trouvé son dossier"
etat=$(enregistrement9 "$programme/TEMP1S.TMP")
[[ $etat == OUI ]] || echec "l'enregistrement 9 du fichier d'échange vaut « $etat »"
echo "installation conforme ($exercices exercices)"
