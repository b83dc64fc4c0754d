#include <gtest/gtest.h>

#include "finisher/iniciar.h"
#include "tests/support/staging.h"

namespace {

TEST(LotefinalLeerValorIni, ReadsTheValueOrNothing)
{
    ScratchFolder folder;
    const std::string ini = folder.Path() + "lotes.ini";
    ASSERT_TRUE(WriteTextFile(ini, "[Scrivex]\r\nRutaInstalacionLotes=C:\\Lotes\\\r\nVacia=\r\n"));
    EXPECT_EQ(Iniciar::LeerValorIni("Scrivex", "RutaInstalacionLotes", ini), "C:\\Lotes\\");
    EXPECT_EQ(Iniciar::LeerValorIni("Scrivex", "Vacia", ini), "");
    EXPECT_EQ(Iniciar::LeerValorIni("Scrivex", "Otra", ini), "");
    EXPECT_EQ(Iniciar::LeerValorIni("Otra", "RutaInstalacionLotes", ini), "");
    EXPECT_EQ(Iniciar::LeerValorIni("Scrivex", "RutaInstalacionLotes", folder.Path() + "missing.ini"), "");
}

TEST(LotefinalLeerValorIni, LongValuesAreCutTo249Characters)
{
    // The read has always had a buffer of 250 characters, its terminator included.
    ScratchFolder folder;
    const std::string ini = folder.Path() + "long.ini";
    std::string fits(249, 'a');
    std::string longer;
    for (int i = 0; i < 40; ++i)
        longer += "0123456789";
    ASSERT_TRUE(WriteTextFile(ini, "[S]\r\nfits=" + fits + "\r\nlonger=" + longer + "\r\n"));
    EXPECT_EQ(Iniciar::LeerValorIni("S", "fits", ini), fits);
    EXPECT_EQ(Iniciar::LeerValorIni("S", "longer", ini), longer.substr(0, 249));
}

} // namespace
