// Placeholder terminal front end; replaced by the full wenyuan-cli.
#include <cstdio>
#include <string>

#include "search/pinyin.h"
#include "text/gbk_unicode.h"

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::printf("%s\n", wy::PinyinInitials(wy::Utf8ToGbk(argv[i]).text).c_str());
    }
    return 0;
}
