// torvane: the desktop program.

#include "app/Icons.h"
#include "app/QtTranslations.h"
#include "app/TorvaneApp.h"

#include "core/doc/ProfileLocation.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane"));
    QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
    QApplication::setWindowIcon(torvane::ProgramIcon());
    torvane::InstallQtTranslations();

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Torvane playlist maker"));
    parser.addHelpOption();
    const QCommandLineOption profile(QStringLiteral("profile"),
                                     QStringLiteral("Profile (settings) file to use."),
                                     QStringLiteral("FILE"));
    parser.addOption(profile);
    parser.addPositionalArgument(QStringLiteral("INPUT"),
                                 QStringLiteral("Audio files, folders and list files to gather."),
                                 QStringLiteral("[INPUT...]"));
    parser.process(application);

    std::vector<std::string> inputs;
    for (const QString& input : parser.positionalArguments())
        inputs.push_back(input.toStdString());

    torvane::CTorvaneApp app(torvane::ResolveProfilePath(parser.value(profile).toStdString()));
    if (!app.Start(inputs))
        return 1;
    return app.Run();
}
