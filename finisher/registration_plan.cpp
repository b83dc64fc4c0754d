#include "finisher/registration_plan.h"

#include "finisher/install_paths.h"

namespace {

RegistrationPlan Missing(const std::string& key, const char* value)
{
    RegistrationPlan plan;
    plan.entry = {kNetFrameworkSection, key, value};
    return plan;
}

} // namespace

RegistrationPlan PlanRegistration(const std::string& installRoot, const std::string& typeLibraryPath,
                                  const ExistenceTest& folderExists, const ExistenceTest& fileExists)
{
    if (installRoot.empty())
        return Missing(kNetFrameworkKeyPath, kNotInstalled);
    const std::string framework = FrameworkFolder(installRoot);
    if (!folderExists(framework))
        return Missing(framework, kNotFound);
    const std::string frameworkWithSlash = FrameworkFolderWithSlash(framework);
    const std::string tool = RegistrationToolPath(frameworkWithSlash);
    if (!fileExists(tool))
        return Missing(frameworkWithSlash, kNoRegistrationTool);
    if (!fileExists(typeLibraryPath))
        return Missing(typeLibraryPath, kFileToRegisterMissing);
    const std::string library = TypeLibraryDllPath(typeLibraryPath);
    if (!fileExists(library))
        return Missing(library, kFileToRegisterMissing);

    RegistrationPlan plan;
    plan.run = true;
    plan.toolPath = tool;
    plan.commandLine = RegistrationCommandLine(tool, typeLibraryPath, library);
    plan.toolCommandLine = ToolCommandLine(tool, typeLibraryPath, library);
    plan.entry = {kNetFrameworkSection, kRegistrationRunKey, plan.commandLine};
    return plan;
}
