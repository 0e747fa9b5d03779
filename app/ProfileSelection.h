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

constexpr ProfileSelection kDefaultSelection{4, 0, 5, 3, 12, 19, 0, 0, 1, 7, 4, 256};

} // namespace kiv
