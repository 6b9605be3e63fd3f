// Files through integer handles (disk files and memory files), whole-file
// writes, the profile file and the program's directories.
//
// Handles are positive; 0 means "no file" and is what a failed open returns.
// Every operation given a handle that names no open file does nothing and
// returns its failure value. The handle table is shared by all threads; each
// handle is meant to be used by one thread at a time.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace wy {

// Byte sequences may hold any byte, NUL included.
using Bytes = std::string;

// Opens an existing file for reading and writing, shared; never creates one.
int OpenFile(std::string_view path);
int OpenMemoryFile();
// From the current position to the end, or to the first 0x00 or 0x1A byte
// that starts a character (a lead byte directly followed by 0x00 is left out
// too); the position stays on the stopping byte.
std::string ReadText(int handle);
// The text ReadText gives for a file holding these bytes: everything before
// the first 0x00 or 0x1A that starts a character (and before a lead byte
// directly followed by 0x00). For readers that do not go through a handle.
std::string_view TextUpToStop(std::string_view bytes);
// Writes reach the disk file at once: nothing needs flushing before a crash.
bool WriteText(int handle, std::string_view text);
bool WriteLine(int handle, std::string_view text);
bool SeekToStart(int handle);
void CloseFile(int handle);

// Replaces the file's content in one step: the bytes go to a temporary file in
// the same directory, which is synced and then renamed over the target, so a
// crash or a full disk never leaves a half-written file. On failure the old
// file is untouched and the result is false.
bool WriteWholeFile(std::string_view path, std::string_view bytes);
// The whole content of a file, or nothing when it cannot be read.
std::optional<Bytes> ReadWholeFile(std::string_view path);

// True when a file or directory matches; '*' and '?' in the last component
// match as in a directory listing.
bool FileExists(std::string_view path);
bool DeleteFile(std::string_view path);

// Profile files: leading bytes 0x01..0x20 of each argument are skipped; a
// missing file, section or key reads as "". Values read are at most 10,239 bytes.
std::string ReadConfig(std::string_view file, std::string_view section, std::string_view key);
bool WriteConfig(std::string_view file, std::string_view section, std::string_view key,
                 std::string_view value);

std::string ProgramDirectory();
std::string TempDirectory();
// A name in dir (tick count plus a counter, in hex, then ".tmp") that names no
// existing file. The file is not created.
std::string TempFileName(std::string_view dir);

Bytes TextToBytes(std::string_view text);
std::string BytesToText(std::string_view bytes);
std::size_t BytesLength(std::string_view bytes);

}  // namespace wy
