// The decisions behind adding, modifying and deleting bank questions.
//
// Each function looks at the bank as it is and says what the edit should do;
// the window applies the answer to its list, its controls and the saved bank
// file (BankText of the bank, written whole after every change). Lines are
// matched the way FindText matches: bytes compared exactly, a match starting
// only at a character boundary, and the empty text found in every non-empty
// line.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/text_array.h"

namespace wy {

// The saved copy of the bank in the program directory: 修改过的题库.txt (GBK).
inline constexpr std::string_view kSavedBankFileName =
    "\xD0\xDE\xB8\xC4\xB9\xFD\xB5\xC4\xCC\xE2\xBF\xE2.txt";

// Index of the first line that contains text, or nullopt. An empty text is
// contained in the first non-empty line.
std::optional<std::size_t> FirstLineContaining(const TextArray& lines, std::string_view text);

// Whether a (normalised) question may be appended: no line contains it yet.
// An empty question is therefore new only while every line is empty.
bool IsNewQuestion(const TextArray& bank, std::string_view question);

// The line that a modification replaces, or nullopt when it is refused: with
// an empty search box, with no item selected (selectedItem is nullopt), with
// an empty selected item (whose empty text every question contains), or when
// no line contains the selected item's text. The window then removes that
// line and appends the search box text, unchanged, at the end of the bank.
std::optional<std::size_t> LineToModify(const TextArray& bank, std::string_view searchBoxText,
                                        std::optional<std::string_view> selectedItem);

// The line that a deletion removes: the first line containing the search box
// text. nullopt means the deletion fails: no item is selected, the search box
// is empty (which would otherwise remove the first non-empty line, whatever
// was selected), or no line contains the text.
std::optional<std::size_t> LineToDelete(const TextArray& bank, std::string_view searchBoxText,
                                        bool itemSelected);

}  // namespace wy
