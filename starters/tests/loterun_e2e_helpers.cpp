#include "starters/tests/loterun_e2e_helpers.h"

#include <objbase.h>

#include <utility>
#include <vector>

#include "common/handles.h"
#include "tests/fixtures/batch_component.h"
#include "tests/support/setup_process.h"

namespace {

const char* const kClassesKey = "Software\\Classes\\";
const HKEY kClassesRoot = HKEY_LOCAL_MACHINE;

} // namespace

std::string BesideTest(const std::string& fileName)
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    const std::string self(path, n < sizeof path ? n : 0);
    return self.substr(0, self.find_last_of('\\') + 1) + fileName;
}

BatchClassRegistration::BatchClassRegistration() : BatchClassRegistration(BesideTest("batch_component.dll")) {}

BatchClassRegistration::BatchClassRegistration(const std::string& serverPath) : writes_(kClassesRoot)
{
    const std::string progIdKey = std::string(kClassesKey) + kBatchProgId;
    const std::string classKey = std::string(kClassesKey) + "CLSID\\" + kBatchComponentClassIdText;
    ok_ = writes_.SetString(progIdKey, "", "Stand-in batch class") &&
          writes_.SetString(progIdKey + "\\CLSID", "", kBatchComponentClassIdText) &&
          writes_.SetString(classKey, "", "Stand-in batch class") &&
          writes_.SetString(classKey + "\\ProgID", "", kBatchProgId) &&
          writes_.SetString(classKey + "\\InprocServer32", "", serverPath) &&
          writes_.SetString(classKey + "\\InprocServer32", "ThreadingModel", "Apartment");
}

std::optional<std::string> ClassIdOfProgId(const std::string& progId)
{
    const std::wstring wide(progId.begin(), progId.end());
    CLSID classId = {};
    if (FAILED(CLSIDFromProgID(wide.c_str(), &classId)))
        return std::nullopt;
    wchar_t text[64] = {};
    if (StringFromGUID2(classId, text, 64) == 0)
        return std::nullopt;
    return std::string(text, text + lstrlenW(text));
}

EnvironmentVariable::EnvironmentVariable(std::string name, const std::string& value)
    : name_(std::move(name))
{
    const DWORD size = GetEnvironmentVariableA(name_.c_str(), nullptr, 0);
    if (size > 0) {
        std::vector<char> buffer(size);
        const DWORD n = GetEnvironmentVariableA(name_.c_str(), buffer.data(), size);
        earlier_ = std::string(buffer.data(), n < size ? n : 0);
    }
    SetEnvironmentVariableA(name_.c_str(), value.c_str());
}

EnvironmentVariable::~EnvironmentVariable()
{
    SetEnvironmentVariableA(name_.c_str(), earlier_ ? earlier_->c_str() : nullptr);
}

bool WaitForFileText(const std::string& path, const std::string& text, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (ReadTextFile(path).find(text) == std::string::npos) {
        if (GetTickCount64() >= end)
            return false;
        PumpMessagesFor(20);
    }
    return true;
}
