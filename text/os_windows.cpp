// Windows side of the OS seam. Paths are GBK (code page 936) texts; they are
// widened with the Win32 conversion so that the wide file API is used.
#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <psapi.h>
#include <share.h>

#include <vector>

#include "text/os.h"

namespace wy::os {

const char kDirSeparator[] = "\\";

namespace {

std::wstring Widen(std::string_view gbk) {
    if (gbk.empty()) return {};
    int n = MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(936, 0, gbk.data(), static_cast<int>(gbk.size()), out.data(), n);
    return out;
}

std::string Narrow(const std::wstring& wide) {
    if (wide.empty()) return {};
    int n = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace

std::filesystem::path NativePath(std::string_view gbkPath) { return std::filesystem::path(Widen(gbkPath)); }

std::string FromNativePath(const std::filesystem::path& path) { return Narrow(path.wstring()); }

std::string ProgramDirectory() {
    std::vector<wchar_t> buffer(32768);
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::wstring exe(buffer.data(), n);
    std::wstring dir = exe.substr(0, exe.find_last_of(L"\\/"));
    return Narrow(dir);
}

std::string TempDirectory() {
    wchar_t buffer[MAX_PATH + 1];
    DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
    if (n == 0 || n > MAX_PATH) return {};
    std::string path = Narrow(std::wstring(buffer, n));
    if (path.back() != '\\') path += '\\';
    return path;
}

std::FILE* OpenExistingForUpdate(std::string_view gbkPath) {
    std::wstring wide = Widen(gbkPath);
    DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return nullptr;
    std::FILE* f = _wfsopen(wide.c_str(), L"r+b", _SH_DENYNO);
    if (f) std::setvbuf(f, nullptr, _IONBF, 0);
    return f;
}

std::FILE* CreateExclusive(std::string_view gbkPath) {
    // The C runtime mingw links against has no "x" open mode: use O_EXCL.
    int fd = -1;
    if (_wsopen_s(&fd, Widen(gbkPath).c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _SH_DENYWR,
                  _S_IREAD | _S_IWRITE) != 0) {
        return nullptr;
    }
    std::FILE* f = _fdopen(fd, "wb");
    if (!f) _close(fd);
    return f;
}

bool SyncToDisk(std::FILE* file) {
    return std::fflush(file) == 0 &&
           FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(file)))) != 0;
}

// The ANSI profile functions take the GBK bytes of the values as they are, so
// the file holds GBK text whatever the program is given. (The file name is
// read in the system code page, which is 936 on a Chinese system.)
std::string ReadProfileValue(std::string_view file, std::string_view section, std::string_view key) {
    std::vector<char> buffer(10240);
    DWORD n = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "",
                                       buffer.data(), static_cast<DWORD>(buffer.size()),
                                       std::string(file).c_str());
    return std::string(buffer.data(), n);
}

bool WriteProfileValue(std::string_view file, std::string_view section, std::string_view key,
                       std::string_view value) {
    return WritePrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(),
                                      std::string(value).c_str(), std::string(file).c_str()) != 0;
}

void TrimWorkingSet() { SetProcessWorkingSetSize(GetCurrentProcess(), 50000, 100000); }

bool RunningAsAdministrator() { return false; }  // the browser sandbox works for administrators

}  // namespace wy::os
