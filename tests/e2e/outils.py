#!/usr/bin/env python3
"""Helpers of the pupil's path test: reading record files and counting pixels.

    outils.py enregistrement FICHIER N      text of record N (numbered from 1)
    outils.py taille FICHIER                number of whole records
    outils.py compter R G B X Y L H < image.ppm
                                            pixels of colour (R, G, B) in the
                                            rectangle at (X, Y), L wide, H high
    outils.py pixel X Y < image.ppm         colour of one pixel, "R G B"
    outils.py blocs X Y L H < image.ppm     2 x 2 blocks of the rectangle that
                                            hold more than one colour, on the
                                            grid of the four where the fewest do
                                            (0 for a picture enlarged twice by
                                            repeating its pixels)

A record is 128 bytes: an unsigned 16-bit little-endian length, then that many
Windows-1252 bytes. The images come from ImageMagick as binary PPM (P6).
"""

import sys

TAILLE = 128


def enregistrement(chemin, numero):
    with open(chemin, "rb") as f:
        f.seek((numero - 1) * TAILLE)
        octets = f.read(TAILLE)
    if not octets:
        return ""  # past the end of the file: an empty record
    if len(octets) < 2:
        raise ValueError("enregistrement %d tronqué" % numero)
    longueur = octets[0] | octets[1] << 8
    if longueur > TAILLE - 2 or 2 + longueur > len(octets):
        raise ValueError("enregistrement %d : longueur %d impossible" % (numero, longueur))
    return octets[2:2 + longueur].decode("cp1252")


def lireppm(flux):
    donnees = flux.read()
    champs = []
    i = 0
    n = len(donnees)
    # Header: magic, width, height, maximum, with comments allowed between them.
    while len(champs) < 4:
        while i < n and donnees[i:i + 1].isspace():
            i += 1
        if i >= n:
            raise ValueError("image PPM attendue, %d octets reçus" % n)
        if donnees[i:i + 1] == b"#":
            while i < n and donnees[i:i + 1] != b"\n":
                i += 1
            continue
        debut = i
        while i < n and not donnees[i:i + 1].isspace():
            i += 1
        champs.append(donnees[debut:i])
    i += 1
    if champs[0] != b"P6" or not all(c.isdigit() for c in champs[1:]) or int(champs[3]) != 255:
        raise ValueError("image PPM 8 bits attendue")
    largeur, hauteur = int(champs[1]), int(champs[2])
    pixels = donnees[i:i + 3 * largeur * hauteur]
    if len(pixels) != 3 * largeur * hauteur:
        raise ValueError("image PPM tronquée")
    return largeur, hauteur, pixels


def compter(flux, couleur, x, y, l, h):
    largeur, hauteur, pixels = lireppm(flux)
    if x < 0 or y < 0 or x + l > largeur or y + h > hauteur:
        raise ValueError("rectangle hors de l'image %dx%d" % (largeur, hauteur))
    cible = bytes(couleur)
    n = 0
    for ligne in range(y, y + h):
        debut = 3 * (ligne * largeur + x)
        morceau = pixels[debut:debut + 3 * l]
        n += sum(1 for k in range(0, 3 * l, 3) if morceau[k:k + 3] == cible)
    return n


def pixel(flux, x, y):
    largeur, hauteur, pixels = lireppm(flux)
    if not (0 <= x < largeur and 0 <= y < hauteur):
        raise ValueError("point hors de l'image %dx%d" % (largeur, hauteur))
    k = 3 * (y * largeur + x)
    return tuple(pixels[k:k + 3])


def blocs(flux, x, y, l, h):
    largeur, hauteur, pixels = lireppm(flux)
    if x < 0 or y < 0 or x + l + 1 > largeur or y + h + 1 > hauteur:
        raise ValueError("rectangle hors de l'image %dx%d" % (largeur, hauteur))

    def couleur(i, j):
        k = 3 * (j * largeur + i)
        return pixels[k:k + 3]

    def melanges(dx, dy):
        return sum(1 for j in range(y + dy, y + h, 2) for i in range(x + dx, x + l, 2)
                   if len({couleur(i, j), couleur(i + 1, j), couleur(i, j + 1), couleur(i + 1, j + 1)}) > 1)

    return min(melanges(dx, dy) for dx in (0, 1) for dy in (0, 1))


def main(args):
    try:
        if args[:1] == ["enregistrement"] and len(args) == 3:
            print(enregistrement(args[1], int(args[2])))
        elif args[:1] == ["taille"] and len(args) == 2:
            with open(args[1], "rb") as f:
                print(len(f.read()) // TAILLE)
        elif args[:1] == ["compter"] and len(args) == 8:
            v = [int(a) for a in args[1:]]
            print(compter(sys.stdin.buffer, v[0:3], *v[3:7]))
        elif args[:1] == ["blocs"] and len(args) == 5:
            print(blocs(sys.stdin.buffer, *[int(a) for a in args[1:]]))
        elif args[:1] == ["pixel"] and len(args) == 3:
            print("%d %d %d" % pixel(sys.stdin.buffer, int(args[1]), int(args[2])))
        else:
            print(__doc__, file=sys.stderr)
            return 2
    except (OSError, ValueError) as e:
        print("outils.py: %s" % e, file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
