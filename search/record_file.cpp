#include "search/record_file.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include "bank/question_line.h"
#include "search/pinyin.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "text/os.h"

namespace wy {

namespace {

// Appends bytes at the end of the existing file, after a CR LF when the file
// does not end with a line feed. On failure the file is cut back to its old
// length so no half line stays behind.
bool AppendLine(std::string_view path, std::string_view line) {
    std::FILE* f = os::OpenExistingForUpdate(path);
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    ok = size >= 0;
    std::string bytes;
    if (ok && size > 0) {
        int last = std::fseek(f, -1, SEEK_END) == 0 ? std::fgetc(f) : EOF;
        ok = last != EOF && std::fseek(f, 0, SEEK_END) == 0;
        if (last != '\n') bytes = "\r\n";
    }
    bytes.append(line).append("\r\n");
    ok = ok && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && os::SyncToDisk(f);
    ok = std::fclose(f) == 0 && ok;
    if (!ok && size >= 0) {
        std::error_code ec;
        std::filesystem::resize_file(os::NativePath(path), static_cast<std::uintmax_t>(size), ec);
    }
    return ok;
}

}  // namespace

RecordOutcome RecordInFile(std::string_view path, std::string_view itemText) {
    if (!FileExists(path) && !WriteWholeFile(path, "")) return RecordOutcome::Failed;
    int h = OpenFile(path);
    if (h == 0) return RecordOutcome::Failed;
    std::string recorded = ReadText(h);
    CloseFile(h);

    std::string candidate = ImportBankLine(itemText);
    std::string key = PinyinInitials(candidate);
    for (std::string_view line : Split(recorded, "\r\n")) {
        if (PinyinInitials(line) == key) return RecordOutcome::AlreadyRecorded;
    }
    return AppendLine(path, candidate) ? RecordOutcome::Added : RecordOutcome::Failed;
}

}  // namespace wy
