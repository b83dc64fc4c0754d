#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "starters/tests/registry_writes.h"
#include "tests/support/staging.h" // ReadTextFile

// What the end-to-end runs of loterun.exe share: the product's fixed class name, the stand-in
// class registered under it, and the stand-in's settings, passed through the environment that
// the started program inherits.

inline constexpr char kBatchProgId[] = "VlmScrivex.ClsEscanScrivex";

// Full path of a file beside the running test executable.
std::string BesideTest(const std::string& fileName);

// The stand-in class registered under the product's programmatic identifier for the lifetime
// of the object. It goes into the machine's classes (HKLM\Software\Classes): Wine's class
// lookup does not read per-user registrations (HKCU\Software\Classes), so a per-user one would
// leave the class unknown there. Whatever registration was there before is back afterwards.
class BatchClassRegistration {
public:
    // With the stand-in's library beside the test, or the given one.
    BatchClassRegistration();
    explicit BatchClassRegistration(const std::string& serverPath);
    bool Ok() const { return ok_; }

private:
    RegistryWrites writes_;
    bool ok_ = false;
};

// The class id the system finds for a programmatic identifier, none when it finds none.
std::optional<std::string> ClassIdOfProgId(const std::string& progId);

// An environment variable of this process (inherited by the programs it starts) for the
// lifetime of the object; the earlier value, or none, is back afterwards.
class EnvironmentVariable {
public:
    EnvironmentVariable(std::string name, const std::string& value);
    ~EnvironmentVariable();
    EnvironmentVariable(const EnvironmentVariable&) = delete;
    EnvironmentVariable& operator=(const EnvironmentVariable&) = delete;

private:
    std::string name_;
    std::optional<std::string> earlier_;
};

// Waits, bounded, until the file holds the text; false when it does not within the time.
bool WaitForFileText(const std::string& path, const std::string& text, DWORD milliseconds);
