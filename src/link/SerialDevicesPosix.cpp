// Serial devices on POSIX systems: device nodes, udev's by-id links and the user database.
#include "SerialDevices.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

std::string& byIdFolder()
{
    static std::string folder = "/dev/serial/by-id";
    return folder;
}

// The path with every link followed; empty when it leads nowhere.
std::string realPath(const std::string& path)
{
    char buffer[PATH_MAX];
    return realpath(path.c_str(), buffer) ? std::string(buffer) : std::string();
}

bool linkOrFileExists(const std::string& path)
{
    struct stat st {};
    return lstat(path.c_str(), &st) == 0;
}

std::string groupName(gid_t gid)
{
    const group* g = getgrgid(gid);
    return g ? g->gr_name : std::to_string(gid);
}

std::string userName(uid_t uid)
{
    const passwd* p = getpwuid(uid);
    return p ? p->pw_name : std::to_string(uid);
}

// Whether the group is among this process's groups, which a session fixes when it begins.
bool processHasGroup(gid_t gid)
{
    if (getegid() == gid)
        return true;
    const int count = getgroups(0, nullptr);
    std::vector<gid_t> groups(count > 0 ? count : 0);
    const int got = getgroups(count, groups.data());
    return got > 0 && std::find(groups.begin(), groups.begin() + got, gid) != groups.begin() + got;
}

// Whether the user database makes the user a member of the group, as it does at once after
// usermod, while a running session keeps its old groups until the next login.
bool databaseHasMember(const passwd* user, gid_t gid)
{
    if (!user)
        return false;
    if (user->pw_gid == gid)
        return true;
    const group* g = getgrgid(gid);
    for (char** member = g ? g->gr_mem : nullptr; member && *member; ++member)
        if (std::strcmp(*member, user->pw_name) == 0)
            return true;
    return false;
}

std::string firstLine(const std::string& path)
{
    std::string line;
    if (FILE* file = std::fopen(path.c_str(), "r")) {
        char buffer[256];
        if (std::fgets(buffer, sizeof buffer, file))
            line = buffer;
        std::fclose(file);
    }
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r' || line.back() == ' '))
        line.pop_back();
    return line;
}

// The maker and product of the USB device behind a tty node, found by walking up from the
// node's device in sysfs to the first folder that names a product.
std::string adapterDescription(const std::string& node)
{
    const std::string name = node.substr(node.find_last_of('/') + 1);
    std::string folder = realPath("/sys/class/tty/" + name + "/device");
    for (int up = 0; up < 4 && folder.size() > 1; ++up) {
        const std::string product = firstLine(folder + "/product");
        if (!product.empty()) {
            const std::string maker = firstLine(folder + "/manufacturer");
            return maker.empty() || product.rfind(maker, 0) == 0 ? product : maker + " " + product;
        }
        folder = folder.substr(0, folder.find_last_of('/'));
    }
    return {};
}

std::vector<std::string> folderEntries(const std::string& path, const std::vector<std::string>& prefixes)
{
    std::vector<std::string> names;
    if (DIR* folder = opendir(path.c_str())) {
        while (const dirent* entry = readdir(folder)) {
            const std::string name = entry->d_name;
            if (name[0] == '.')
                continue;
            for (const std::string& prefix : prefixes)
                if (prefix.empty() || name.rfind(prefix, 0) == 0) {
                    names.push_back(path + "/" + name);
                    break;
                }
        }
        closedir(folder);
    }
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace

std::vector<SerialDevice> ListSerialDevices()
{
    std::vector<SerialDevice> devices;
    std::vector<std::string> named;
    for (const std::string& stable : folderEntries(SerialByIdFolder(), {""})) {
        const std::string real = realPath(stable);
        if (real.empty())
            continue; // a link left behind by an adapter that is gone
        devices.push_back({real, stable, true, adapterDescription(real)});
        named.push_back(real);
    }
    for (const std::string& node : folderEntries("/dev", {"ttyUSB", "ttyACM"}))
        if (std::find(named.begin(), named.end(), node) == named.end())
            devices.push_back({node, "", true, adapterDescription(node)});
    return devices;
}

const std::string& SerialByIdFolder()
{
    return byIdFolder();
}

void SetSerialByIdFolder(const std::string& folder)
{
    byIdFolder() = folder;
}

std::string ResolvePortDevice(const std::string& entry)
{
    if (entry.empty() || entry.find('/') != std::string::npos)
        return entry;
    const std::string stable = SerialByIdFolder() + "/" + entry;
    return linkOrFileExists(stable) ? stable : "/dev/" + entry;
}

SerialDevice DescribePortDevice(const std::string& entry)
{
    SerialDevice device;
    const std::string opened = ResolvePortDevice(entry);
    const std::string real = realPath(opened);
    device.present = !real.empty();
    device.path = device.present ? real : opened;
    if (!device.present)
        return device;
    DIR* folder = opendir(SerialByIdFolder().c_str());
    if (!folder)
        return device;
    while (const dirent* link = readdir(folder)) {
        const std::string candidate = SerialByIdFolder() + "/" + link->d_name;
        if (link->d_name[0] != '.' && realPath(candidate) == real) {
            device.stableName = candidate;
            break;
        }
    }
    closedir(folder);
    return device;
}

std::string PermissionAdvice(const std::string& device, int openError)
{
    struct stat st {};
    if ((openError != EACCES && openError != EPERM) || stat(device.c_str(), &st) != 0)
        return {};
    const std::string group = groupName(st.st_gid);
    if ((st.st_mode & (S_IRGRP | S_IWGRP)) != (S_IRGRP | S_IWGRP))
        return "Only its owner \"" + userName(st.st_uid) + "\" may use " + device + ", not its group \"" + group +
               "\": an administrator can give the group read and write access (MODE=\"0660\" in a udev rule) "
               "and add you to that group.";
    if (processHasGroup(st.st_gid))
        return {}; // something other than the owner and group bits refuses it
    const passwd* me = getpwuid(geteuid());
    if (databaseHasMember(me, st.st_gid))
        return "You joined the group \"" + group + "\" that may use " + device +
               " after this session began: log out and in again.";
    return "Only members of the group \"" + group + "\" may use " + device + ": add yourself with \"sudo usermod -aG " +
           group + " " + (me ? me->pw_name : "$USER") + "\", then log out and in again.";
}
