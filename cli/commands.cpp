#include "cli/commands.h"

#include "bank/dedup.h"
#include "bank/question_line.h"
#include "cli/cli_io.h"
#include "data/embedded_data.h"
#include "search/answer.h"
#include "search/batch.h"
#include "search/pinyin.h"
#include "search/search_list.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "text/gbk_unicode.h"

namespace wy::cli {

namespace {

// "  (无结果)": the report line of a question without hits (GBK).
constexpr std::string_view kNoHits = "  (\xCE\xDE\xBD\xE1\xB9\xFB)";

// Every line of a file split at CR LF, read a piece at a time.
TextArray ReadLines(const std::string& path) {
    TextArray lines;
    TextReader reader(path);
    while (auto piece = reader.next()) {
        for (std::string_view line : Split(*piece, "\r\n")) lines.add(line);
    }
    return lines;
}

// The main bank: the built-in one, or every --bank file's lines appended in
// order, each through ImportBankLine and NormalizeQuestion as a load does.
// Files are taken a piece at a time, so a large bank is never held twice.
SearchList LoadBank(const Options& options) {
    SearchList bank;
    if (options.banks.empty()) {
        bank.assign(ImportBankText(TextUpToStop(BuiltInBank())));
        return bank;
    }
    for (const auto& path : options.banks) {
        TextReader reader(path);
        while (auto piece = reader.next()) {
            for (std::string_view line : ImportBankText(*piece)) bank.add(line);
        }
    }
    return bank;
}

// The custom bank: the built-in one or the --custom file's lines as read.
SearchList LoadCustomBank(const Options& options) {
    SearchList custom;
    custom.assign(options.custom ? ReadLines(*options.custom) : Split(TextUpToStop(BuiltInCustomBank()), "\r\n"));
    return custom;
}

std::string InputOperand(const Options& options) {
    return options.operands.empty() ? std::string("-") : options.operands[0];
}

}  // namespace

int Search(const Options& options) {
    std::string text = NormalizeQuestion(ArgumentText(options.operands[0], options.gbk, "TEXT"));
    SearchList custom = LoadCustomBank(options);
    SearchList bank = LoadBank(options);
    TextArray hits = HitList(custom, bank, text);
    LineWriter out(options.gbk);
    for (std::string_view hit : hits) {
        out.line(options.answers ? ExtractBetween(hit, kOpenMarker, kCloseMarker) : std::string(hit));
    }
    out.finish();
    return hits.empty() ? 1 : 0;
}

int Check(const Options& options) {
    TextArray list = ReadLines(options.operands[0]);
    SearchList custom = LoadCustomBank(options);
    SearchList bank = LoadBank(options);
    LineWriter out(options.gbk);
    bool anyHit = false;
    for (std::size_t i = 0; i < list.size(); ++i) {
        std::string question = NormalizeQuestion(list[i]);
        out.line(BatchPositionText(static_cast<int>(i + 1), list.size()) + "\t", question);
        TextArray hits = HitList(custom, bank, question);
        if (hits.empty()) out.line(kNoHits);
        for (std::string_view hit : hits) out.line("  ", hit);
        anyHit = anyHit || !hits.empty();
    }
    out.finish();
    return anyHit ? 0 : 1;
}

int Convert(const Options& options) {
    TextReader reader(InputOperand(options));
    LineWriter out(true);
    while (auto piece = reader.next()) out.bytes(BankText(ImportBankText(*piece)));
    out.finish();
    return 0;
}

int Dedup(const Options& options) {
    TextArray lines = ReadLines(InputOperand(options));
    std::optional<std::string> result = DedupLines(lines);
    if (!result) {
        throw CliError("cannot remove duplicates: the temporary table files in " + GbkToUtf8(TempDirectory()) +
                       " could not be written or read back");
    }
    lines.clear();
    LineWriter out(true);
    out.bytes(*result);
    out.finish();
    return 0;
}

int Pinyin(const Options& options) {
    LineWriter out(options.gbk);
    out.line(PinyinInitials(ArgumentText(options.operands[0], options.gbk, "TEXT")));
    out.finish();
    return 0;
}

int Normalize(const Options& options) {
    LineWriter out(options.gbk);
    out.line(NormalizeQuestion(ArgumentText(options.operands[0], options.gbk, "TEXT")));
    out.finish();
    return 0;
}

}  // namespace wy::cli
