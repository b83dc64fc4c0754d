// Every shipped program says what it is and how Windows must start it: its version resource
// and its application manifest, read back from the built files through the calls Windows itself
// uses (the file mapped as data, its resources looked up by type and id).

#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

struct Program {
    const char* name;
    const char* description;
    const char* level;
};

// The levels are the decisions the README explains: only the two programs that write the
// machine's registry and program folders ask for an administrator.
const Program kPrograms[] = {
    {"setup", "Vantora uninstaller and maintenance runtime", "requireAdministrator"},
    {"lotefinal", "Vantora batch edition post-install finisher", "requireAdministrator"},
    {"updstart", "Vantora update starter", "asInvoker"},
    {"unstart", "Vantora uninstall starter", "asInvoker"},
    {"loterun", "Vantora batch launcher", "asInvoker"},
    {"traceview", "Vantora trace viewer", "asInvoker"},
    {"themeview", "Vantora theme previewer and checker", "asInvoker"},
};

std::string ProgramPath(const char* name)
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path(self, length);
    return path.substr(0, path.find_last_of('\\') + 1) + name + ".exe";
}

// A small, strict well-formedness check, enough of XML for a manifest: after the declaration
// and comments, only properly nested tags with quoted, unrepeated attributes, and text without
// markup characters, under one root element.
bool WellFormed(std::string text)
{
    text = std::regex_replace(text, std::regex("<!--[\\s\\S]*?-->|^\\s*<\\?xml[^>]*\\?>"), "");
    const std::regex tag("<(/?)([A-Za-z][\\w:.-]*)((?:\\s+[\\w:.-]+=(?:\"[^\"<]*\"|'[^'<]*'))*)\\s*(/?)>");
    std::vector<std::string> open;
    int roots = 0;
    size_t at = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), tag), none; it != none; ++it) {
        const std::smatch& m = *it;
        const std::string between = text.substr(at, m.position() - at);
        if (between.find_first_of("<>&") != std::string::npos ||
            (open.empty() && between.find_first_not_of(" \t\r\n") != std::string::npos))
            return false;
        std::set<std::string> names;
        const std::string attributes = m[3];
        const std::regex name("([\\w:.-]+)=");
        for (std::sregex_iterator a(attributes.begin(), attributes.end(), name); a != none; ++a)
            if (!names.insert((*a)[1]).second)
                return false;
        if (m[1].length() > 0 && (m[4].length() > 0 || open.empty() || open.back() != m[2]))
            return false;
        if (m[1].length() > 0)
            open.pop_back();
        else if (open.empty() && ++roots > 1)
            return false;
        else if (m[4].length() == 0)
            open.push_back(m[2]);
        at = m.position() + m.length();
    }
    return roots == 1 && open.empty() && text.find_first_not_of(" \t\r\n", at) == std::string::npos;
}

// The first group of every match of `pattern` in `text`, in order.
std::vector<std::string> Values(const std::string& text, const std::string& pattern)
{
    std::vector<std::string> found;
    const std::regex re(pattern);
    for (std::sregex_iterator it(text.begin(), text.end(), re), none; it != none; ++it)
        found.push_back((*it)[1]);
    return found;
}

std::string VersionString(const std::vector<char>& block, const char* key)
{
    void* value = nullptr;
    UINT size = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueA(block.data(), path.c_str(), &value, &size) || size == 0)
        return "<missing>";
    return static_cast<const char*>(value);
}

TEST(ProgramResources, EveryProgramCarriesItsVersionAndManifest)
{
    for (const Program& program : kPrograms) {
        SCOPED_TRACE(program.name);
        const std::string path = ProgramPath(program.name);

        std::ifstream file(path, std::ios::binary);
        const std::vector<char> bytes{std::istreambuf_iterator<char>(file), {}};
        ASSERT_GT(bytes.size(), 0x100u);
        // No link time in the header, so that two builds of one commit compare equal.
        DWORD header = 0, stamp = 1;
        std::memcpy(&header, &bytes[0x3C], 4);
        std::memcpy(&stamp, &bytes[header + 8], 4);
        EXPECT_EQ(stamp, 0u);

        std::vector<char> block(GetFileVersionInfoSizeA(path.c_str(), nullptr));
        ASSERT_FALSE(block.empty());
        ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(block.size()), block.data()));
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT fixedSize = 0;
        ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &fixedSize));
        EXPECT_EQ(fixed->dwFileVersionMS, static_cast<DWORD>(MAKELONG(VT_VERSION_MINOR, VT_VERSION_MAJOR)));
        EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, VT_VERSION_PATCH)));
        EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
        EXPECT_EQ(VersionString(block, "CompanyName"), "Orvane");
        EXPECT_EQ(VersionString(block, "ProductName"), "Vantora maintenance suite");
        EXPECT_EQ(VersionString(block, "FileDescription"), program.description);
        EXPECT_EQ(VersionString(block, "FileVersion"), VT_VERSION_TEXT);
        EXPECT_EQ(VersionString(block, "ProductVersion"), VT_VERSION_TEXT);
        EXPECT_EQ(VersionString(block, "InternalName"), program.name);
        EXPECT_EQ(VersionString(block, "OriginalFilename"), std::string(program.name) + ".exe");

        HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module, nullptr);
        std::vector<ULONG_PTR> ids;
        EnumResourceNamesA(module, MAKEINTRESOURCEA(24), [](HMODULE, LPCSTR, LPSTR id, LONG_PTR list) {
            reinterpret_cast<std::vector<ULONG_PTR>*>(list)->push_back(reinterpret_cast<ULONG_PTR>(id));
            return TRUE;
        }, reinterpret_cast<LONG_PTR>(&ids));
        // One manifest, id 1: the one the loader reads for an executable.
        EXPECT_EQ(ids, std::vector<ULONG_PTR>{1});
        HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
        ASSERT_NE(found, nullptr);
        const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                                   SizeofResource(module, found));
        FreeLibrary(module);

        ASSERT_TRUE(WellFormed(manifest)) << manifest;
        EXPECT_NE(manifest.find("<assembly xmlns=\"urn:schemas-microsoft-com:asm.v1\" manifestVersion=\"1.0\">"),
                  std::string::npos);
        EXPECT_EQ(Values(manifest, "<requestedExecutionLevel level=\"(\\w+)\" uiAccess=\"false\"/>"),
                  std::vector<std::string>{program.level});
        // No side-by-side dependency at all, common controls 6 included.
        EXPECT_EQ(manifest.find("<dependency"), std::string::npos);
        EXPECT_EQ(Values(manifest, "<dpiAware[^>]*>([^<]*)<"), std::vector<std::string>{"false"});
        // Vista to 10/11: the version calls report the real version on every one of them.
        EXPECT_EQ(Values(manifest, "<supportedOS Id=\"([^\"]+)\"/>"),
                  (std::vector<std::string>{"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                                            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                                            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}));
    }
}

// The check is strict: a manifest that does not parse fails the test above, not silently.
TEST(ProgramResources, TheWellFormednessCheckRefusesBrokenXml)
{
    EXPECT_TRUE(WellFormed("<?xml version=\"1.0\"?><!-- c --><a x='1'><b/>t</a>\n"));
    for (const char* bad : {"<a><b></a>", "<a x=1/>", "<a x='1' x='2'/>", "<a/><b/>", "<a>", "<a>x</b>", "<a>&</a>"})
        EXPECT_FALSE(WellFormed(bad)) << bad;
}

} // namespace
