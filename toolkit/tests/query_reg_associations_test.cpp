// File associations and class removal through cQueryReg, each on a file type of its own. Under
// Wine the classes root is HKEY_LOCAL_MACHINE\Software\Classes, so both views agree.
#include <gtest/gtest.h>

#include "toolkit/query_reg.h"
#include "toolkit/tests/registry_sandbox.h"

namespace {

const std::string kClasses = "Software\\Classes\\";

std::string Default(HKEY root, const std::string& path)
{
    const RawRead read = ReadValue(root, path, nullptr);
    return read.status == ERROR_SUCCESS ? read.Text() : "<missing>";
}

TEST(QueryRegAssociations, FirstCallRegistersSecondOnlyRewritesTheCommand)
{
    SandboxExtension ext;
    const std::string progId = ext.DefaultProgId();
    cQueryReg reg;
    reg.AsociarExt(ext.Bare(), "C:\\Prog\\Visor.exe", "open", false, "", "");

    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, ext.Dotted()), progId + '\0');
    // The description's accented letter is the single Windows-1252 byte.
    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, progId), "Descripci\xF3n de " + progId + '\0');
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, kClasses + progId + "\\shell\\open\\command"),
              std::string("C:\\Prog\\Visor.exe \"%1\"") + '\0');
    // No default verb was asked for; "open" gets no display text of its own.
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kClasses + progId + "\\shell", nullptr).status,
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadValue(HKEY_LOCAL_MACHINE, kClasses + progId + "\\shell\\open", nullptr).status,
              ERROR_FILE_NOT_FOUND);

    // Again with another program, ProgID and description: only the command changes.
    const std::string other = ext.Own("VtQrOther" + ext.Bare());
    reg.AsociarExt(ext.Dotted(), " D:\\Otro\\Visor2 ", "open", false, other, "Other text");
    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, ext.Dotted()), progId + '\0');
    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, progId), "Descripci\xF3n de " + progId + '\0');
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, kClasses + progId + "\\shell\\open\\command"),
              std::string("D:\\Otro\\Visor2.exe \"%1\"") + '\0');
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, other));
}

TEST(QueryRegAssociations, OtherVerbsKeepTheirDisplayText)
{
    SandboxExtension ext;
    const std::string progId = ext.Own("VtQrMine" + ext.Bare());
    cQueryReg reg;
    reg.AsociarExt(ext.Bare(), "C:\\Prog\\Visor", " &Imprimir ", true, progId, "Mine");
    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, ext.Dotted()), progId + '\0');
    EXPECT_EQ(Default(HKEY_CLASSES_ROOT, progId), std::string("Mine") + '\0');
    const std::string shell = kClasses + progId + "\\shell";
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, shell + "\\Imprimir"), std::string("&Imprimir") + '\0');
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, shell + "\\Imprimir\\command"),
              std::string("C:\\Prog\\Visor.exe \"%1\"") + '\0');
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, shell), std::string("Imprimir") + '\0');

    // Without a program only the verb's text (and the default verb) is written.
    reg.AsociarExt(ext.Bare(), "", "Ver", false, "", "");
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, shell + "\\Ver"), std::string("Ver") + '\0');
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, shell + "\\Ver\\command"));
    reg.AsociarExt(ext.Bare(), "", "open", true, "", "");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, shell + "\\open"));
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, shell), std::string("open") + '\0');
}

TEST(QueryRegAssociations, IconIsSetAndRemoved)
{
    SandboxExtension ext;
    cQueryReg reg;
    const std::string icon = kClasses + ext.DefaultProgId() + "\\DefaultIcon";
    // No ProgID yet: nothing is written.
    reg.AsociarIcono(ext.Bare(), "C:\\Prog\\Visor.exe", 1);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, icon));

    reg.AsociarExt(ext.Bare(), "C:\\Prog\\Visor.exe", "open", false, "", "");
    reg.AsociarIcono(ext.Bare(), " C:\\Prog\\Visor ", 2);
    EXPECT_EQ(Default(HKEY_LOCAL_MACHINE, icon), std::string("C:\\Prog\\Visor.exe,2") + '\0');
    reg.AsociarIcono(ext.Dotted(), "", 0);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, icon));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + ext.DefaultProgId() + "\\shell"));
}

