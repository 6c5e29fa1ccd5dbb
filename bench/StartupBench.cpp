// Start-up with a large kept list: the desktop program over a profile with "CloseSave=1" and
// "readtag=3" and a "Torvane.m3u" of 100,000 entries, each a real small audio file (hard links of
// the test data, in 1,000 folders). Starts the program twice, each time in a fresh process
// (offscreen unless QT_QPA_PLATFORM says otherwise): the first run fills whatever cache the
// program keeps, the second is the one the targets are for. Each run prints the time from the
// process's start to the main window shown (its first paint while exposed), and to the whole
// list loaded.
//
//   build/bench/bench/torvane_bench_startup [FOLDER [ENTRIES]]
//
// FOLDER (default /tmp/torvane-startup-bench) keeps the audio tree between runs; it is made once.

#include "core/doc/TorvaneDoc.h"
#include "gui/app/MainFrame.h"
#include "gui/app/TorvaneApp.h"
#include "gui/desktop/QtUiHost.h"

#include <QApplication>
#include <QWindow>

#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace torvane;

constexpr int DefaultEntries = 100000;
constexpr int FilesPerFolder = 100;
constexpr double ShownTargetMs = 1000;
constexpr double LoadedTargetMs = 3000;

// Registered by default, each read by another reader.
const char* const Sources[] = {"cbr_id3v1.mp3",    "id3v23_utf16.mp3", "id3v24_utf8.mp3",
                               "lib-ape.mp3",      "vbr_xing.mp3",     "info.wav",
                               "lib-id3chunk.wav", "oggwma-tone.ogg",  "lib-flac-content.ogg",
                               "oggwma-tone.wma"};

// The desktop host; a message box would wait for a click, so any is answered at once.
class CUnattendedQtHost final : public CQtUiHost {
public:
    MessageAnswer ShowMessage(MessageKind, const CMessage&, MessageButtons) override {
        return MessageAnswer::Ok;
    }
};

double BootMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    return static_cast<double>(now.tv_sec) * 1000 + static_cast<double>(now.tv_nsec) / 1e6;
}

// When this process started, on the boot clock (the kernel counts it in clock ticks), so that the
// program's loading and linking count too.
double ProcessStartMilliseconds() {
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    // The fields after the command name, which is in parentheses and may hold blanks.
    const size_t close = text.rfind(')');
    if (close == std::string::npos)
        return BootMilliseconds();
    std::vector<std::string> fields;
    size_t pos = close + 2;
    while (pos < text.size()) {
        const size_t end = text.find(' ', pos);
        fields.push_back(text.substr(pos, end - pos));
        if (end == std::string::npos)
            break;
        pos = end + 1;
    }
    // Field 22 of the line is the start time; fields counts from field 3.
    if (fields.size() < 20)
        return BootMilliseconds();
    return std::stod(fields[19]) * 1000 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The audio tree and the kept list naming every file of it, made once per folder and count.
bool MakeTree(const fs::path& folder, int entries) {
    const fs::path list = folder / "Torvane.m3u";
    const fs::path stamp = folder / ("made-" + std::to_string(entries));
    if (fs::exists(stamp) && fs::exists(list))
        return true;
    std::error_code error;
    fs::remove_all(folder / "audio", error);
    std::ofstream out(list, std::ios::binary | std::ios::trunc);
    for (int i = 0; i < entries; ++i) {
        const char* source = Sources[static_cast<size_t>(i) % std::size(Sources)];
        const fs::path dir = folder / "audio" / ("folder" + std::to_string(i / FilesPerFolder));
        const fs::path from = fs::path(TORVANE_TEST_DATA) / source;
        const fs::path to = dir / (std::to_string(i % FilesPerFolder) + " " + source);
        if (i % FilesPerFolder == 0)
            fs::create_directories(dir);
        fs::create_hard_link(from, to, error);
        if (error && !fs::copy_file(from, to, fs::copy_options::overwrite_existing, error)) {
            std::fprintf(stderr, "cannot make %s: %s\n", to.c_str(), error.message().c_str());
            return false;
        }
        out << to.string() << "\n";
    }
    out.close();
    std::ofstream{stamp};
    return static_cast<bool>(out);
}

void WriteProfile(const fs::path& folder) {
    std::ofstream(folder / "torvane.ini", std::ios::binary | std::ios::trunc)
        << "[app]\nCloseSave=1\nreadtag=3\nalert=1\n";
}

// Notes when the main window is first painted while exposed on the screen.
class CFirstPaintClock final : public QObject {
public:
    explicit CFirstPaintClock(const CTorvaneApp& app) : m_App(app) {}
    double PaintedAt() const { return m_PaintedAt; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QWidget* frame = m_App.Frame();
        if (m_PaintedAt < 0 && event->type() == QEvent::Paint && watched == frame &&
            frame->windowHandle() && frame->windowHandle()->isExposed())
            m_PaintedAt = BootMilliseconds();
        return false;
    }

private:
    const CTorvaneApp& m_App;
    double m_PaintedAt = -1;
};

// One start of the program in this process, as its main does; prints the two times.
int RunOnce(int argc, char** argv, const std::string& profile) {
    const double started = ProcessStartMilliseconds();
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Torvane"));
    CTorvaneApp app(profile, std::make_unique<CUnattendedQtHost>());
    CFirstPaintClock clock(app);
    application.installEventFilter(&clock);
    if (!app.Start({}))
        return 1;
    while (!app.ListsLoaded())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const double loaded = BootMilliseconds();
    application.removeEventFilter(&clock);
    const double shown = clock.PaintedAt() < 0 ? loaded : clock.PaintedAt();
    const size_t records = app.Doc()->AllList().size();
    size_t read = 0;
    for (const CListData* record : app.Doc()->AllList())
        read += record->Has(CListData::InfoRead) ? 1 : 0;
    std::printf("  window shown  %8.0f ms  (target %4.0f ms)%s\n", shown - started, ShownTargetMs,
                shown - started <= ShownTargetMs ? "" : "  over");
    std::printf("  list loaded   %8.0f ms  (target %4.0f ms)%s   %zu records, %zu with tags read\n",
                loaded - started, LoadedTargetMs,
                loaded - started <= LoadedTargetMs ? "" : "  over", records, read);
    std::fflush(stdout);
    app.Shutdown();
    return 0;
}

int RunChild(const std::string& self, const fs::path& folder) {
    std::fflush(stdout);
    const pid_t child = fork();
    if (child < 0)
        return 1;
    if (child == 0) {
        execl(self.c_str(), self.c_str(), "--run", (folder / "torvane.ini").c_str(),
              static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--run") {
        int qtArgc = 1;
        return RunOnce(qtArgc, argv, argv[2]);
    }
    const fs::path folder = argc > 1 ? fs::path(argv[1]) : fs::path("/tmp/torvane-startup-bench");
    const int entries = argc > 2 ? std::atoi(argv[2]) : DefaultEntries;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    fs::create_directories(folder);
    std::printf("Making %d audio files under %s (once)...\n", entries, folder.c_str());
    std::fflush(stdout);
    if (!MakeTree(folder, entries))
        return 1;
    const std::string self = fs::read_symlink("/proc/self/exe");
    const char* const runs[] = {"first start (fills the cache)", "second start (measured)"};
    for (const char* run : runs) {
        WriteProfile(folder);
        std::printf("%s:\n", run);
        if (RunChild(self, folder) != 0)
            return 1;
    }
    return 0;
}
