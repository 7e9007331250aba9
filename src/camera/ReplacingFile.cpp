#include "ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// As many links in a row as the system itself follows before it gives up.
constexpr int kMaxLinkHops = 40;

std::string folderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a chain of symbolic links ends at (which need not exist yet); path itself when it
// is no link. False (errno set) for a loop or a link that cannot be read.
bool followLinks(const std::string& path, std::string& target)
{
    std::string current = path;
    for (int hop = 0; hop < kMaxLinkHops; ++hop) {
        struct stat st {};
        if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            target = current;
            return true;
        }
        char buffer[PATH_MAX];
        const ssize_t n = ::readlink(current.c_str(), buffer, sizeof buffer);
        if (n < 0)
            return false;
        if (size_t(n) >= sizeof buffer) {
            errno = ENAMETOOLONG;
            return false;
        }
        const std::string next(buffer, size_t(n));
        current = next.front() == '/' ? next : folderOf(current) + "/" + next;
    }
    errno = ELOOP;
    return false;
}

} // namespace

ReplacingFile::~ReplacingFile()
{
    Discard();
}

bool ReplacingFile::fail(int code, const char* what)
{
    Discard();
    m_error = what ? std::string(what) : std::string(std::strerror(code));
    return false;
}

bool ReplacingFile::Open(const std::string& path)
{
    Discard();
    m_error.clear();
    if (!followLinks(path, m_target))
        return fail(errno, nullptr);
    const std::string folder = folderOf(m_target);
    struct stat st {};
    m_existed = ::stat(m_target.c_str(), &st) == 0;
    if (m_existed) {
        if (S_ISDIR(st.st_mode))
            return fail(EISDIR, "This name belongs to a folder, not to a file.");
        if (!S_ISREG(st.st_mode))
            return fail(EINVAL, "This name does not belong to an ordinary file.");
        if (::access(m_target.c_str(), W_OK) != 0 && errno == EACCES)
            return fail(EACCES, "The file is write-protected, so it is not replaced.");
        m_mode = st.st_mode & 07777;
        m_uid = st.st_uid;
        m_gid = st.st_gid;
    }
    // A name of our own beside the file, so that the rename stays on one file system.
    m_aside = m_target + ".saving-" + std::to_string(::getpid());
    for (int attempt = 0; attempt < 2 && m_fd < 0; ++attempt) {
        m_fd = ::open(m_aside.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd < 0 && errno == EEXIST && attempt == 0)
            ::unlink(m_aside.c_str()); // left by an earlier run that ended while saving
        else if (m_fd < 0)
            break;
    }
    if (m_fd < 0) {
        const int code = errno;
        m_aside.clear();
        switch (code) {
        case EACCES:
        case EPERM:
            return fail(code, ("The folder " + folder + " is not writable: no file can be saved in it.").c_str());
        case EROFS:
            return fail(code, ("The folder " + folder + " is on a read-only file system: no file can be saved in it.")
                                  .c_str());
        case ENOENT:
            return fail(code, ("The folder " + folder + " does not exist.").c_str());
        default:
            return fail(code, nullptr);
        }
    }
    if (m_existed) {
        // The owner first: changing it may clear set-id bits that the mode then restores. Only
        // a privileged saver may give the file to someone else; that failing is no error.
        (void)!::fchown(m_fd, m_uid, m_gid);
        if (::fchmod(m_fd, m_mode) != 0)
            return fail(errno, nullptr);
    }
    return true;
}

bool ReplacingFile::Write(const char* data, size_t size)
{
    if (m_fd < 0)
        return fail(EBADF, m_error.empty() ? nullptr : m_error.c_str());
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(m_fd, data + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return fail(n < 0 ? errno : EIO, nullptr);
        done += size_t(n);
    }
    return true;
}

bool ReplacingFile::Commit()
{
    if (m_fd < 0)
        return fail(EBADF, m_error.empty() ? nullptr : m_error.c_str());
    const int synced = ::fsync(m_fd) == 0 ? 0 : errno;
    const int closed = ::close(m_fd) == 0 ? 0 : errno;
    m_fd = -1;
    if (synced || closed)
        return fail(synced ? synced : closed, nullptr);
    if (::rename(m_aside.c_str(), m_target.c_str()) != 0)
        return fail(errno, nullptr);
    m_aside.clear();
    // The rename itself lives in the folder: without this a power cut may still bring back
    // the old file, or none.
    const int folder = ::open(folderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return true;
}

void ReplacingFile::Discard()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_aside.empty()) {
        ::unlink(m_aside.c_str());
        m_aside.clear();
    }
}

bool WriteFileReplacing(const std::string& path, const std::string& text, std::string* error)
{
    ReplacingFile file;
    const bool written = file.Open(path) && file.Write(text.data(), text.size()) && file.Commit();
    if (!written && error)
        *error = file.Error();
    return written;
}
