#!/usr/bin/env bash
# Installs the build into a temporary root and checks what a desktop and a
# school's machine will find there: the program's own folder with its data,
# the link on the PATH, the menu entry, the icon and the software-centre data.
set -euo pipefail
build=$1
racine=$(mktemp -d)
trap 'rm -rf "$racine"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

DESTDIR="$racine" cmake --install "$build" --prefix /usr >/dev/null
p="$racine/usr"
programme="$p/lib/quilmaret"

[[ -x "$programme/quilmaret" ]] || echec "le programme n'est pas dans lib/quilmaret"
for f in TIXU.hlp QUILMARET.PEM; do
  [[ -f "$programme/$f" ]] || echec "$f manque à côté du programme"
done
exercices=$(find "$programme" -maxdepth 1 -name '*.E07' | wc -l)
(( exercices >= 8 )) || echec "seulement $exercices exercices installés"
[[ -n $(find "$programme/exercices" -name '*.rtf' -print -quit) ]] || echec "les énoncés manquent"
[[ -n $(find "$programme/images" -name '*.png' -print -quit) ]] || echec "les images manquent"
# Nothing else: no file of the build came along.
intrus=$(find "$programme" -mindepth 1 -maxdepth 1 ! -name '*.E07' ! -name QUILMARET.PEM ! -name TIXU.hlp \
  ! -name quilmaret ! -name exercices ! -name images -printf '%f ')
[[ -z $intrus ]] || echec "installés en trop : $intrus"

lien="$p/bin/quilmaret"
[[ -L "$lien" ]] || echec "pas de lien bin/quilmaret"
[[ $(readlink -f "$lien") == $(readlink -f "$programme/quilmaret") ]] || echec "le lien ne mène pas au programme"

bureau="$p/share/applications/fr.quilmaret.Quilmaret.desktop"
[[ -f "$bureau" ]] || echec "pas d'entrée de menu"
grep -q '^Categories=Education;Science;Chemistry;$' "$bureau" || echec "catégories de l'entrée de menu"
grep -q '^Exec=quilmaret$' "$bureau" || echec "commande de l'entrée de menu"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$bureau" | grep -v ': hint:' | grep . && echec "entrée de menu refusée"
fi
[[ -f "$p/share/icons/hicolor/scalable/apps/fr.quilmaret.Quilmaret.svg" ]] || echec "pas d'icône SVG"
[[ -f "$p/share/icons/hicolor/256x256/apps/fr.quilmaret.Quilmaret.png" ]] || echec "pas d'icône 256x256"
meta="$p/share/metainfo/fr.quilmaret.Quilmaret.metainfo.xml"
[[ -f "$meta" ]] || echec "pas de fichier AppStream"
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$meta" >/dev/null || echec "fichier AppStream refusé"
fi

# Started through the link, the program finds its folder: it marks itself
# running in the exchange file there.
QT_QPA_PLATFORM=offscreen "$lien" >/dev/null 2>&1 &
pid=$!
for _ in $(seq 100); do
  [[ -s "$programme/TEMP1S.TMP" ]] && break
  sleep 0.1
done
kill "$pid" 2>/dev/null || true
wait "$pid" 2>/dev/null || true
[[ -s "$programme/TEMP1S.TMP" ]] || echec "le programme lancé par le lien n'a pas trouvé son dossier"
etat=$(dd if="$programme/TEMP1S.TMP" bs=1 skip=$((8 * 128 + 2)) count=3 2>/dev/null)
[[ $etat == OUI ]] || echec "l'enregistrement 9 du fichier d'échange vaut « $etat »"
echo "installation conforme ($exercices exercices)"
