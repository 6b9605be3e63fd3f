// The record file: a bank text of questions the user chose to keep, one per
// pinyin key. A question is appended unless a line with the same key is
// already there.
#pragma once

#include <string_view>

namespace wy {

// 记录添加的题目.txt (GBK), in the program directory.
inline constexpr std::string_view kRecordFileName =
    "\xBC\xC7\xC2\xBC\xCC\xED\xBC\xD3\xB5\xC4\xCC\xE2\xC4\xBF.txt";

enum class RecordOutcome {
    Added,            // the question was appended
    AlreadyRecorded,  // a recorded line has the same pinyin key; the file is unchanged
    Failed,           // the file could not be created, opened or written
};

// Records ImportBankLine(itemText) (a "(自定义)" tag stays in it) in the file
// at path. Keys are compared whole, so two texts without GB2312 Chinese
// characters share the empty key. The file is created empty when missing and
// is otherwise only appended to, always at its end: lines after a 0x00 or
// 0x1A byte are not compared but are never overwritten, and a last line
// without CR LF gets one before the new line so the two are not joined.
// A failed write is undone as far as the file allows and reported as Failed.
RecordOutcome RecordInFile(std::string_view path, std::string_view itemText);

}  // namespace wy
