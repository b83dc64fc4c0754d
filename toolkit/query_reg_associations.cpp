#include "toolkit/query_reg.h"

#include "toolkit/query_reg_internal.h"

using namespace query_reg;

namespace {

const char kClassesKey[] = "Software\\Classes\\";
const char kClassesPath[] = "HKEY_LOCAL_MACHINE\\Software\\Classes\\";

} // namespace

void cQueryReg::AsociarExt(const std::string& extension, const std::string& programPath,
                           const std::string& verb, bool defaultVerb, const std::string& progId,
                           const std::string& description)
{
    const AssociationArgs args =
        PrepareAssociation(extension, programPath, verb, progId, description, true);

    // An extension that already has a ProgID keeps it, and that ProgID keeps its description.
    if (QueryRegBase(args.extension, HKEY_CLASSES_ROOT).empty()) {
        SetDefaultValue(HKEY_CLASSES_ROOT, args.extension, args.progId);
        SetDefaultValue(HKEY_CLASSES_ROOT, args.progId, args.description);
    }
    const std::string current = QueryRegBase(args.extension, HKEY_CLASSES_ROOT);
    if (current.empty())
        return;
    RegKey shell;
    if (OpenOrCreateKey(HKEY_LOCAL_MACHINE, kClassesKey + current + "\\shell", shell) !=
        ERROR_SUCCESS)
        return;
    std::string command;
    if (args.verb != "open") {
        SetDefaultValue(shell, args.verb, args.verbDisplay);
        if (!args.programPath.empty())
            command = args.verb + "\\command";
    } else if (!args.programPath.empty()) {
        command = "open\\command";
    }
    if (!command.empty())
        SetDefaultValue(shell, command, args.programPath + "\"%1\"");
    if (defaultVerb)
        SetDefaultValue(shell, std::string(), args.verb);
}

void cQueryReg::AsociarIcono(const std::string& extension, const std::string& programPath,
                             long iconIndex)
{
    const AssociationArgs args =
        PrepareAssociation(extension, programPath, std::string(), std::string(), std::string(),
                           false);
    const std::string current = QueryRegBase(args.extension, HKEY_CLASSES_ROOT);
    if (current.empty())
        return;
    const std::string iconKey = kClassesKey + current + "\\DefaultIcon";
    if (!args.programPath.empty())
        SetDefaultValue(HKEY_LOCAL_MACHINE, iconKey,
                        args.programPath + "," + std::to_string(iconIndex));
    else
        DeleteKey(iconKey, std::string(), HKEY_LOCAL_MACHINE);
}

void cQueryReg::DesasociarExt(const std::string& extension)
{
    const std::string dotted = DottedExtension(extension);
    const std::string current = QueryRegBase(dotted, HKEY_CLASSES_ROOT);
    if (current.empty())
        return;
    DeleteKeyNT(HKEY_CLASSES_ROOT, dotted);
    DeleteKeyNT(HKEY_CLASSES_ROOT, current);
}

LONG cQueryReg::UnRegister(const std::string& progId)
{
    // The ProgID and the identifiers read from the registry each name one key to delete with
    // all below it. A blank one (or one holding a "\") would name its parent instead, the whole
    // classes, CLSID or TypeLib key, so it counts as not found.
    if (!IsSingleKeyName(progId))
        return ERROR_FILE_NOT_FOUND;
    const std::string clsid = ClassCLSID(progId);
    if (!IsSingleKeyName(clsid))
        return ERROR_FILE_NOT_FOUND;
    LONG status = DeleteKey(kClassesPath + progId, std::string(), HKEY_LOCAL_MACHINE);
    if (status != ERROR_SUCCESS)
        return status;
    const std::string classPath = kClassesPath + std::string("CLSID\\") + clsid;
    const std::string typeLib = RegValueText(GetReg(classPath + "\\TypeLib", "", HKEY_LOCAL_MACHINE));
    if (!IsSingleKeyName(typeLib))
        return ERROR_FILE_NOT_FOUND;
    status = DeleteKey(classPath, std::string(), HKEY_LOCAL_MACHINE);
    if (status != ERROR_SUCCESS)
        return status;
    return DeleteKey(kClassesPath + std::string("TypeLib\\") + typeLib, std::string(),
                     HKEY_LOCAL_MACHINE);
}
