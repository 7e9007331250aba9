// The parts of the Camera Link library loader that ask the operating system: who may change a
// file or folder, where the dynamic loader searches, and dlopen itself.
#include "ClLibrary.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <glob.h>
#include <sys/auxv.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

// Empty when what stat describes cannot be changed by anyone but root or this user.
std::string unsafeOwnership(const struct stat& st, const char* what)
{
    if (st.st_uid != 0 && st.st_uid != geteuid())
        return std::string(what) + " belongs to user " + std::to_string(st.st_uid);
    if (st.st_mode & (S_IWGRP | S_IWOTH))
        return std::string(what) + " is writable by group or others";
    return {};
}

std::string checkFolder(const std::string& folder)
{
    struct stat st {};
    if (stat(folder.c_str(), &st) != 0)
        return "folder " + folder + ": " + std::strerror(errno);
    return unsafeOwnership(st, ("folder " + folder).c_str());
}

void addConfFolders(const std::string& file, std::vector<std::string>& folders, int depth)
{
    std::ifstream in(file);
    std::string line;
    while (depth < 8 && std::getline(in, line)) {
        line.erase(std::find(line.begin(), line.end(), '#'), line.end());
        auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos)
            continue;
        line = line.substr(first, line.find_last_not_of(" \t\r") + 1 - first);
        if (line.rfind("include", 0) == 0 && line.size() > 7 && (line[7] == ' ' || line[7] == '\t')) {
            std::string pattern = line.substr(line.find_first_not_of(" \t", 7));
            if (!pattern.empty() && pattern[0] != '/')
                pattern = folderOf(file) + "/" + pattern;
            glob_t matches {};
            if (glob(pattern.c_str(), 0, nullptr, &matches) == 0)
                for (size_t i = 0; i < matches.gl_pathc; ++i)
                    addConfFolders(matches.gl_pathv[i], folders, depth + 1);
            globfree(&matches);
        } else if (line[0] == '/') {
            folders.push_back(line.substr(0, line.find_first_of(" \t=")));
        }
    }
}

} // namespace

std::string ClLibraryRefusal(const std::string& path)
{
    // The folder that names the file decides who can swap it; after symbolic links, the real
    // file and its folder decide who can change its contents.
    if (auto reason = checkFolder(folderOf(path)); !reason.empty())
        return reason;
    char real[PATH_MAX];
    if (!realpath(path.c_str(), real))
        return std::strerror(errno);
    struct stat st {};
    if (stat(real, &st) != 0)
        return std::strerror(errno);
    if (!S_ISREG(st.st_mode))
        return "not a regular file";
    if (auto reason = unsafeOwnership(st, "file"); !reason.empty())
        return reason;
    std::string realFolder = folderOf(real);
    if (realFolder != folderOf(path))
        return checkFolder(realFolder);
    return {};
}

std::vector<std::string> ClLibrarySearchFolders()
{
    std::vector<std::string> folders;
    const char* env = getauxval(AT_SECURE) ? nullptr : std::getenv("LD_LIBRARY_PATH");
    if (env) {
        std::string list(env);
        size_t start = 0;
        while (start <= list.size()) {
            size_t end = list.find_first_of(":;", start);
            if (end == std::string::npos)
                end = list.size();
            // An empty entry would mean the current folder; a library is never taken from there.
            if (end > start)
                folders.push_back(list.substr(start, end - start));
            start = end + 1;
        }
    }
    addConfFolders("/etc/ld.so.conf", folders, 0);
    for (const char* folder : {"/lib", "/usr/lib", "/lib64", "/usr/lib64"})
        folders.push_back(folder);
    return folders;
}

void* ClLibrary::openHandle(const std::string& path)
{
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* ClLibrary::resolve(void* handle, const char* name)
{
    return dlsym(handle, name);
}

void ClLibrary::closeHandle(void* handle)
{
    dlclose(handle);
}
