#pragma once
// Loading Camera Link serial libraries safely. A library runs inside this program with the
// user's rights, so it is loaded only from a file and folder that no other user can change:
// neither may be writable by group or others, and both must belong to root or to the user.
// A refused library counts as missing; the reason goes to standard error in one line.
#include <cstddef>
#include <span>
#include <string>
#include <vector>

// Empty when the file at path may be loaded; otherwise why it may not.
std::string ClLibraryRefusal(const std::string& path);

// The folders that the platform's loader searches for a bare library name, in its order:
// LD_LIBRARY_PATH (ignored for set-user-id programs), the folders of /etc/ld.so.conf and the
// loader's own default folders. Read afresh at every call, so a change of the variable takes
// effect at the next load (tests point it at their own folders this way).
std::vector<std::string> ClLibrarySearchFolders();

// The first file called fileName in the search folders; empty when there is none.
std::string ClFindLibrary(const std::string& fileName);

// The names of the files in folder that match pattern (shell wildcards), sorted by name.
// Files that may not be loaded are left out (their reason goes to standard error).
std::vector<std::string> ClScanFolder(const std::string& folder, const char* pattern);

// One loaded library. Each object holds its own load; the platform counts loads, so a
// library loaded by two objects stays in memory until both have let it go.
class ClLibrary {
public:
    ClLibrary() = default;
    ~ClLibrary() { Unload(); }
    ClLibrary(const ClLibrary&) = delete;
    ClLibrary& operator=(const ClLibrary&) = delete;

    // Loads the file at path and resolves every name into entries (same length). Fails, with
    // nothing left loaded, when the file is refused, cannot be loaded or lacks any name.
    // A library that was loaded before is let go first.
    bool Load(const std::string& path, std::span<const char* const> names, std::span<void*> entries);
    void Unload();
    bool IsLoaded() const { return m_handle != nullptr; }

private:
    // The platform's dynamic loader (ClLibraryPosix.cpp).
    static void* openHandle(const std::string& path);
    static void* resolve(void* handle, const char* name);
    static void closeHandle(void* handle);

    void* m_handle = nullptr;
};

// Copies resolved entries into typed function pointers, in order.
template <typename... Fn>
void ClAssignEntries(std::span<void* const> entries, Fn**... targets)
{
    std::size_t i = 0;
    ((*targets = reinterpret_cast<Fn*>(entries[i++])), ...);
}
