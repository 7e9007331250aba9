#include "ClLibrary.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

void reportRefusal(const std::string& path, const std::string& reason)
{
    std::fprintf(stderr, "Camera Link library %s refused: %s\n", path.c_str(), reason.c_str());
}

bool isRegularFile(const std::string& path)
{
    std::error_code error;
    return fs::is_regular_file(path, error);
}

// Shell wildcards '*' and '?', as the library patterns use them.
bool matches(const char* pattern, const char* name)
{
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*pattern == '*') {
            star = pattern++;
            resume = name;
        } else if (*pattern == '?' || *pattern == *name) {
            ++pattern;
            ++name;
        } else if (star) {
            pattern = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*pattern == '*')
        ++pattern;
    return *pattern == '\0';
}

} // namespace

std::string ClFindLibrary(const std::string& fileName)
{
    for (const auto& folder : ClLibrarySearchFolders()) {
        std::string path = folder + "/" + fileName;
        if (isRegularFile(path))
            return path;
    }
    return {};
}

std::vector<std::string> ClScanFolder(const std::string& folder, const char* pattern)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        std::string name = it->path().filename().string();
        std::string path = folder + "/" + name;
        if (!matches(pattern, name.c_str()) || !isRegularFile(path))
            continue;
        if (auto reason = ClLibraryRefusal(path); !reason.empty()) {
            reportRefusal(path, reason);
            continue;
        }
        names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool ClLibrary::Load(const std::string& path, std::span<const char* const> names, std::span<void*> entries)
{
    Unload();
    std::error_code error;
    // A missing library is simply not there; only one that exists can be refused.
    if (path.empty() || names.size() != entries.size() || !fs::exists(path, error))
        return false;
    if (auto reason = ClLibraryRefusal(path); !reason.empty()) {
        reportRefusal(path, reason);
        return false;
    }
    void* handle = openHandle(path);
    if (!handle)
        return false;
    for (size_t i = 0; i < names.size(); ++i) {
        entries[i] = resolve(handle, names[i]);
        if (!entries[i]) {
            std::fill(entries.begin(), entries.end(), nullptr);
            closeHandle(handle);
            return false;
        }
    }
    m_handle = handle;
    return true;
}

void ClLibrary::Unload()
{
    if (m_handle) {
        closeHandle(m_handle);
        m_handle = nullptr;
    }
}
