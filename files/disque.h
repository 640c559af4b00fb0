#pragma once

// Opening and replacing files in plain C++ over POSIX, the one place where the
// program touches a file by its name. Every file opened from a name the
// program was given or read (a series, an exercise, its texts and picture,
// the exchange file) is checked to be a regular file before it is read: a
// FIFO, a device, a socket or a folder is taken for a missing file, never
// opened in a way that could block. Every save goes through one writer.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include <sys/types.h>

namespace qm {

// Writing past a file-size limit (ulimit -f of a school's login profile)
// raises a signal whose default is to end the program. Ignored, the write
// fails with an error instead, which the save reports. Called at start-up.
void preparerecritures();

enum class liens { suivis, refuses };

// A descriptor open for reading on a regular file, or -1 with errno set. A
// name that is not a regular file is refused before it is opened, with ENOENT
// (EISDIR for a folder); with liens::refuses a symbolic link is refused too
// (ELOOP). The file found when opening must be the one checked.
int ouvrirlecture(const std::string& chemin, liens l = liens::suivis);

// Up to n bytes from `position`, fewer at the end of the file; nothing on a
// read error. Memory grows with what is read, not with n.
std::optional<std::string> lireoctets(int fd, std::uint64_t position, std::size_t n);

// The whole content of a regular file, nothing when it cannot be read or
// holds more than `maximum` bytes.
std::optional<std::string> lirefichier(const std::string& chemin, std::size_t maximum);

// A file another program shares with this one, opened for reading and writing
// in place, or created (alone, exclusively) when it is missing: never through
// a symbolic link, never anything but a regular file. -1 on any refusal.
int ouvrirpartage(const std::string& chemin);

// Saves `octets` as the whole content of `chemin`; false on any failure, and
// then the file that was there is as it was.
// - An existing file must be a regular file the user may write (a read-only
//   file is refused, even in a folder the user may write).
// - A symbolic link is written through: its target gets the content, the link
//   stays. A link that leads nowhere is refused, and so is every link with
//   liens::refuses.
// - The user's own file with one name is replaced atomically: the content goes
//   to a temporary file in the target's folder, which then takes its place,
//   with the old file's permissions.
// - Another user's file that the user may write, or a file with several hard
//   links, is written in place so that it keeps its owner and every name sees
//   the new content; the room for the new content is reserved first, so a full
//   disk or a size limit refuses the save before the file is touched.
// - A new file gets the permissions 0666 less the umask.
bool remplacerfichier(const std::string& chemin, std::string_view octets, liens l = liens::suivis);

// Writes all of `octets` at `position` of an open file, through interrupted
// and partial writes; false on the first failure.
bool toutecrire(int fd, std::string_view octets, off_t position);

// The real path of `chemin` when it names an existing file or folder inside
// `dossier` once every link and ".." is resolved; nothing otherwise.
std::optional<std::string> dansdossier(const std::string& dossier, const std::string& chemin);

} // namespace qm
