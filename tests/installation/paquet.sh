#!/usr/bin/env bash
# The Debian package made by cpack from this build: its control data, lintian,
# then, unpacked into a temporary root with its postinst run there, the same
# tree as the installation, the teacher's command, the program started by a
# user who is not root, and the removal, which leaves nothing behind.
#
#   paquet.sh DOSSIER VERSION   (DOSSIER holds quilmaret_VERSION_<arch>.deb)
set -euo pipefail
dossier=$1
version=$2
source=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
temporaire=$(mktemp -d)
pid=
trap '[[ -n $pid ]] && kill "$pid" 2>/dev/null; rm -rf "$temporaire"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }
source "$source/tests/installation/arbre.sh"

shopt -s nullglob
paquets=("$dossier"/quilmaret_"$version"_*.deb)
(( ${#paquets[@]} == 1 )) || echec "pas un seul paquet quilmaret_${version}_*.deb dans $dossier"
deb=${paquets[0]}

# Control data: the version everywhere, the libraries found by dpkg-shlibdeps.
[[ $(dpkg-deb -f "$deb" Version) == "$version" ]] || echec "version du paquet"
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation fonts-dejavu-core \
         tango-icon-theme; do
  [[ ", $depends," == *", $d "* || ", $depends," == *", $d,"* ]] || echec "le paquet ne dépend pas de $d : $depends"
done
[[ $(head -1 "$source/paquet/changelog") == "quilmaret ($version) "* ]] || echec "le changelog n'est pas à la version $version"
grep -q "<release version=\"$version\"" "$source/desktop/fr.quilmaret.Quilmaret.metainfo.xml" ||
  echec "la fiche AppStream n'a pas de <release> $version"

if command -v lintian >/dev/null; then
  lintian --fail-on error,warning "$deb" > "$temporaire/lintian" 2>&1 || { cat "$temporaire/lintian" >&2; echec "lintian"; }
else
  echo "lintian absent : non lancé"
fi

# Every file belongs to root and only root may write it.
dpkg-deb --fsys-tarfile "$deb" | tar -tvf - > "$temporaire/contenu"
awk '$2 != "root/root" || (substr($1, 1, 1) != "l" && (substr($1, 6, 1) == "w" || substr($1, 9, 1) == "w"))' \
  "$temporaire/contenu" | grep . && echec "fichiers à un autre que root ou accessibles en écriture"

# Unpacked as dpkg would, then configured.
racine="$temporaire/racine"
dpkg-deb -x "$deb" "$racine"
dpkg-deb -e "$deb" "$temporaire/controle"
chmod 755 "$temporaire"
DPKG_ROOT="$racine" sh "$temporaire/controle/postinst" configure
echange="$racine/usr/lib/quilmaret/TEMP1S.TMP"
[[ -f $echange && ! -L $echange ]] || echec "postinst n'a pas créé TEMP1S.TMP"
[[ $(stat -c %a "$echange") == 666 ]] || echec "TEMP1S.TMP n'est pas en mode 666 : $(stat -c %a "$echange")"
verifierarbre "$racine"

# A pupil or a teacher: nobody when the test runs as root.
utilisateur=()
if (( $(id -u) == 0 )); then
  utilisateur=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
  chown nobody:nogroup "$temporaire"
fi
eleve() { "${utilisateur[@]}" env HOME="$temporaire" QT_QPA_PLATFORM=offscreen "$@"; }

# The teacher's command, from the package alone, on the README's example.
cp -r "$racine/usr/share/doc/quilmaret/exemple" "$temporaire/prof"
[[ ${#utilisateur[@]} == 0 ]] || chown -R nobody:nogroup "$temporaire/prof"
(cd "$temporaire/prof" && eleve "$racine/usr/bin/quilmaret-exercices" >/dev/null) || echec "quilmaret-exercices a échoué"
[[ $(stat -c %s "$temporaire/prof/propane.E07") == 1920 ]] || echec "quilmaret-exercices n'a pas écrit propane.E07"

# The program, started by its link, writes "OUI" in the file made by postinst,
# in place: the file stays root's.
eleve "$racine/usr/bin/quilmaret" >"$temporaire/sortie" 2>&1 &
pid=$!
for _ in $(seq 100); do
  [[ $(enregistrement9 "$echange") == OUI ]] && break
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null || { cat "$temporaire/sortie" >&2; echec "le programme s'est arrêté"; }
kill "$pid"
wait "$pid" 2>/dev/null || true
pid=
[[ $(enregistrement9 "$echange") == OUI ]] || echec "l'enregistrement 9 du fichier d'échange vaut « $(enregistrement9 "$echange") »"
[[ $(stat -c '%u %a' "$echange") == "$(id -u) 666" ]] || echec "TEMP1S.TMP recréé : $(stat -c '%U %a' "$echange")"

# Removal as dpkg does it: prerm, the package's files, then its folders when
# empty, then postrm on purge. Nothing is left.
DPKG_ROOT="$racine" sh "$temporaire/controle/prerm" remove
dpkg-deb --fsys-tarfile "$deb" | tar -tf - | sed 's#^\./##; s#/$##' | grep . | sort -r > "$temporaire/chemins"
while read -r chemin; do
  if [[ -d "$racine/$chemin" && ! -L "$racine/$chemin" ]]; then
    rmdir "$racine/$chemin" 2>/dev/null || echec "dossier non vide après le retrait : $chemin ($(ls -A "$racine/$chemin"))"
  else
    rm -f "$racine/$chemin"
  fi
done < "$temporaire/chemins"
DPKG_ROOT="$racine" sh "$temporaire/controle/postrm" remove
DPKG_ROOT="$racine" sh "$temporaire/controle/postrm" purge
reste=$(find "$racine" -mindepth 1 -printf '%P ')
[[ -z $reste ]] || echec "reste après le retrait : $reste"
echo "paquet conforme : $(basename "$deb")"
