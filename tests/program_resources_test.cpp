// Every shipped program says what it is and how Windows must start it: its version resource
// and its application manifest, read back from the built files through the calls Windows itself
// uses (the file mapped as data, its resources looked up by type and id).

#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
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

// A small, strict XML reader: enough of the language for a manifest (declaration, comments,
// elements, quoted attributes, text), refusing anything it does not understand.
struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
    std::string text;
    std::vector<Element> children;
};

class XmlReader {
public:
    explicit XmlReader(const std::string& text) : s_(text) {}

    bool ReadDocument(Element& root)
    {
        SkipMisc();
        if (!ReadElement(root))
            return false;
        SkipMisc();
        return ok_ && pos_ == s_.size();
    }

private:
    bool At(const char* token) const { return s_.compare(pos_, std::strlen(token), token) == 0; }
    void SkipSpace() { while (pos_ < s_.size() && std::strchr(" \t\r\n", s_[pos_])) ++pos_; }
    bool SkipPast(const char* token)
    {
        const size_t end = s_.find(token, pos_);
        ok_ = ok_ && end != std::string::npos;
        pos_ = ok_ ? end + std::strlen(token) : s_.size();
        return ok_;
    }
    void SkipMisc() // blanks, the declaration, comments
    {
        for (SkipSpace(); ok_ && (At("<?") || At("<!--")); SkipSpace())
            SkipPast(At("<?") ? "?>" : "-->");
    }
    std::string Name()
    {
        const size_t start = pos_;
        while (pos_ < s_.size() && (std::isalnum(static_cast<unsigned char>(s_[pos_])) ||
                                    std::strchr(":_-.", s_[pos_])))
            ++pos_;
        ok_ = ok_ && pos_ > start;
        return s_.substr(start, pos_ - start);
    }
    bool ReadElement(Element& element)
    {
        if (!At("<"))
            return ok_ = false;
        ++pos_;
        element.name = Name();
        for (SkipSpace(); ok_ && !At(">") && !At("/>"); SkipSpace()) {
            const std::string key = Name();
            SkipSpace();
            const char quote = pos_ + 1 < s_.size() && s_[pos_] == '=' ? s_[pos_ + 1] : 0;
            const size_t end = quote == '"' || quote == '\'' ? s_.find(quote, pos_ + 2)
                                                             : std::string::npos;
            if (end == std::string::npos || !element.attributes.emplace(key, s_.substr(pos_ + 2, end - pos_ - 2)).second)
                return ok_ = false;
            pos_ = end + 1;
        }
        if (!ok_ || At("/>")) {
            pos_ += 2;
            return ok_;
        }
        ++pos_;
        while (ok_ && !At("</")) {
            if (At("<!--"))
                SkipPast("-->");
            else if (At("<"))
                element.children.emplace_back(), ReadElement(element.children.back());
            else if (pos_ < s_.size() && s_[pos_] != '&')
                element.text += s_[pos_++];
            else
                ok_ = false;
        }
        pos_ += 2;
        ok_ = ok_ && Name() == element.name && At(">");
        ++pos_;
        return ok_;
    }

    const std::string s_;
    size_t pos_ = 0;
    bool ok_ = true;
};

void Collect(const Element& element, const std::string& name, std::vector<const Element*>& found)
{
    if (element.name == name)
        found.push_back(&element);
    for (const Element& child : element.children)
        Collect(child, name, found);
}

std::vector<const Element*> All(const Element& root, const std::string& name)
{
    std::vector<const Element*> found;
    Collect(root, name, found);
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

        Element root;
        ASSERT_TRUE(XmlReader(manifest).ReadDocument(root)) << manifest;
        EXPECT_EQ(root.name, "assembly");
        EXPECT_EQ(root.attributes["xmlns"], "urn:schemas-microsoft-com:asm.v1");
        EXPECT_EQ(root.attributes["manifestVersion"], "1.0");
        const auto levels = All(root, "requestedExecutionLevel");
        ASSERT_EQ(levels.size(), 1u);
        EXPECT_EQ(levels[0]->attributes.at("level"), program.level);
        EXPECT_EQ(levels[0]->attributes.at("uiAccess"), "false");
        // No side-by-side dependency at all, common controls 6 included.
        EXPECT_TRUE(All(root, "dependency").empty());
        const auto dpi = All(root, "dpiAware");
        ASSERT_EQ(dpi.size(), 1u);
        EXPECT_EQ(dpi[0]->text, "false");
        // Vista to 10/11: the version calls report the real version on every one of them.
        std::set<std::string> os;
        for (const Element* entry : All(root, "supportedOS"))
            os.insert(entry->attributes.at("Id"));
        EXPECT_EQ(os, (std::set<std::string>{"{e2011457-1546-43c5-a5fe-008deee3d3f0}",
                                             "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",
                                             "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                                             "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",
                                             "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}));
    }
}

// The reader is strict: a manifest that does not parse fails the test above, not silently.
TEST(ProgramResources, TheXmlReaderRefusesWhatIsNotWellFormed)
{
    Element root;
    EXPECT_TRUE(XmlReader("<?xml version=\"1.0\"?><!-- c --><a x='1'><b/>t</a>\n").ReadDocument(root));
    for (const char* bad : {"<a><b></a>", "<a x=1/>", "<a x='1' x='2'/>", "<a/><b/>", "<a>", "<a>x</b>"}) {
        Element ignored;
        EXPECT_FALSE(XmlReader(bad).ReadDocument(ignored)) << bad;
    }
}

} // namespace
