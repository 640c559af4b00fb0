#!/usr/bin/env bash
# The package on a fresh Debian 12 without the source nor a compiler: a
# minimal system made by debootstrap, where apt installs the package with its
# dependencies; a pupil's account starts the program, a teacher's account makes
# the README's exercise, then the package is purged and leaves nothing.
# Run by hand, as root, with debootstrap installed and a Debian mirror at hand
# (about 120 MB downloaded, a minute or two):
#
#   sudo bash tests/installation/chroot.sh paquets/quilmaret_<version>_amd64.deb
set -euo pipefail
deb=$(realpath "$1")
miroir=${QUILMARET_MIROIR:-http://deb.debian.org/debian}
racine=$(mktemp -d)
chmod 755 "$racine"
trap 'umount "$racine/proc" 2>/dev/null || true; rm -rf "$racine"' EXIT
echec() { echo "ÉCHEC : $*" >&2; exit 1; }

debootstrap --variant=minbase bookworm "$racine" "$miroir" >/dev/null
cp "$deb" "$racine/tmp/quilmaret.deb"
mount -t proc proc "$racine/proc"
chroot "$racine" sh -c 'apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
  --no-install-recommends /tmp/quilmaret.deb' >/dev/null || echec "apt n'a pas installé le paquet"
! chroot "$racine" sh -c 'command -v c++ || command -v cmake' || echec "un compilateur est installé"

chroot "$racine" sh -euc '
  useradd -m eleve
  useradd -m prof
  # Five seconds of the program for a pupil: it marks itself running.
  su eleve -s /bin/sh -c "cd && QT_QPA_PLATFORM=offscreen timeout 5 quilmaret >/dev/null 2>&1" || [ $? = 124 ]
  etat=$(dd if=/usr/lib/quilmaret/TEMP1S.TMP bs=1 skip=1026 count=3 2>/dev/null)
  [ "$etat" = OUI ] || { echo "ÉCHEC : enregistrement 9 « $etat »" >&2; exit 1; }
  su prof -s /bin/sh -c "mkdir ~/exo && cp /usr/share/doc/quilmaret/exemple/* ~/exo && cd ~/exo && quilmaret-exercices >/dev/null && test -s propane.E07" ||
    { echo "ÉCHEC : quilmaret-exercices" >&2; exit 1; }
  apt-get purge -y -qq quilmaret >/dev/null
  for chemin in /usr/lib/quilmaret /usr/bin/quilmaret /usr/bin/quilmaret-exercices /usr/share/doc/quilmaret; do
    [ ! -e "$chemin" ] || { echo "ÉCHEC : $chemin reste après la purge" >&2; exit 1; }
  done'
echo "Debian 12 neuve : paquet installé, lancé par un élève, exercice fait par un professeur, purgé sans reste"
