#include "bank/question_line.h"

#include "text/gbk_text.h"

namespace wy {

namespace {

// The full-width punctuation that folds to one ASCII byte before anything else.
char PunctuationFold(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3) {
        switch (trail) {
            case 0xAC: return ',';
            case 0xBF: return '?';
            case 0xBA: return ':';
        }
    } else if (lead == 0xA1) {
        switch (trail) {
            case 0xA3: return '.';
            case 0xB7: return '>';
            case 0xB6: return '<';
            case 0xB0:
            case 0xB1: return '"';
        }
    }
    return 0;
}

}  // namespace

// One pass that gives the same text as the four steps in order (punctuation
// folds, RemoveAllSpaces, ToHalfWidth, ToUpper): no step produces a character
// that an earlier step would have changed, except the full-width letters that
// ToHalfWidth produces and ToUpper then raises, which the pass raises directly.
std::string NormalizeQuestion(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    AppendNormalized(out, text);
    return out;
}

void AppendNormalized(std::string& out, std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        char c = text[i];
        if (!IsLeadByte(c)) {
            if (c != ' ') out.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 0x20) : c);
            ++i;
            continue;
        }
        if (i + 1 == text.size()) break;  // a cut character is dropped
        auto lead = static_cast<unsigned char>(c), trail = static_cast<unsigned char>(text[i + 1]);
        i += 2;
        if (char folded = PunctuationFold(lead, trail)) {
            out.push_back(folded);
        } else if (lead == 0xA1 && trail == 0xA1) {
            // the ideographic space is removed
        } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            char half = static_cast<char>(trail - 0x80);
            out.push_back(half >= 'a' && half <= 'z' ? static_cast<char>(half - 0x20) : half);
        } else if (lead == 0xA1 && trail == 0xAB) {
            out.push_back('~');
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out.push_back('*');
        } else {
            out.push_back(static_cast<char>(lead));
            out.push_back(static_cast<char>(trail));
        }
    }
}

namespace {

// ImportBankLine, telling whether the line was in the quoted form.
std::string Import(std::string_view line, bool& quoted) {
    std::string q = NormalizeQuestion(line);
    quoted = FindText(q, "\"=\"") != -1;
    if (!quoted) return q;
    q = ReplaceAt(q, 1, 1);
    q = ReplaceAll(q, "\"=\"", kOpenMarker);
    q = ReplaceAt(q, Length(q), 1, kCloseMarker);
    return ToUpper(ToHalfWidth(q));
}

}  // namespace

std::string ImportBankLine(std::string_view line) {
    bool quoted;
    return Import(line, quoted);
}

TextArray ImportBankText(std::string_view bankText) {
    TextArray raw = Split(bankText, "\r\n");
    TextArray lines;
    lines.reserve(raw.size(), raw.bytes().size());
    for (std::string_view line : raw) {
        // Most lines are not in the quoted form: normalise them straight into
        // the list. A quoted line is converted, and since dropping its first
        // byte can shift the character walk, normalised once more.
        lines.addWritten([line](std::string& out) {
            std::size_t start = out.size();
            AppendNormalized(out, line);
            std::string_view normalised(out.data() + start, out.size() - start);
            if (FindAtBoundary(normalised, "\"=\"") == std::string_view::npos) return;
            bool quoted;
            std::string converted = NormalizeQuestion(Import(line, quoted));
            out.resize(start);
            out.append(converted);
        });
    }
    return lines;
}

std::string BankText(const TextArray& lines) {
    std::string out;
    out.reserve(lines.bytes().size() + 2 * lines.size());
    for (std::string_view line : lines) out.append(line).append("\r\n");
    return out;
}

}  // namespace wy
