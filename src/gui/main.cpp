// torvane: the desktop program.

#include "gui/app/TorvaneApp.h"
#include "gui/desktop/SingleInstance.h"
#include "gui/widgets/Icons.h"

#include "core/gather/CommandLine.h"
#include "core/settings/ProfileLocation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDBusConnection>
#include <QIcon>

#include <iostream>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QApplication::setWindowIcon(torvane::ProgramIcon());

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Torvane playlist maker"));
    parser.addHelpOption();
    const QCommandLineOption profile(QStringLiteral("profile"),
                                     QStringLiteral("Profile (settings) file to use."),
                                     QStringLiteral("FILE"));
    parser.addOption(profile);
    const QCommandLineOption language(
        QStringLiteral("lang"),
        QStringLiteral("Interface language for this run, ja or en (default: the profile's)."),
        QStringLiteral("LANG"));
    parser.addOption(language);
    const QCommandLineOption noCache(
        QStringLiteral("no-cache"),
        QStringLiteral("Read every file's tags; neither use nor update the tag cache."));
    parser.addOption(noCache);
    parser.addPositionalArgument(QStringLiteral("INPUT"),
                                 QStringLiteral("Audio files, folders and list files to gather."),
                                 QStringLiteral("[INPUT...]"));
    parser.process(application);

    // The inputs as the bytes main was given (Qt has taken its own options out of argv by now):
    // a name that is not UTF-8 would not survive a QString.
    static constexpr std::string_view TakingValue[] = {"--profile", "--lang"};
    const std::vector<std::string> inputs = torvane::CommandLineOperands(
        {const_cast<const char* const*>(argv) + 1, static_cast<size_t>(argc > 0 ? argc - 1 : 0)},
        TakingValue);

    const std::string chosen = parser.value(language).toStdString();
    if (!chosen.empty() && !torvane::CInterfaceLanguage::IsKnown(chosen)) {
        std::cerr << "torvane: --lang: unknown language \"" << chosen << "\" (ja or en)\n";
        return 2;
    }

    const std::string profilePath =
        torvane::ResolveProfilePath(parser.value(profile).toStdString());
    // One window per profile: a window already open takes the inputs, and this start ends.
    if (torvane::ForwardToRunningWindow(QDBusConnection::sessionBus(), profilePath, inputs))
        return 0;

    torvane::CTorvaneApp app(profilePath);
    app.OverrideLanguage(chosen);
    if (parser.isSet(noCache))
        app.DisableTagCache();
    if (!app.Start(inputs))
        return 1;
    return app.Run();
}
