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

// The main bank: the built-in one, or every --bank file's lines appended in
// order, each through ImportBankLine and NormalizeQuestion as a load does.
SearchList LoadBank(const Options& options) {
    SearchList bank;
    if (options.banks.empty()) {
        bank.assign(ImportBankText(TextUpToStop(BuiltInBank())));
        return bank;
    }
    for (const auto& path : options.banks) {
        TextArray lines;
        {
            std::string bytes = ReadInput(path);
            lines = ImportBankText(TextUpToStop(bytes));
        }
        bank.addAll(lines);
    }
    return bank;
}

// The custom bank: the built-in one or the --custom file's lines as read.
SearchList LoadCustomBank(const Options& options) {
    SearchList custom;
    if (options.custom) {
        custom.assign(Split(TextUpToStop(ReadInput(*options.custom)), "\r\n"));
    } else {
        custom.assign(Split(TextUpToStop(BuiltInCustomBank()), "\r\n"));
    }
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
    TextArray list = Split(TextUpToStop(ReadInput(options.operands[0])), "\r\n");
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
    std::string bankText;
    {
        std::string bytes = ReadInput(InputOperand(options));
        bankText = BankText(ImportBankText(TextUpToStop(bytes)));
    }
    LineWriter out(true);
    out.bytes(bankText);
    out.finish();
    return 0;
}

int Dedup(const Options& options) {
    TextArray lines;
    {
        std::string bytes = ReadInput(InputOperand(options));
        lines = Split(TextUpToStop(bytes), "\r\n");
    }
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