TEST(QueryRegAssociations, DesasociarRemovesExtensionAndProgId)
{
    SandboxExtension ext;
    cQueryReg reg;
    reg.AsociarExt(ext.Bare(), "C:\\Prog\\Visor.exe", "open", false, "", "");
    ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, ext.DefaultProgId() + "\\shell\\open\\command"));
    reg.DesasociarExt(ext.Bare());
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ext.Dotted()));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, ext.DefaultProgId()));

    // An extension key without a ProgID is left alone.
    SandboxExtension bare;
    ASSERT_EQ(WriteString(HKEY_CLASSES_ROOT, bare.Dotted(), "Content Type", "x/y"), 0);
    reg.DesasociarExt(bare.Dotted());
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, bare.Dotted()));
}

TEST(QueryRegAssociations, UnRegisterRemovesProgIdClassAndTypeLibrary)
{
    SandboxExtension names;
    const std::string progId = names.Own("VtQrServer" + names.Bare());
    const std::string clsid = "{" + UniqueName("VTQR-CLSID-") + "}";
    const std::string typeLib = "{" + UniqueName("VTQR-TLB-") + "}";
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + progId + "\\clsid", nullptr, clsid), 0);
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid + "\\TypeLib", nullptr, typeLib), 0);
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid + "\\InprocServer32", nullptr, "x.dll"), 0);
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + "TypeLib\\" + typeLib + "\\1.0\\0\\win32", nullptr, "x.tlb"), 0);

    cQueryReg reg;
    EXPECT_EQ(reg.UnRegister(progId), 0);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + progId));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + "TypeLib\\" + typeLib));

    // Nothing to find: 2, nothing touched.
    EXPECT_EQ(reg.UnRegister(progId), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.UnRegister(""), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(reg.UnRegister("  "), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, "Software\\Classes"));

    // A class without a type library: the ProgID goes, the class stays, and 2 says why.
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + progId + "\\clsid", nullptr, clsid), 0);
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid, nullptr, "class"), 0);
    EXPECT_EQ(reg.UnRegister(progId), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + progId));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid));
    RemoveKeyTree(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid);
}

TEST(QueryRegAssociations, UnRegisterWithABlankTypeLibraryLeavesTheOtherLibrariesAlone)
{
    SandboxExtension names;
    const std::string progId = names.Own("VtQrServer" + names.Bare());
    const std::string clsid = "{" + UniqueName("VTQR-CLSID-") + "}";
    const std::string neighbour = kClasses + "TypeLib\\{" + UniqueName("VTQR-NEIGHBOUR-") + "}";
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, neighbour, nullptr, "another library"), 0);

    cQueryReg reg;
    // Read back, each would name the whole TypeLib key once the path is trimmed.
    for (const char* blank : {" ", "\\"}) {
        ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + progId + "\\clsid", nullptr, clsid), 0);
        ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid + "\\TypeLib", nullptr, blank), 0);
        EXPECT_EQ(reg.UnRegister(progId), ERROR_FILE_NOT_FOUND) << '"' << blank << '"';
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, neighbour)) << '"' << blank << '"';
    }
    // A class identifier that would name the whole CLSID key.
    ASSERT_EQ(WriteString(HKEY_LOCAL_MACHINE, kClasses + progId + "\\clsid", nullptr, " "), 0);
    EXPECT_EQ(reg.UnRegister(progId), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kClasses + "CLSID"));

    RemoveKeyTree(HKEY_LOCAL_MACHINE, kClasses + progId);
    RemoveKeyTree(HKEY_LOCAL_MACHINE, kClasses + "CLSID\\" + clsid);
    RemoveKeyTree(HKEY_LOCAL_MACHINE, neighbour);
}

} // namespace
