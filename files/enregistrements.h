#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/disque.h"

namespace qm {

// A record file: fixed records of 128 bytes numbered from 1, each holding one
// text as an unsigned 16-bit little-endian length followed by that many
// Windows-1252 bytes. Record n starts at byte (n - 1) x 128.
constexpr std::size_t tailleenregistrement = 128;
constexpr std::size_t textemaximal = tailleenregistrement - 2;

using enregistrement = std::array<char, tailleenregistrement>;

// The bytes of one record for a UTF-8 text, filler zeroed; nothing when the
// text does not fit (more than 126 bytes once encoded) or cannot be encoded.
std::optional<enregistrement> coderenregistrement(std::string_view texte);

// The UTF-8 text of a record whose bytes are `octets` (the rest of the file
// from the record's start, at most 128 bytes taken). An empty view is a record
// past the end of the file: the empty text. Nothing on a read error: a length
// above 126, or a text cut by the end of the file.
std::optional<std::string> decoderenregistrement(std::string_view octets);

// Reads records premier..dernier (both included) of a file in one go; records
// past the end of the file are empty texts. Nothing when the file is not a
// regular file (a link too, with liens::refuses), cannot be opened or read, or
// a record is malformed.
std::optional<std::vector<std::string>> lireenregistrements(const std::string& chemin, int premier,
                                                            int dernier, liens l = liens::suivis);

// Replaces the whole file by records 1..n holding `textes`, as every save does
// (remplacerfichier): a failure leaves whatever was there untouched. False on
// any failure.
bool remplacerenregistrements(const std::string& chemin, const std::vector<std::string>& textes);

// Writes one record in place, creating the file when it is missing; no other
// byte of the file changes. For files that another program shares: never
// through a symbolic link, never into anything but a regular file.
bool ecrireenregistrement(const std::string& chemin, int numero, std::string_view texte);
// The same into a file already open for writing.
bool ecrireenregistrement(int fd, int numero, std::string_view texte);

} // namespace qm
