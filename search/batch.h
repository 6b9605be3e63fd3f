// Batch check: stepping through a list of questions loaded from a file.
//
// The window keeps one Batch (BatchList and BatchIndex). A load replaces the
// list; each step forward or back gives the line to put into the search box
// and search, with the texts for the position and progress fields.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/text_array.h"

namespace wy {

struct Batch {
    TextArray list;  // the lines of the file, as read
    int index = 0;   // 1-based number of the line taken last; 0 when none since the load
};

// "i/N" (GBK digits), e.g. "0/25" right after loading 25 lines.
std::string BatchPositionText(int index, std::size_t count);
// "正在处理" + i + "个" (GBK).
std::string BatchProgressText(int index);

// Replaces the list by the lines of a batch file's text (cut at CR LF: a final
// CR LF adds no line, an empty line in between is an entry) and goes back to
// 0. Returns the position text to show, or nullopt when the list is empty:
// then the position field keeps what it showed. A cancelled dialog or a file
// that cannot be read is loaded as "", which empties the list.
std::optional<std::string> LoadBatch(Batch& batch, std::string_view fileText);

struct BatchStep {
    std::string line;          // put into the search box, then search it
    std::string positionText;  // for the position field
    std::string progressText;  // for the outcome field
};

// One line on, or nullopt (and no change) at the last line or with no list.
std::optional<BatchStep> StepBatchForward(Batch& batch);
// One line back, or nullopt (and no change) at line 1 or before any step.
std::optional<BatchStep> StepBatchBack(Batch& batch);

}  // namespace wy
