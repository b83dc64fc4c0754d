#include "toolkit/query_reg.h"

// Interface in place for its callers; the operations follow.

HKEY RootHandle(int) { return HKEY_CLASSES_ROOT; }
HKEY ValidatedRoot(HKEY root) { return root; }
cQueryReg::cQueryReg() {}
LONG cQueryReg::CreateKey(const std::string&) { return ERROR_CALL_NOT_IMPLEMENTED; }
bool cQueryReg::ExistKey(const std::string&) const { return false; }
std::string cQueryReg::ClassCLSID(const std::string&) const { return {}; }
std::string cQueryReg::ClassTypeLib(const std::string&) const { return {}; }
RegValue cQueryReg::GetRegDWord(const std::string&, const std::string&, HKEY, bool) const { return {}; }
RegValue cQueryReg::GetReg(const std::string&, const std::string&, HKEY, bool) const { return {}; }
DWORD cQueryReg::GetRegType(const std::string&, const std::string&, HKEY) const { return 0; }
RegValue cQueryReg::GetRegBinary(const std::string&, const std::string&, HKEY, bool) const { return {}; }
std::string cQueryReg::GetRegString(const std::string&, const std::string&, HKEY) const { return {}; }
std::string cQueryReg::QueryRegBase(const std::string&, HKEY) const { return {}; }
LONG cQueryReg::OpenKeyEx(HKEY, const std::string&, DWORD, REGSAM, HKEY*) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::OpenKeyQuery(HKEY, const std::string&, DWORD, REGSAM, HKEY*) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::EnumValueString(HKEY, DWORD, std::string&, DWORD&, DWORD*, DWORD&, std::string&, DWORD&) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::EnumValue(HKEY, DWORD, std::string&, DWORD&, DWORD*, DWORD&, std::vector<BYTE>&, DWORD&) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::CloseKey(HKEY) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::QueryInfoKey(HKEY, DWORD&) const { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::EnumKeyEx(HKEY, DWORD, std::string&, DWORD&) const { return ERROR_CALL_NOT_IMPLEMENTED; }
FolderCollection cQueryReg::ShellFolders(bool, bool) { return {}; }
std::string cQueryReg::GetFolder(const std::string&) { return {}; }
LONG cQueryReg::RegSetValue2(HKEY, const std::string&, DWORD, const std::string&, DWORD) const { return ERROR_CALL_NOT_IMPLEMENTED; }
void cQueryReg::AsociarExt(const std::string&, const std::string&, const std::string&, bool, const std::string&, const std::string&) {}
void cQueryReg::AsociarIcono(const std::string&, const std::string&, long) {}
LONG cQueryReg::DeleteKeyWin95(HKEY, const std::string&) { return ERROR_CALL_NOT_IMPLEMENTED; }
void cQueryReg::DesasociarExt(const std::string&) {}
LONG cQueryReg::SetReg(const std::string&, const std::string&, const RegValue&, HKEY, DWORD, bool) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::DeleteKey(const std::string&, const std::string&, HKEY) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::DeleteValue(const std::string&, const std::string&, HKEY) { return ERROR_CALL_NOT_IMPLEMENTED; }
bool cQueryReg::EnumKeys(std::vector<std::string>&, const std::string&) const { return false; }
bool cQueryReg::EnumValues(std::vector<std::string>&, const std::string&) const { return false; }
bool cQueryReg::EnumValuesByType(std::vector<std::string>&, const std::string&, DWORD) const { return false; }
LONG cQueryReg::RegSaveKey(const std::string&, const std::string&) { return ERROR_CALL_NOT_IMPLEMENTED; }
LONG cQueryReg::UnRegister(const std::string&) { return ERROR_CALL_NOT_IMPLEMENTED; }
HKEY cQueryReg::ParseRootKey(std::string&, HKEY root) const { return root; }
LONG cQueryReg::DeleteKeyNT(HKEY, const std::string&) { return ERROR_CALL_NOT_IMPLEMENTED; }
bool cQueryReg::EnumValuesFiltered(std::vector<std::string>&, const std::string&, bool, DWORD) const { return false; }
