#pragma once

// cQueryReg: the registry toolkit of the small programs. A key is named by one path string
// that may begin with a root name ("HKEY_LOCAL_MACHINE\...", "HKLM\..."); values come back as
// RegValue; whole keys are deleted recursively; file types are associated with programs.
// Nothing is shown to the user: failures come back as a Win32 status, an empty string, an
// empty variant or false. Conversions of caller values that cannot be done throw RunTimeError.

#include <windows.h>

// The class has its own RegSaveKey; the system's macro of that name would rename it to
// RegSaveKeyA in some files and not in others. The system call is spelled RegSaveKeyA here.
#ifdef RegSaveKey
#undef RegSaveKey
#endif

#include <string>
#include <type_traits>
#include <vector>

#include "toolkit/folder_collection.h"
#include "toolkit/query_reg_core.h"

static_assert(std::is_same<DWORD, RegNumber>::value, "a RegValue number is a DWORD");

// The predefined root for index 0..6 of the root-name table.
HKEY RootHandle(int index);
// A root counts only if it is one of the seven predefined handles; any other value (0, a key
// opened by the caller) becomes HKEY_CLASSES_ROOT.
HKEY ValidatedRoot(HKEY root);

class cQueryReg {
public:
    cQueryReg(); // reads the user name

    // Opens the key for writing or creates it (default root HKEY_CLASSES_ROOT).
    LONG CreateKey(const std::string& keyPath);
    // The key can be opened for reading (default root HKEY_LOCAL_MACHINE).
    bool ExistKey(const std::string& keyPath) const;
    // Class identifier of a ProgID, and the type library of that class; empty when missing.
    std::string ClassCLSID(const std::string& progId) const;
    std::string ClassTypeLib(const std::string& progId) const;

    // Reads only a type 4 value (any other leaves 0); the number or its text form
    // "0x0000001A (26)". Empty variant when the key cannot be opened.
    RegValue GetRegDWord(const std::string& keyPath, const std::string& valueName,
                         HKEY root = HKEY_CURRENT_USER, bool asText = false) const;
    // The value in the form its type chooses: 1 and 2 the string, 7 the strings joined by
    // spaces, 4 the number (or its text), 3 the byte array (or "0A FF " text); empty variant
    // for a missing key or value and for any other type.
    RegValue GetReg(const std::string& keyPath, const std::string& valueName,
                    HKEY root = HKEY_CURRENT_USER, bool asText = false) const;
    // The value's type, 0 when the key or the value is missing.
    DWORD GetRegType(const std::string& keyPath, const std::string& valueName, HKEY root) const;
    // Reads only a type 3 value: the byte array, or its text "A FF ". Empty variant otherwise.
    RegValue GetRegBinary(const std::string& keyPath, const std::string& valueName, HKEY root,
                          bool asText) const;
    // A value of type 1 or 2, otherwise "".
    std::string GetRegString(const std::string& keyPath, const std::string& valueName,
                             HKEY root = HKEY_CURRENT_USER) const;
    // The default value of subKey under the validated root; no root name is parsed.
    std::string QueryRegBase(const std::string& subKey, HKEY root) const;

    // Thin wrappers of the registry calls. Handles given and received belong to the caller.
    LONG OpenKeyEx(HKEY key, const std::string& subKey, DWORD options, REGSAM access,
                   HKEY* result) const;
    // As OpenKeyEx, but always with query-value access only.
    LONG OpenKeyQuery(HKEY key, const std::string& subKey, DWORD options, REGSAM access,
                      HKEY* result) const;
    // nameSize and dataSize give the buffer sizes on entry (the buffers are sized to them, so
    // no call can write past them) and the returned lengths on exit; on success name and data
    // are cut to the returned lengths.
    LONG EnumValueString(HKEY key, DWORD index, std::string& name, DWORD& nameSize,
                         DWORD* reserved, DWORD& type, std::string& data, DWORD& dataSize) const;
    LONG EnumValue(HKEY key, DWORD index, std::string& name, DWORD& nameSize, DWORD* reserved,
                   DWORD& type, std::vector<BYTE>& data, DWORD& dataSize) const;
    LONG CloseKey(HKEY key) const;
    LONG QueryInfoKey(HKEY key, DWORD& longestValueName) const;
    LONG EnumKeyEx(HKEY key, DWORD index, std::string& name, DWORD& nameSize) const;

