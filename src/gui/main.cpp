// torvane: the desktop program.

#include "gui/app/TorvaneApp.h"
#include "gui/desktop/SingleInstance.h"
#include "gui/widgets/Icons.h"

#include "core/gather/CommandLine.h"
#include "core/reading/ReadAhead.h"
#include "core/settings/ProfileLocation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QIcon>

#include <iostream>
#include <string_view>

namespace {

// The options of the desktop program, described alike for the window and for a run that only
// prints.
struct DesktopOptions {
    QCommandLineOption Profile{QStringLiteral("profile"),
                               QStringLiteral("Profile (settings) file to use."),
                               QStringLiteral("FILE")};
    QCommandLineOption Language{
        QStringLiteral("lang"),
        QStringLiteral("Interface language for this run, ja or en (default: the profile's)."),
        QStringLiteral("LANG")};
    QCommandLineOption NoCache{
        QStringLiteral("no-cache"),
        QStringLiteral("Read every file's tags; neither use nor update the tag cache.")};

    void Describe(QCommandLineParser& parser) const {
        parser.setApplicationDescription(QStringLiteral("Torvane playlist maker"));
        parser.addHelpOption();
        parser.addVersionOption();
        parser.addOption(Profile);
        parser.addOption(Language);
        parser.addOption(NoCache);
        parser.addPositionalArgument(
            QStringLiteral("INPUT"),
            QStringLiteral("Audio files, folders and list files to gather."),
            QStringLiteral("[INPUT...]"));
    }
};

void SetIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("Torvane"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TORVANE_VERSION));
}

// Whether the arguments ask only for the help or the version: those are answered before the
// window system is opened, so that they work without a display (a package build, a shell on a
// server).
bool OnlyPrints(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument(argv[i]);
        if (argument == "--")
            return false;
        if (argument == "-h" || argument == "-?" || argument == "--help" ||
            argument == "--help-all" || argument == "-v" || argument == "--version")
            return true;
    }
    return false;
}

// The program with its window; answers the exit status.
int RunDesktop(int argc, char** argv) {
    const DesktopOptions options;
    if (OnlyPrints(argc, argv)) {
        QCoreApplication printer(argc, argv);
        SetIdentity();
        QCommandLineParser parser;
        options.Describe(parser);
        parser.process(printer); // prints and ends the process
        return 0;
    }

    QApplication application(argc, argv);
    SetIdentity();
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QApplication::setWindowIcon(torvane::ProgramIcon());

    QCommandLineParser parser;
    options.Describe(parser);
    parser.process(application);

    // The inputs as the bytes main was given (Qt has taken its own options out of argv by now):
    // a name that is not UTF-8 would not survive a QString.
    static constexpr std::string_view TakingValue[] = {"--profile", "--lang"};
    const std::vector<std::string> inputs = torvane::CommandLineOperands(
        {const_cast<const char* const*>(argv) + 1, static_cast<size_t>(argc > 0 ? argc - 1 : 0)},
        TakingValue);

    const std::string chosen = parser.value(options.Language).toStdString();
    if (!chosen.empty() && !torvane::CInterfaceLanguage::IsKnown(chosen)) {
        std::cerr << "torvane: --lang: unknown language \"" << chosen << "\" (ja or en)\n";
        return 2;
    }

    const std::string profilePath =
        torvane::ResolveProfilePath(parser.value(options.Profile).toStdString());
    // One window per profile: a window already open takes the inputs, and this start ends.
    if (torvane::ForwardToRunningWindow(QDBusConnection::sessionBus(), profilePath, inputs))
        return 0;

    torvane::CTorvaneApp app(profilePath);
    app.OverrideLanguage(chosen);
    if (parser.isSet(options.NoCache))
        app.DisableTagCache();
    if (!app.Start(inputs))
        return 1;
    return app.Run();
}

} // namespace

int main(int argc, char** argv) {
    torvane::CReadAhead::EndProcess(RunDesktop(argc, argv));
}
