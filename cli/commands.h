// The commands of wenyuan-cli over the core: search, check, convert, dedup,
// pinyin and normalize. Each returns the exit status (0 or 1) or throws
// CliError (status 2).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace wy::cli {

struct Options {
    std::vector<std::string> banks;     // --bank FILE, in order
    std::optional<std::string> custom;  // --custom FILE
    bool answers = false;               // --answers
    bool gbk = false;                   // --gbk
    std::vector<std::string> operands;  // TEXT, LISTFILE or FILE
};

int Search(const Options& options);
int Check(const Options& options);
int Convert(const Options& options);
int Dedup(const Options& options);
int Pinyin(const Options& options);
int Normalize(const Options& options);

}  // namespace wy::cli
