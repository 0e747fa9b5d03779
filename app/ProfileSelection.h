#pragma once
// The program-wide settings record and the user's current profile choice.

#include <cstdint>

namespace kiv {

struct AppSettings {
    char Name[128];
    char Ver[128];
    char Folder[512];
    std::int32_t Core;
    std::int32_t AFO;
    std::int32_t AFC;
};

// Twelve list indices, each named after its INI key in [Video].
struct ProfileSelection {
    std::int32_t Kind;
    std::int32_t Class;
    std::int32_t VCodec;
    std::int32_t VFR;
    std::int32_t VBR;
    std::int32_t Size;
    std::int32_t Apsect;
    std::int32_t ACodec;
    std::int32_t ACH;
    std::int32_t ABR;
    std::int32_t ASR;
    std::int32_t VOL;
};

// A first start, and every key a settings file leaves out: "To DVD/SVCD/VCD/
// MPEG", "PAL DVD Video" with that profile's own values (pal-dvd, 25.00 fps,
// 6000 kb/s, 720x576, 4:3, ac3, two channels, 448 kb/s, 44100 Hz), so the
// first file converts as the window says.
constexpr ProfileSelection kDefaultSelection{4, 0, 4, 6, 21, 23, 1, 0, 1, 15, 4, 256};

} // namespace kiv
