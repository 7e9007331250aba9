#pragma once
// Saving a file so that a failure never leaves a torn one: the new content is written beside
// the file, synced, renamed over it and the folder synced, so the file on disk is always the
// old one or the complete new one. What the person had stays as it was: a symbolic link stays
// a link (its target gets the new content), a replaced file keeps its permission bits (and,
// where allowed, its owner), and a write-protected file is not replaced. Failures are told in
// plain words (a folder that does not take new files says so). Qt-free.
#include <cstddef>
#include <string>

class ReplacingFile {
public:
    ReplacingFile() = default;
    // A file neither committed nor discarded is discarded.
    ~ReplacingFile();
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;

    // Starts the new content of path. False with Error() when it cannot be written there.
    bool Open(const std::string& path);
    // Appends; false with Error() on any failure (the file is then discarded).
    bool Write(const char* data, size_t size);
    // Puts the complete content in place of the file. False with Error(), the file untouched.
    bool Commit();
    // Drops what was written; the file stays as it was.
    void Discard();
    const std::string& Error() const { return m_error; }

private:
    bool fail(int code, const char* what);

    std::string m_target; // path with its symbolic links followed
    std::string m_aside;
    std::string m_error;
    int m_fd = -1;
    bool m_existed = false;
    unsigned m_mode = 0;
    unsigned m_uid = 0, m_gid = 0;
};

// The whole content at once; false with the reason in error.
bool WriteFileReplacing(const std::string& path, const std::string& text, std::string* error = nullptr);
