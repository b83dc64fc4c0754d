#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The decisions of the removal operations that need no system: the engine's Win32 side asks
// these and then makes the calls.

// Longest path the file-system buffers hold (260 bytes with the terminator).
constexpr std::size_t kMaxPathChars = 259;
// Program paths, command lines and library paths travel in 256-byte buffers.
constexpr std::size_t kMaxCommandChars = 255;
// At most this many "DIR" entries are kept; later ones are ignored.
constexpr std::size_t kMaxListedDirectories = 999;
// A progress bar range travels in 16 bits.
constexpr int kMaxProgressRange = 65535;

// A path that cannot be a single existing file or folder before the system is asked: too long
// for the path buffer, or holding a wildcard (a find-first search would match other names, and
// a wildcard handed to the shell's delete would widen it).
bool PathMayExist(const std::string& path);

// The path without its last character when that is a backslash (only one is dropped).
std::string DropTrailingBackslash(const std::string& path);

// A removal-time target containing "http://" (case-sensitive, anywhere) is a web page.
bool IsWebTarget(const std::string& target);

// Only ".dll" and ".DLL" mark a library; "Hook.Dll" is started as a program.
bool IsLibraryPath(const std::string& path);

// The installer-folder path of a removal-time target: the language file path, a backslash and
// the target, then every "language.lan\" taken out, which leaves the folder holding the
// language file in front of the target.
std::string ThirdPartyCandidatePath(const std::string& languageFile, const std::string& target);

// One step of moving the process's current folder out of a folder about to be deleted: the
// folder to change to next, or nothing when the walk stops (the current folder is a proper
// ancestor of the target, is a drive root, has no backslash, or its parent is a drive root).
std::optional<std::string> NextFolderOutOf(const std::string& currentFolder, const std::string& target);

// The source list of the shell's delete: the path cut to 260 bytes, followed by two zero bytes
// (the returned string's size counts one of them; c_str() supplies the second).
std::string TreeDeleteSourceList(const std::string& path);

// The shell flags of a tree delete: no confirmation, no confirmation for folders (0x210); a
// silent run also suppresses the shell's progress window and error messages.
unsigned TreeDeleteFlags(int runMode);

// Progress totals above the 16-bit range of the bar are scaled onto 0..65535; smaller ones
// (and anything not positive) pass unchanged.
int ScaledProgressRange(int total);
int ScaledProgressPosition(int position, int total);

// Whether a failed delete means that a program holds the file: a sharing or lock violation, or
// access denied (what the system says for a file mapped as a running program's image). Error
// numbers as the system gives them: 32, 33, 5.
bool IsInUseError(unsigned long error);

// The hidden name an in-use file is renamed to before it is queued for deletion at restart: in
// the same folder, "~vt" followed by the process id and a counter in hexadecimal and ".del", so
// that a reinstall before the restart can write the original name and the queued delete can
// never hit the new file. "C:\App\core.dll", 0x1f2a, 1 gives "C:\App\~vt00001f2a0001.del".
std::string InUseHiddenName(const std::string& path, unsigned long processId, unsigned counter);

// Of the folders that stay after the closing steps, those that hold a file queued for restart
// (compared without regard to case), deepest first: each is queued after its files and after its
// own queued subfolders, so that the restart empties a folder before it removes it. Trailing
// backslashes are dropped; duplicates go.
std::vector<std::string> FoldersToQueue(const std::vector<std::string>& stayingFolders,
                                        const std::vector<std::string>& queuedFiles);
