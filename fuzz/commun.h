#pragma once

// What every fuzz target shares: its checks, and a folder of its own for the files it writes.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

#include <stdlib.h>

namespace fuzz {

// A failed check aborts, which libFuzzer reports with the input; the line says which check it was.
inline void verifier(bool condition, const char* quoi, const char* fichier, int ligne)
{
    if (!condition) {
        std::fprintf(stderr, "Vérification en défaut (%s:%d) : %s\n", fichier, ligne, quoi);
        std::abort();
    }
}

// A folder created for this process alone (mkdtemp), removed at exit: two targets, or two runs
// that share /tmp, never write each other's files, whatever their process numbers.
inline const std::filesystem::path& dossierprive(const char* nom)
{
    struct dossier {
        std::filesystem::path chemin;
        ~dossier()
        {
            std::error_code e;
            std::filesystem::remove_all(chemin, e);
        }
    };
    static const dossier d = [nom] {
        std::error_code e;
        std::filesystem::path base = std::filesystem::temp_directory_path(e);
        if (e)
            base = "/tmp";
        std::string modele = (base / (std::string("quilmaret-fuzz-") + nom + "-XXXXXX")).string();
        if (::mkdtemp(modele.data()) == nullptr) {
            std::perror("mkdtemp");
            std::abort();
        }
        return dossier{modele};
    }();
    return d.chemin;
}

} // namespace fuzz

#define VERIFIER(condition) ::fuzz::verifier(bool(condition), #condition, __FILE__, __LINE__)
