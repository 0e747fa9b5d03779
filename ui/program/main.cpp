// kiv-video-converter, the window program.

#include "DisplayCheck.h"
#include "KivVideoConverterApp.h"
#include "ProgramArguments.h"

#include <QFile>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    const kiv::ProgramArguments early =
        kiv::ParseProgramArguments(std::vector<std::string>(argv + 1, argv + argc));
    if (early.request == kiv::ProgramRequest::Help) {
        std::fputs(kiv::kProgramHelp, stdout);
        return 0;
    }
    if (early.request == kiv::ProgramRequest::Version) {
        std::printf("kiv-video-converter %s\n", KIV_VERSION);
        return 0;
    }
    if (!kiv::DisplayReachable(kiv::ProcessEnvironment, kiv::PlatformArgument(argc, argv))) {
        std::fputs(kiv::kNoDisplayMessage, stderr);
        return 1;
    }
    kiv::CKivVideoConverterApp application(argc, argv);
    QGuiApplication::setDesktopFileName(QStringLiteral("kiv-video-converter"));
    // Qt has taken its own options out of the arguments by now.
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    std::vector<std::string> rest;
    for (const QString& argument : arguments)
        rest.push_back(QFile::encodeName(argument).toStdString());
    const QStringList files = kiv::ParseProgramArguments(rest).files;
    QString error;
    switch (application.ClaimWindow(files, error)) {
    case kiv::WindowClaim::Claimed:
        break;
    case kiv::WindowClaim::HandedOver:
        return 0;
    case kiv::WindowClaim::NoAnswer:
        std::fprintf(stderr, "kiv-video-converter: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    application.InitInstance(files);
    return application.ExitInstance();
}