    // Fills the folder collection from the shell-folder values and the machine's folders, and
    // returns it (keysOnly: the collection of names, each under itself). A name that occurs
    // twice throws RunTimeError 457.
    FolderCollection ShellFolders(bool keysOnly, bool perUser);
    // Path of a folder by name ("WindowsDir", "SystemDir", a shell-folder name); "" if unknown.
    std::string GetFolder(const std::string& name);

    // Writes data as type 1 with the text's length in bytes; type and dataSize are not used.
    LONG RegSetValue2(HKEY key, const std::string& valueName, DWORD type, const std::string& data,
                      DWORD dataSize) const;

    // Associates a file type with a program. The extension's ProgID is registered only if it
    // has none yet; the command of the verb is (re)written under the ProgID it then has.
    void AsociarExt(const std::string& extension, const std::string& programPath,
                    const std::string& verb, bool defaultVerb, const std::string& progId,
                    const std::string& description);
    // Sets (or, with an empty program path, deletes) the icon of the extension's ProgID.
    void AsociarIcono(const std::string& extension, const std::string& programPath,
                      long iconIndex);
    // Deletes one key without its subkeys: keyPath under root as given (no root name is
    // parsed, and root may be a key the caller opened).
    LONG DeleteKeyWin95(HKEY root, const std::string& keyPath);
    // Removes the extension's key and its ProgID's key.
    void DesasociarExt(const std::string& extension);

    // Writes a value of type 1, 2 (text), 3 (bytes) or 4 (number); other types write nothing.
    // Creates the key when asked. Returns the status of the value write when that fails,
    // otherwise the status of closing the key.
    LONG SetReg(const std::string& keyPath, const std::string& valueName, const RegValue& value,
                HKEY root, DWORD type, bool create);
    // With a value name: deletes the value. Without: deletes the key and all below it.
    LONG DeleteKey(const std::string& keyPath, const std::string& valueName, HKEY root);
    // Deletes the value; 0 for an empty value name.
    LONG DeleteValue(const std::string& keyPath, const std::string& valueName, HKEY root);

    // names: index 0 empty, then the subkey names (default root HKEY_CLASSES_ROOT).
    bool EnumKeys(std::vector<std::string>& names, const std::string& keyPath) const;
    // pairs: index 0 empty, then name and value text alternately from index 1; the first pair
    // is "(Default)" and the default value (default root HKEY_CLASSES_ROOT).
    bool EnumValues(std::vector<std::string>& pairs, const std::string& keyPath) const;
    // As EnumValues, keeping only values of that type (type 1 also keeps 2 and 7).
    bool EnumValuesByType(std::vector<std::string>& pairs, const std::string& keyPath,
                          DWORD type) const;

    // Saves the key (default root HKEY_CURRENT_USER) to file, replacing it, through a temporary
    // file of its own; returns the status of the save, or of the copy when only that failed.
    // The caller holds the backup privilege, as the system's save requires.
    LONG RegSaveKey(const std::string& keyPath, const std::string& file);
    // Removes a class's ProgID, CLSID and type-library keys; 2 when there is nothing to find.
    LONG UnRegister(const std::string& progId);

    const std::string& UserName() const { return userName_; }

private:
    HKEY ParseRootKey(std::string& keyPath, HKEY defaultRoot) const;
    LONG DeleteKeyNT(HKEY root, const std::string& keyPath);
    static std::string TrimRegString(const std::string& text, bool multiString)
    {
        return ::TrimRegString(text, multiString);
    }
    bool EnumValuesFiltered(std::vector<std::string>& pairs, const std::string& keyPath,
                            bool filter, DWORD type) const;

    std::string userName_;
    FolderCollection folders_;
};
