// A cancel of a gathering from storage that answers each operation after seconds (a dying
// NAS): the desktop program's host with its progress window over a main window (offscreen), a
// folder scan with tags read on load, and the progress window's cancel button pressed after a
// while, as a user would. Prints how long after the press the main window was enabled again
// (target at most 0.5 s), how late the press came (the window handles no events while it is
// held up), how often a 100 ms timer fired while the scan ran, the seconds the progress window
// showed at the press, and the files added before it.
//
//   build/bench/bench/torvane_bench_cancel FOLDER [SECONDS_BEFORE_CANCEL]
//
// FOLDER is best a fresh mount of bench_slowfs with a delay of seconds (see slow_cancel.sh).

#include "UnattendedQtHost.h"

#include "core/doc/TorvaneDoc.h"
#include "core/gather/Gathering.h"
#include "core/settings/Profile.h"
#include "gui/widgets/ProgressWindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

using namespace torvane;

CProgressWindow* OpenProgressWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (auto* window = qobject_cast<CProgressWindow*>(widget); window && window->isVisible())
            return window;
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FOLDER [SECONDS_BEFORE_CANCEL]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const std::string folder = argv[1];
    const int cancelAfterMs = argc > 2 ? static_cast<int>(std::atof(argv[2]) * 1000) : 2000;

    QMainWindow window;
    window.resize(800, 600);
    window.show();
    CUnattendedQtHost host;
    host.SetMainWindow(&window);
    CProfile profile;
    CTorvaneDoc doc(profile, host);
    doc.Settings().readtag = DocSettings::ReadTags;

    QElapsedTimer clock;
    clock.start();
    int ticks = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
    ticker.start(100);
    std::optional<qint64> pressedAt;
    QString secondsShown;
    // Looks for the progress window every 10 ms from the moment the press is due: it opens
    // only once the operation has run a little.
    QTimer presser;
    QObject::connect(&presser, &QTimer::timeout, [&] {
        if (clock.elapsed() < cancelAfterMs || pressedAt)
            return;
        if (CProgressWindow* progress = OpenProgressWindow()) {
            secondsShown = progress->ElapsedLabel();
            pressedAt = clock.elapsed();
            progress->CancelButton()->click();
        }
    });
    presser.start(10);

    OpenFolder(doc, folder);
    const qint64 endedAt = clock.elapsed();
    const bool enabled = window.isEnabled();
    const int ticksDuring = ticks;
    if (!pressedAt) {
        std::printf("the gathering ended after %.2f s, before the cancel was due (%zu files)\n",
                    endedAt / 1e3, doc.AllList().size());
        return 1;
    }
    std::printf("gathering %s, cancel pressed after %.2f s (due at %.2f s: %.2f s late)\n",
                folder.c_str(), *pressedAt / 1e3, cancelAfterMs / 1e3,
                (*pressedAt - cancelAfterMs) / 1e3);
    std::printf("  the progress window showed \"%s\"; a 100 ms timer fired %d times in %.2f s\n",
                secondsShown.toUtf8().constData(), ticksDuring, endedAt / 1e3);
    std::printf("  main window %s %.3f s after the press (target at most 0.5 s); %zu files added\n",
                enabled ? "enabled again" : "STILL DISABLED", (endedAt - *pressedAt) / 1e3,
                doc.AllList().size());
    // The reads still held by the storage are left behind: the program ends without them.
    CReadAhead::EndProcess(enabled ? 0 : 1);
}
