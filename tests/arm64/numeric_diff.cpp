// numeric_diff EXPECTED ACTUAL: compares two program outputs whose numbers may carry other digits on a machine
// with wider extended reals. Exit 0 when they are byte-identical, 1 when they differ only in numbers that agree
// within one unit in the last place of a double, 2 when they differ (the first difference on standard output),
// 3 when a file cannot be read.
#include "../core/numeric_text.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

bool ReadAll(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    text = bytes.str();
    return static_cast<bool>(in) || in.eof();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: numeric_diff EXPECTED ACTUAL\n", stderr);
        return 3;
    }
    std::string expected, actual;
    if (!ReadAll(argv[1], expected) || !ReadAll(argv[2], actual)) {
        std::fprintf(stderr, "numeric_diff: cannot read %s or %s\n", argv[1], argv[2]);
        return 3;
    }
    if (expected == actual)
        return 0;
    const std::string difference = NumericTextDifference(expected, actual, kDoubleFormat);
    if (difference.empty())
        return 1;
    std::printf("%s\n", difference.c_str());
    return 2;
}
