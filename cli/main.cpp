// wenyuan-cli: the question search and bank maintenance from a terminal.
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <string_view>

#include "cli/cli_io.h"
#include "cli/commands.h"

namespace {

using namespace wy::cli;

constexpr const char kUsage[] =
    "Usage:\n"
    "  wenyuan-cli search [--bank FILE]... [--custom FILE] [--answers] [--gbk] TEXT\n"
    "  wenyuan-cli check  [--bank FILE]... [--custom FILE] [--gbk] LISTFILE\n"
    "  wenyuan-cli convert [FILE]\n"
    "  wenyuan-cli dedup  [FILE]\n"
    "  wenyuan-cli pinyin [--gbk] TEXT\n"
    "  wenyuan-cli normalize [--gbk] TEXT\n"
    "  wenyuan-cli --help | --version\n"
    "\n"
    "search     list the bank lines that contain TEXT, or whose pinyin initials do,\n"
    "           custom bank first (tagged); an empty TEXT lists the whole main bank.\n"
    "           Exit status 0 with hits, 1 without.\n"
    "check      search every line of LISTFILE (a GBK text, CR LF lines) and report\n"
    "           \"N/TOTAL<TAB>question\", then each hit indented by two spaces.\n"
    "           Exit status 0 when any line has a hit, 1 otherwise.\n"
    "convert    write FILE (or standard input) as the program stores a bank:\n"
    "           every line normalised, the quoted form converted, CR LF line ends.\n"
    "dedup      write the distinct non-empty lines of FILE (or standard input)\n"
    "           in byte order, CR LF line ends.\n"
    "pinyin     print the pinyin initials of TEXT.\n"
    "normalize  print TEXT normalised as a typed question is.\n"
    "\n"
    "--bank FILE    main bank file (GBK); repeat to append several. Default: built in.\n"
    "--custom FILE  custom bank file (GBK), used as read. Default: built in.\n"
    "--answers      print the answer (the text between the answer markers) of each hit.\n"
    "--gbk          TEXT is GBK bytes and output is GBK bytes; otherwise TEXT is\n"
    "               UTF-8 and output is UTF-8.\n"
    "FILE \"-\" is standard input. convert and dedup always write GBK bank files.\n"
    "Errors go to standard error, exit status 2.\n";

struct Command {
    std::string_view name;
    int (*run)(const Options&);
    bool banks, answers, gbk;
    std::size_t minOperands, maxOperands;
    const char* operand;
};

constexpr Command kCommands[] = {
    {"search", Search, true, true, true, 1, 1, "TEXT"},
    {"check", Check, true, false, true, 1, 1, "LISTFILE"},
    {"convert", Convert, false, false, false, 0, 1, "FILE"},
    {"dedup", Dedup, false, false, false, 0, 1, "FILE"},
    {"pinyin", Pinyin, false, false, true, 1, 1, "TEXT"},
    {"normalize", Normalize, false, false, true, 1, 1, "TEXT"},
};

int Run(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string_view name = argv[1];
    if (name == "--help" || name == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (name == "--version") {
        std::printf("wenyuan-cli %s\n", WENYUAN_VERSION);
        return 0;
    }
    const Command* command = nullptr;
    for (const auto& c : kCommands) {
        if (c.name == name) command = &c;
    }
    if (!command) throw CliError("unknown command " + std::string(name) + " (see wenyuan-cli --help)");

    Options options;
    bool optionsEnded = false;
    for (int i = 2; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
            options.operands.emplace_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        // --bank and --custom take a value, as the next argument or after "=".
        std::string_view option = arg.substr(0, arg.find('='));
        auto value = [&]() -> std::string {
            if (option.size() < arg.size()) return std::string(arg.substr(option.size() + 1));
            if (i + 1 >= argc) throw CliError(std::string(option) + " needs a FILE");
            return argv[++i];
        };
        auto refuse = [&] { throw CliError(std::string(name) + " does not take " + std::string(option)); };
        if (option == "--bank") {
            if (!command->banks) refuse();
            options.banks.push_back(value());
        } else if (option == "--custom") {
            if (!command->banks) refuse();
            options.custom = value();
        } else if (option.size() < arg.size()) {
            throw CliError(std::string(option) + " takes no value");
        } else if (arg == "--answers") {
            if (!command->answers) refuse();
            options.answers = true;
        } else if (arg == "--gbk") {
            if (!command->gbk) refuse();
            options.gbk = true;
        } else {
            throw CliError("unknown option " + std::string(arg) + " (see wenyuan-cli --help)");
        }
    }
    if (options.operands.size() < command->minOperands) {
        throw CliError(std::string(name) + " needs " + command->operand);
    }
    if (options.operands.size() > command->maxOperands) {
        throw CliError(std::string(name) + " takes one " + command->operand + "; got " +
                       std::to_string(options.operands.size()) +
                       (std::string_view(command->operand) == "TEXT" ? " (quote a TEXT with spaces)" : ""));
    }
    return command->run(options);
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Run(argc, argv);
    } catch (const CliError& e) {
        std::fprintf(stderr, "wenyuan-cli: %s\n", e.what());
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "wenyuan-cli: out of memory\n");
    }
    return 2;
}
