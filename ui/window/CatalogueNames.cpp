#include "CatalogueNames.h"

#include <QCoreApplication>

namespace kiv {

namespace {

// The names in plain words, for the translators' lists; every other name
// has no translation and is shown as the catalogue spells it.
[[maybe_unused]] constexpr const char* kPlainWords[] = {
    QT_TRANSLATE_NOOP("kiv::Catalogue", "To MP4/MKV/WebM (today's devices and the web)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "To audio only (MP3/AAC/FLAC/Opus/WAV)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "H.264 MP4, same size (plays everywhere)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "H.264 MP4, fit within 1920x1080 (Full HD)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "H.264 MP4, fit within 1280x720 (HD)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "H.264 MP4, fit within 854x480 (SD)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "H.265 MP4, same size (smaller file, newer devices)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "VP9 WebM with Opus, same size (for the web)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "AV1 MKV with Opus, same size (smallest)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "AV1 WebM with Opus, same size (for the web)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "MKV, same streams (no re-encoding)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "MP4, same streams (no re-encoding)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "MP3, 320 kb/s (best MP3)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "MP3, 192 kb/s (smaller)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "AAC in M4A, 256 kb/s (Apple devices)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "FLAC (lossless)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "Opus, 160 kb/s (smallest)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "WAV (uncompressed)"),
    QT_TRANSLATE_NOOP("kiv::Catalogue", "The audio track as it is (no re-encoding)"),
};

} // namespace

QString ShownCategoryName(const char* name) {
    return QCoreApplication::translate("kiv::Catalogue", name);
}

QString ShownProfileName(const char* name) {
    return QCoreApplication::translate("kiv::Catalogue", name);
}

} // namespace kiv
