// POSIX side of the OS seam.
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

#include "text/gbk_unicode.h"
#include "text/os.h"
#include "text/profile_file.h"

namespace wy::os {

const char kDirSeparator[] = "/";

std::filesystem::path NativePath(std::string_view gbkPath) {
    return std::filesystem::path(GbkToUtf8(gbkPath));
}

std::string FromNativePath(const std::filesystem::path& path) { return Utf8ToGbkLossy(path.string()); }

std::string ProgramDirectory() {
    std::error_code ec;
    auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return FromNativePath(std::filesystem::current_path(ec));
    return FromNativePath(exe.parent_path());
}

std::string TempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = (dir && *dir) ? Utf8ToGbkLossy(dir) : "/tmp";
    if (path.back() != '/') path += '/';
    return path;
}

std::FILE* OpenExistingForUpdate(std::string_view gbkPath) {
    auto native = NativePath(gbkPath);
    struct stat st {};
    if (::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return nullptr;
    std::FILE* f = std::fopen(native.c_str(), "r+b");
    if (f) std::setvbuf(f, nullptr, _IONBF, 0);
    return f;
}

std::FILE* CreateExclusive(std::string_view gbkPath) {
    int fd = ::open(NativePath(gbkPath).c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return nullptr;
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) ::close(fd);
    return f;
}

bool SyncToDisk(std::FILE* file) { return std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0; }

std::string ReadProfileValue(std::string_view file, std::string_view section, std::string_view key) {
    return ProfileFile::Load(file).value(section, key);
}

bool WriteProfileValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value) {
    ProfileFile profile = ProfileFile::Load(file);
    profile.setValue(section, key, value);
    return profile.save(file);
}

void TrimWorkingSet() { ::malloc_trim(0); }

bool RunningAsAdministrator() { return ::geteuid() == 0; }

}  // namespace wy::os
