// Writes the slideshow scripts the engine makes (both kinds, with and
// without music and captions, of 1 to 17 pictures) into a folder: the
// fuzzer's first corpus.
//   usage: slideshow_fuzz_seeds FOLDER

#include "FixedText.h"
#include "slideshow/SlideShowScripts.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using namespace kiv;
    if (argc != 2) {
        std::fprintf(stderr, "usage: slideshow_fuzz_seeds FOLDER\n");
        return 2;
    }
    std::filesystem::create_directories(argv[1]);
    int written = 0;
    auto write = [&](const std::string& text) {
        std::ofstream(std::string(argv[1]) + "/seed" + std::to_string(written++)) << text;
    };
    for (int count : {1, 2, 3, 17}) {
        std::vector<SlideShowPicture> pictures(static_cast<std::size_t>(count), SlideShowPicture{});
        for (int i = 0; i < count; ++i) {
            SlideShowPicture& picture = pictures[static_cast<std::size_t>(i)];
            SetText(picture.imagePath, "/p/" + std::to_string(i) + ".jpg");
            SetText(picture.caption, i % 2 ? "Kids {birthday} C:\\new" : "");
            picture.displayFrames = 100;
            picture.transitionFrames = 25;
        }
        SlideShow show{};
        show.pictures = pictures.data();
        show.pictureCount = count;
        SetText(show.outputPrefix, "/out/show");
        write(ImageScriptText("/app/", "/work", show));
        write(ShowScriptText("/app/", "/work", show, ShowSound::Silent));
        SetText(show.musicPath, "/m/song.mp3");
        write(ShowScriptText("/app/", "/work", show, ShowSound::MusicWhenGiven));
    }
    std::printf("%d scripts in %s\n", written, argv[1]);
    return 0;
}
