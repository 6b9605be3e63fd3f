// The seam to the operating system. Everything that differs between POSIX and
// Windows lives behind these functions; os_posix.cpp and os_windows.cpp hold
// the two implementations and CMake picks one.
//
// Paths inside the program are GBK texts in the platform's own form: joined
// with kDirSeparator ('/' on POSIX, '\' on Windows). NativePath turns such a
// text into the OS's encoding at the system call (UTF-8 on Linux, UTF-16 on
// Windows), so files with Chinese names read right in a file manager.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace wy::os {

extern const char kDirSeparator[];

std::filesystem::path NativePath(std::string_view gbkPath);
std::string FromNativePath(const std::filesystem::path& path);

// Directory of the running executable, without a trailing separator.
std::string ProgramDirectory();
// The temporary-files directory, with a trailing separator ("" if unknown).
std::string TempDirectory();

// Opens an existing regular file for reading and writing, shared with other
// handles and programs, unbuffered. A file without any write permission counts
// as read-only and is refused even for an administrator.
std::FILE* OpenExistingForUpdate(std::string_view gbkPath);
// Creates a new file that must not exist yet, for writing.
std::FILE* CreateExclusive(std::string_view gbkPath);
// Pushes written data to the storage device.
bool SyncToDisk(std::FILE* file);

// Profile (ini) file access with the Windows profile-function contract.
std::string ReadProfileValue(std::string_view file, std::string_view section, std::string_view key);
bool WriteProfileValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value);

// Gives memory the process no longer uses back to the OS.
void TrimWorkingSet();

// True when the process runs with administrator (root) rights.
bool RunningAsAdministrator();

}  // namespace wy::os
