// Every window test starts the way the program does under an English or C
// locale: with the English singular and plural forms of the texts that
// count ("1 file", "2 files"), from the translations the build puts
// beside the programs.

#include "Translations.h"

#include <QCoreApplication>

namespace {

void InstallForTest() {
    kiv::InstallEnglishPlurals(kiv::TranslationsFolder());
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallForTest)
