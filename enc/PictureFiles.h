#pragma once
// What enc tells from a picture file's first bytes, so that a show of many
// large photos is not decoded twice just to learn their sizes: the kind of
// picture, and a JPEG's stored size. And where a show may write.

#include <optional>
#include <string>
#include <string_view>

namespace kiv::enc {

// FFmpeg's reader for the picture kind the header names ("jpeg_pipe",
// "png_pipe", ...); nullptr for kinds enc leaves to FFmpeg's own probing.
// The pipe readers take the file name as it is (the image sequence reader
// would take a '%' in it for a frame number).
const char* PictureReaderFor(std::string_view header);

// True when reader (from PictureReaderFor, may be nullptr) is that one.
inline bool ReaderIs(const char* reader, std::string_view name) {
    return reader && name == reader;
}

// True when the header names a picture kind that may hold transparency
// (PNG, GIF, WebP, TIFF): such pictures are prepared as PNG, all others as
// JPEG.
bool MayBeTransparent(std::string_view header);

struct StoredSize {
    int width = 0;
    int height = 0;
};

// The size a JPEG stores its picture at (before any EXIF turn), from its
// frame header; nothing when the bytes hold none.
std::optional<StoredSize> JpegStoredSize(std::string_view bytes);

// How a JPEG says its picture is to be turned for showing: its EXIF
// orientation, 1 to 8 (5 to 8 stand the stored picture on its side, as
// phones store portraits); 1 when it says nothing readable.
int JpegOrientation(std::string_view bytes);

// The first bytes of a file (up to `limit`); empty when it cannot be read.
std::string FileHead(const std::string& path, std::size_t limit);

// True for a folder of this user that nobody else may write to: a show
// writes its frames, captions and graphs only there.
bool IsPrivateFolder(const std::string& path);

} // namespace kiv::enc
