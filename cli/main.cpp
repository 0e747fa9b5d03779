// kiv-convert: the command-line front end of Kiv Video Converter.

#include "Catalogue.h"
#include "FixedText.h"

#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "Usage: kiv-convert [OPTION]...\n"
    "Convert video and audio files with the built-in device profiles.\n"
    "\n"
    "  --list        print every profile: category index, profile index,\n"
    "                category name and profile name, tab-separated\n"
    "  -h, --help    show this help and exit\n"
    "  --version     show the version and exit\n";

void PrintProfileList() {
    for (int c = 0; c < kiv::CategoryCount(); ++c) {
        const kiv::ProfileCategory* category = kiv::GetCategory(c);
        for (int p = 0; p < category->ProfileCount; ++p) {
            std::printf("%d\t%d\t%s\t%s\n", c, p, category->CategoryName,
                        category->Profiles[p].ProfileName);
        }
    }
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::string_view option = argv[1];
    if (option == "-h" || option == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (option == "--version") {
        std::puts("kiv-convert 1.0.0");
        return 0;
    }
    if (option == "--list") {
        PrintProfileList();
        return 0;
    }
    std::fprintf(stderr, "kiv-convert: unknown option '%s'\n%s", argv[1], kUsage);
    return 2;
}
