// In-process timings over a large bank file: loading it as the main bank,
// searching it (a Chinese text and a pinyin text), the decision of adding a
// question, and duplicate removal.
//
//   core_bench --bank FILE [--search TEXT]... [benchmark flags]
//
// Each TEXT (UTF-8; default 明月 and XYJS) is searched as typed into the
// search box. The custom bank is the built-in one, as in the window.
#include <benchmark/benchmark.h>

#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <vector>

#include "bank/dedup.h"
#include "bank/editing.h"
#include "bank/question_line.h"
#include "data/embedded_data.h"
#include "search/search_list.h"
#include "text/files.h"
#include "text/gbk_text.h"
#include "text/gbk_unicode.h"

namespace {

std::string bankPath;
std::vector<std::string> searchTexts;

const std::string& BankBytes() {
    static const std::string bytes = [] {
        std::ifstream in(bankPath, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    return bytes;
}

const wy::SearchList& Bank() {
    static const wy::SearchList bank = [] {
        wy::SearchList list;
        list.assign(wy::ImportBankText(wy::TextUpToStop(BankBytes())));
        return list;
    }();
    return bank;
}

const wy::SearchList& Custom() {
    static const wy::SearchList custom = [] {
        wy::SearchList list;
        list.assign(wy::Split(wy::BuiltInCustomBank(), "\r\n"));
        return list;
    }();
    return custom;
}

void LoadMainBank(benchmark::State& state) {
    for (auto _ : state) {
        wy::SearchList bank;
        bank.assign(wy::ImportBankText(wy::TextUpToStop(BankBytes())));
        benchmark::DoNotOptimize(bank.size());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * BankBytes().size()));
}

void Search(benchmark::State& state, const std::string& utf8) {
    std::string text = wy::NormalizeQuestion(wy::Utf8ToGbk(utf8).text);
    const auto& bank = Bank();
    const auto& custom = Custom();
    std::size_t hits = 0;
    for (auto _ : state) {
        wy::TextArray list = wy::HitList(custom, bank, text);
        hits = list.size();
        benchmark::DoNotOptimize(hits);
    }
    state.counters["hits"] = static_cast<double>(hits);
}

void IsNewQuestion(benchmark::State& state) {
    // A question no line contains: every line is looked at.
    std::string question = wy::NormalizeQuestion(wy::Utf8ToGbk("这道题不在题库里吗?").text);
    const auto& lines = Bank().lines();
    for (auto _ : state) benchmark::DoNotOptimize(wy::IsNewQuestion(lines, question));
}

void DedupLines(benchmark::State& state) {
    const auto& lines = Bank().lines();
    std::size_t size = 0;
    for (auto _ : state) {
        auto result = wy::DedupLines(lines);
        if (!result) state.SkipWithError("the table files could not be written");
        size = result ? result->size() : 0;
    }
    state.counters["bytes_out"] = static_cast<double>(size);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--bank")) bankPath = argv[i + 1];
        else if (!std::strcmp(argv[i], "--search")) searchTexts.emplace_back(argv[i + 1]);
        else {
            std::cerr << "unknown argument " << argv[i] << "\n";
            return 2;
        }
    }
    if (bankPath.empty() || BankBytes().empty()) {
        std::cerr << "usage: core_bench --bank FILE [--search TEXT]... [benchmark flags]\n"
                     "(make a bank with tools/make_synthetic_bank.py)\n";
        return 2;
    }
    Bank();  // loaded once, outside the timings that use it
    benchmark::RegisterBenchmark("LoadMainBank", LoadMainBank)->Unit(benchmark::kMillisecond)->Iterations(3);
    if (searchTexts.empty()) searchTexts = {"明月", "XYJS"};
    for (const auto& text : searchTexts) {
        benchmark::RegisterBenchmark(("Search/" + text).c_str(), Search, text)->Unit(benchmark::kMillisecond)->MinTime(1);
    }
    benchmark::RegisterBenchmark("IsNewQuestion", IsNewQuestion)->Unit(benchmark::kMillisecond)->MinTime(1);
    benchmark::RegisterBenchmark("DedupLines", DedupLines)->Unit(benchmark::kMillisecond)->Iterations(3);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
