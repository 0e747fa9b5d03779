// Prints what "Automatic" chooses for the benchmark's profiles on 2, 8 and
// 16 cores with plenty of memory, on this machine as it is, and with the
// memory a 4K AV1 encode leaves room for.

#include "Catalogue.h"
#include "runs/FilesAtOnce.h"

#include <cstdio>

using namespace kiv;

int main() {
    const struct {
        int category, profile, width, height;
    } cases[] = {{8, 0, 1280, 720}, {10, 1, 1280, 720}, {9, 2, 1280, 720}, {9, 6, 3840, 2160}};
    const std::uint64_t plenty = 64ull << 30;
    for (const auto& c : cases) {
        MediaProfile profile;
        if (!GetProfile(c.category, c.profile, profile))
            return 1;
        const ConversionLoad load =
            LoadOf(profile, GetCategory(c.category)->Target, c.width, c.height);
        std::printf("%-52s %dx%d: automatic on 2/8/16 cores: %d/%d/%d, here (%d cores, %.1f GB "
                    "free): %d, with 8 GB free on 16 cores: %d (%.2f GB each)\n",
                    profile.ProfileName, c.width, c.height, AutomaticFilesAtOnce(load, 2, plenty),
                    AutomaticFilesAtOnce(load, 8, plenty), AutomaticFilesAtOnce(load, 16, plenty),
                    UsableCores(), AvailableMemoryBytes() / 1e9,
                    AutomaticFilesAtOnce(load, UsableCores(), AvailableMemoryBytes()),
                    AutomaticFilesAtOnce(load, 16, 8ull << 30), load.memoryBytes / 1e9);
    }
    return 0;
}
