#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

// A fresh folder per test, removed afterwards.
class DossierTemporaire : public ::testing::Test {
public:
    std::filesystem::path dossier;

    void SetUp() override
    {
        std::string modele = (std::filesystem::temp_directory_path() / "quilmaret-test-XXXXXX").string();
        ASSERT_NE(::mkdtemp(modele.data()), nullptr);
        dossier = modele;
    }
    void TearDown() override
    {
        std::error_code e;
        std::filesystem::permissions(dossier, std::filesystem::perms::owner_all, e);
        std::filesystem::remove_all(dossier, e);
    }
    std::string chemin(const std::string& nom) const { return (dossier / nom).string(); }

    static std::string contenu(const std::string& chemin)
    {
        std::ifstream f(chemin, std::ios::binary);
        return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    }
    static void ecrire(const std::string& chemin, const std::string& octets)
    {
        std::ofstream f(chemin, std::ios::binary | std::ios::trunc);
        f.write(octets.data(), static_cast<std::streamsize>(octets.size()));
    }
    // One record as the layout has it: length, text, zero filler.
    static std::string record(const std::string& octets)
    {
        std::string r(128, '\0');
        r[0] = static_cast<char>(octets.size() & 0xFF);
        r[1] = static_cast<char>(octets.size() >> 8);
        r.replace(2, octets.size(), octets);
        return r;
    }
    std::size_t nombrefichiers() const
    {
        return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dossier),
                                                      std::filesystem::directory_iterator()));
    }
};
