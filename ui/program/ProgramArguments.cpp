#include "ProgramArguments.h"

#include <QFile>
#include <QUrl>

namespace kiv {

const char* const kProgramHelp =
    "Usage: kiv-video-converter [FILE]...\n"
    "Convert video and audio files for phones, portable players, DVD players and\n"
    "consoles. Opens the converter window with the FILEs in its list (at most 30).\n"
    "\n"
    "  --help     show this help and exit\n"
    "  --version  show the version and exit\n"
    "  --         every later argument is a file, even one starting with a dash\n"
    "\n"
    "Without a display, kiv-convert converts files from the command line\n"
    "(see kiv-convert --help).\n";

ProgramArguments ParseProgramArguments(const std::vector<std::string>& arguments) {
    ProgramArguments parsed;
    bool onlyFiles = false;
    for (const std::string& argument : arguments) {
        if (!onlyFiles && argument == "--") {
            onlyFiles = true;
        } else if (!onlyFiles && argument == "--help") {
            return {ProgramRequest::Help, {}};
        } else if (!onlyFiles && argument == "--version") {
            return {ProgramRequest::Version, {}};
        } else if (!argument.empty()) {
            const QString file = QFile::decodeName(QByteArray::fromStdString(argument));
            // A file manager may hand over file: URLs instead of paths.
            const QUrl url(file);
            parsed.files << (file.startsWith(QLatin1String("file:")) && url.isLocalFile()
                                 ? url.toLocalFile()
                                 : file);
        }
    }
    return parsed;
}

} // namespace kiv
