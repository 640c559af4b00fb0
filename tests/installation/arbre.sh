# The installed tree under a root (a DESTDIR or an unpacked package), as a
# desktop and a school's machine will find it: the program's own folder with
# its data, the commands on the PATH, the menu entry, the icons, the
# software-centre data, the manual pages and the documentation.
# Sourced; needs echec (prints and exits).

verifierarbre() {
  local p="$1/usr"
  local programme="$p/lib/quilmaret"

  [[ -x "$programme/quilmaret" ]] || echec "le programme n'est pas dans lib/quilmaret"
  [[ -x "$programme/quilmaret-exercices" ]] || echec "quilmaret-exercices n'est pas dans lib/quilmaret"
  for f in TIXU.hlp QUILMARET.PEM; do
    [[ -f "$programme/$f" ]] || echec "$f manque à côté du programme"
  done
  exercices=$(find "$programme" -maxdepth 1 -name '*.E07' | wc -l)
  (( exercices >= 8 )) || echec "seulement $exercices exercices installés"
  [[ -n $(find "$programme/exercices" -name '*.rtf' -print -quit) ]] || echec "les énoncés manquent"
  [[ -n $(find "$programme/images" -name '*.png' -print -quit) ]] || echec "les images manquent"
  # Nothing else: no file of the build came along.
  local intrus
  intrus=$(find "$programme" -mindepth 1 -maxdepth 1 ! -name '*.E07' ! -name QUILMARET.PEM ! -name TIXU.hlp \
    ! -name quilmaret ! -name quilmaret-exercices ! -name exercices ! -name images ! -name TEMP1S.TMP -printf '%f ')
  [[ -z $intrus ]] || echec "installés en trop : $intrus"

  local commande
  for commande in quilmaret quilmaret-exercices; do
    [[ -L "$p/bin/$commande" ]] || echec "pas de lien bin/$commande"
    [[ $(readlink -f "$p/bin/$commande") == $(readlink -f "$programme/$commande") ]] ||
      echec "le lien bin/$commande ne mène pas au programme"
    [[ -f "$p/share/man/man1/$commande.1.gz" ]] || echec "pas de page de manuel pour $commande"
  done

  local bureau="$p/share/applications/fr.quilmaret.Quilmaret.desktop"
  [[ -f "$bureau" ]] || echec "pas d'entrée de menu"
  grep -q '^Categories=Education;Chemistry;$' "$bureau" || echec "catégories de l'entrée de menu"
  grep -q '^Exec=quilmaret$' "$bureau" || echec "commande de l'entrée de menu"
  if command -v desktop-file-validate >/dev/null; then
    # Not even a hint.
    desktop-file-validate "$bureau" | grep . && echec "entrée de menu refusée"
  fi
  [[ -f "$p/share/icons/hicolor/scalable/apps/fr.quilmaret.Quilmaret.svg" ]] || echec "pas d'icône SVG"
  [[ -f "$p/share/icons/hicolor/256x256/apps/fr.quilmaret.Quilmaret.png" ]] || echec "pas d'icône 256x256"
  local meta="$p/share/metainfo/fr.quilmaret.Quilmaret.metainfo.xml"
  [[ -f "$meta" ]] || echec "pas de fichier AppStream"
  if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$meta" >/dev/null || echec "fichier AppStream refusé"
  fi

  local doc="$p/share/doc/quilmaret"
  for f in copyright changelog.gz README.md docs/capture.png exemple/exercices.txt; do
    [[ -f "$doc/$f" ]] || echec "$f manque dans share/doc/quilmaret"
  done
}

# Record 9 of the exchange file: "OUI" while the program runs.
enregistrement9() {
  dd if="$1" bs=1 skip=$((8 * 128 + 2)) count=3 2>/dev/null
}
