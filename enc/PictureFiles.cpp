#include "PictureFiles.h"

#include <array>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace kiv::enc {

namespace {

using namespace std::string_view_literals;

struct Signature {
    std::string_view bytes;
    std::size_t offset;
    const char* reader;
    bool transparent;
};

constexpr std::array<Signature, 7> kSignatures = {{
    {"\xFF\xD8\xFF"sv, 0, "jpeg_pipe", false},
    {"\x89PNG\r\n\x1A\n"sv, 0, "png_pipe", true},
    {"BM"sv, 0, "bmp_pipe", false},
    {"GIF8"sv, 0, "gif", true},
    {"WEBP"sv, 8, "webp_pipe", true},
    {"II*\0"sv, 0, "tiff_pipe", true},
    {"MM\0*"sv, 0, "tiff_pipe", true},
}};

const Signature* SignatureOf(std::string_view header) {
    for (const Signature& signature : kSignatures) {
        if (header.size() >= signature.offset + signature.bytes.size() &&
            header.substr(signature.offset, signature.bytes.size()) == signature.bytes)
            return &signature;
    }
    return nullptr;
}

unsigned Byte(std::string_view bytes, std::size_t at) {
    return static_cast<unsigned char>(bytes[at]);
}

} // namespace

const char* PictureReaderFor(std::string_view header) {
    const Signature* signature = SignatureOf(header);
    return signature ? signature->reader : nullptr;
}

bool MayBeTransparent(std::string_view header) {
    const Signature* signature = SignatureOf(header);
    return signature && signature->transparent;
}

std::optional<StoredSize> JpegStoredSize(std::string_view bytes) {
    if (bytes.size() < 4 || Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != 0xD8)
        return std::nullopt;
    std::size_t at = 2;
    while (at + 4 <= bytes.size()) {
        if (Byte(bytes, at) != 0xFF)
            return std::nullopt;
        unsigned marker = Byte(bytes, at + 1);
        if (marker == 0xFF) { // fill byte
            ++at;
            continue;
        }
        if (marker == 0xD8 || marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a length
            continue;
        }
        std::size_t length = Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3);
        if (length < 2)
            return std::nullopt;
        // The frame headers: SOF0 to SOF15 but DHT (C4), JPG (C8) and DAC (CC).
        bool frameHeader =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (frameHeader) {
            if (length < 7 || at + 9 > bytes.size())
                return std::nullopt;
            int height = static_cast<int>(Byte(bytes, at + 5) << 8 | Byte(bytes, at + 6));
            int width = static_cast<int>(Byte(bytes, at + 7) << 8 | Byte(bytes, at + 8));
            if (width == 0 || height == 0)
                return std::nullopt;
            return StoredSize{width, height};
        }
        if (marker == 0xD9 || marker == 0xDA) // end of picture, start of scan
            return std::nullopt;
        at += 2 + length;
    }
    return std::nullopt;
}

int JpegOrientation(std::string_view bytes) {
    constexpr int kUpright = 1;
    if (bytes.size() < 4 || Byte(bytes, 0) != 0xFF || Byte(bytes, 1) != 0xD8)
        return kUpright;
    std::size_t at = 2;
    while (at + 4 <= bytes.size() && Byte(bytes, at) == 0xFF) {
        unsigned marker = Byte(bytes, at + 1);
        std::size_t length = Byte(bytes, at + 2) << 8 | Byte(bytes, at + 3);
        if (marker == 0xDA || marker == 0xD9 || length < 2)
            return kUpright;
        std::string_view segment =
            bytes.substr(at + 4, std::min(length - 2, bytes.size() - at - 4));
        if (marker == 0xE1 && segment.starts_with(std::string_view("Exif\0\0", 6))) {
            std::string_view tiff = segment.substr(6);
            if (tiff.size() < 8 || (tiff.substr(0, 2) != "II" && tiff.substr(0, 2) != "MM"))
                return kUpright;
            bool little = tiff[0] == 'I';
            auto number = [&tiff, little](std::size_t from, int size) -> long long {
                if (from + static_cast<std::size_t>(size) > tiff.size())
                    return -1;
                long long value = 0;
                for (int i = 0; i < size; ++i) {
                    int shift = little ? 8 * i : 8 * (size - 1 - i);
                    value |= static_cast<long long>(Byte(tiff, from + static_cast<std::size_t>(i)))
                             << shift;
                }
                return value;
            };
            long long ifd = number(4, 4);
            long long count = ifd < 0 ? -1 : number(static_cast<std::size_t>(ifd), 2);
            for (long long entry = 0; entry < count; ++entry) {
                std::size_t place =
                    static_cast<std::size_t>(ifd) + 2 + 12 * static_cast<std::size_t>(entry);
                if (number(place, 2) == 0x0112) {
                    long long value = number(place + 8, 2);
                    return value >= 1 && value <= 8 ? static_cast<int>(value) : kUpright;
                }
                if (number(place, 2) < 0)
                    break;
            }
            return kUpright;
        }
        at += 2 + length;
    }
    return kUpright;
}

std::string FileHead(const std::string& path, std::size_t limit) {
    std::ifstream file(path, std::ios::binary);
    std::string head(limit, '\0');
    file.read(head.data(), static_cast<std::streamsize>(limit));
    head.resize(static_cast<std::size_t>(std::max<std::streamsize>(0, file.gcount())));
    return head;
}

bool IsPrivateFolder(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

} // namespace kiv::enc
