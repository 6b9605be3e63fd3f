// Bank lines: the question, "【", the answer, "】". Bank texts are lines joined
// by CR LF. Lines and search texts are brought into one normalised form so
// that plain containment finds a question however it was typed.
#pragma once

#include <string>
#include <string_view>

#include "text/text_array.h"

namespace wy {

// The answer markers as GBK bytes (source files are UTF-8).
inline constexpr std::string_view kOpenMarker = "\xA1\xBE";   // 【
inline constexpr std::string_view kCloseMarker = "\xA1\xBF";  // 】

// Folds full-width punctuation (，。？：》《“”) to ASCII, removes spaces and
// ideographic spaces, folds full-width ASCII to half width and raises a-z.
std::string NormalizeQuestion(std::string_view text);
// Appends NormalizeQuestion(text) to out.
void AppendNormalized(std::string& out, std::string_view text);

// Also accepts the quoted form «"question"="answer"» and turns it into
// «question【answer】»; other lines come back normalised.
std::string ImportBankLine(std::string_view line);

// The lines a bank text loads into the main bank, in order: each line of the
// text through ImportBankLine and then NormalizeQuestion.
TextArray ImportBankText(std::string_view bankText);

// The bank file text of the lines: each line followed by CR LF.
std::string BankText(const TextArray& lines);

}  // namespace wy
