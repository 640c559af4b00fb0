// The exercise-file reader on arbitrary bytes, as a ".E07" file in an exercise
// folder of a program's folder. Beside the folder lie what a name read from a
// record must never reach: a FIFO (opening it would block), a link that leads
// out of the program's folder, and the folder of another pupil outside it.
// Whatever the file holds, the reader must give back each record as the file
// has it, and a name resolved inside its folder must stay there and be opened
// only as a regular file.
#include "commun.h"
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "files/disque.h"
#include "files/enregistrements.h"

namespace {

namespace fs = std::filesystem;

struct lieux {
    std::string programme; // the program's folder, real path, ending with "/"
    std::string exos;      // its exercise folder, real path, ending with "/"
    std::string exercice;  // the file under test
};

const lieux& preparer()
{
    static const lieux l = [] {
        const fs::path racine = fuzz::dossierprive("exercice");
        fs::create_directories(racine / "programme" / "exos");
        fs::create_directories(racine / "programme" / "images");
        fs::create_directories(racine / "dehors");
        std::ofstream(racine / "dehors" / "paul.rtf") << "{\\rtf1 Paul}";
        std::ofstream(racine / "programme" / "exos" / "enonce.rtf") << "{\\rtf1 Enonce}";
        std::ofstream(racine / "programme" / "images" / "bec.png") << "png";
        ::mkfifo((racine / "programme" / "exos" / "tube.rtf").c_str(), 0666);
        ::mkfifo((racine / "programme" / "images" / "tube.png").c_str(), 0666);
        fs::create_symlink("../../dehors", racine / "programme" / "exos" / "sortie");
        lieux r;
        r.programme = fs::canonical(racine / "programme").string() + "/";
        r.exos = r.programme + "exos/";
        r.exercice = r.exos + "essai.E07";
        return r;
    }();
    return l;
}

// A name as the exercises take it: blanks trimmed, "\" a folder separator.
std::string nom(const std::string& enregistrement)
{
    std::string n = enregistrement;
    const auto debut = n.find_first_not_of(" \t\r\n");
    const auto fin = n.find_last_not_of(" \t\r\n");
    n = debut == std::string::npos ? std::string() : n.substr(debut, fin - debut + 1);
    for (char& c : n)
        if (c == '\\')
            c = '/';
    return n;
}

void verifiernom(const std::string& dossier, const std::string& enregistrement)
{
    const auto chemin = qm::dansdossier(dossier, dossier + nom(enregistrement));
    if (!chemin)
        return;
    VERIFIER(chemin->rfind(dossier, 0) == 0 || *chemin + "/" == dossier);
    VERIFIER(chemin->find("/dehors/") == std::string::npos);
    const int fd = qm::ouvrirlecture(*chemin);
    if (fd >= 0) {
        struct stat st {};
        VERIFIER(::fstat(fd, &st) == 0 && S_ISREG(st.st_mode));
        ::close(fd);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const lieux& l = preparer();
    const std::string octets(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream f(l.exercice, std::ios::binary | std::ios::trunc);
        f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    }
    const auto r = qm::lireenregistrements(l.exercice, 1, 15);
    if (!r)
        return 0;
    VERIFIER(r->size() == 15);
    for (std::size_t i = 0; i < r->size(); ++i) {
        // Each record written back is the record of the file: its length and its bytes.
        const auto e = qm::coderenregistrement((*r)[i]);
        VERIFIER(e.has_value());
        const std::size_t debut = i * qm::tailleenregistrement;
        const std::string_view lu = debut < octets.size() ? std::string_view(octets).substr(debut) : "";
        const std::size_t longueur = static_cast<unsigned char>((*e)[0]) | static_cast<unsigned char>((*e)[1])
                                                                               << 8;
        if (lu.empty())
            VERIFIER(longueur == 0);
        else
            VERIFIER(lu.substr(0, 2 + longueur) == std::string_view(e->data(), 2 + longueur));
    }
    // Statement, series, correction and its series in the exercise's folder; the picture in the program's.
    for (std::size_t i = 0; i < 4; ++i)
        verifiernom(l.exos, (*r)[i]);
    verifiernom(l.programme, (*r)[14]);
    return 0;
}
