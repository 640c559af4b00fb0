#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace qm {

// Texts are UTF-8 inside the program and Windows-1252 on disk.

// Windows-1252 bytes to UTF-8. The five bytes the code page leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of the same
// number, so that every byte survives a read and a write.
std::string depuiscp1252(std::string_view octets);

// UTF-8 to Windows-1252; nothing when a character has no byte in the code page
// or the UTF-8 is malformed.
std::optional<std::string> verscp1252(std::string_view utf8);

} // namespace qm
