// Duplicate removal: the distinct non-empty lines of a bank in byte order.
//
// The lines go through two temporary table files in the temporary directory
// (see table_file.h): the lines as given, then the same records sorted. The
// sorted table is walked once to build the result.
#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "text/text_array.h"

namespace wy {

// The field of the table files: 姓名 (GBK).
inline constexpr std::string_view kDedupFieldName = "\xD0\xD5\xC3\xFB";

// Each distinct non-empty line once, in ascending order of unsigned bytes (a
// prefix before the longer text), each followed by CR LF; "" when there is
// none. Lines of any length come back whole.
//
// nullopt when a table file cannot be created, written or read back intact,
// and when *stop becomes true during the run; the caller then keeps its lines
// as they were. Both table files are deleted before it returns, on every path.
std::optional<std::string> DedupLines(const TextArray& lines, const std::atomic<bool>* stop = nullptr);

}  // namespace wy
