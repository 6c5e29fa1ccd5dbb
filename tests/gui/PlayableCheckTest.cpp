// Playing with GStreamer's plug-ins out of reach: the player is never created (Qt's GStreamer
// player crashes without them), "再生" names the file and what is missing, no row is marked and
// the program goes on. The plug-ins this run may use are linked into a folder of its own, named
// by TORVANE_TEST_GST_PLUGINS (none by default; ctest runs it a second time with the player's
// pipeline but no MP3 decoder).

#include "gui/playback/PlayableCheck.h"
#include "WavFile.h"
#include "core/Fakes.h"
#include "core/doc/TorvaneDoc.h"
#include "core/settings/Profile.h"
#include "gui/playback/MediaPlayer2.h"
#include "gui/playback/Playback.h"

#include <QStringList>
#include <QTest>

#include <filesystem>

using namespace torvane;
using namespace torvane::test;

class PlayableCheckTest : public QObject {
    Q_OBJECT
private slots:
    // Before GStreamer starts: a plug-in folder holding only the chosen plug-ins, and a registry
    // of this run's own.
    void initTestCase() {
        const QStringList plugins =
            qEnvironmentVariable("TORVANE_TEST_GST_PLUGINS").split(',', Qt::SkipEmptyParts);
        m_WithPipeline = !plugins.isEmpty();
        const std::string folder = m_Dir / "plugins";
        std::filesystem::create_directories(folder);
        for (const QString& plugin : plugins) {
            const std::string name = "libgst" + plugin.toStdString() + ".so";
            const std::filesystem::path installed =
                std::filesystem::path(TORVANE_GST_PLUGIN_DIR) / name;
            if (!std::filesystem::exists(installed))
                QSKIP(
                    qPrintable("GStreamer plug-in not installed: " + QString::fromStdString(name)));
            std::filesystem::create_symlink(installed, std::filesystem::path(folder) / name);
        }
        qputenv("GST_PLUGIN_SYSTEM_PATH_1_0", QByteArray::fromStdString(folder));
        qputenv("GST_PLUGIN_PATH_1_0", "");
        qputenv("GST_REGISTRY_1_0", QByteArray::fromStdString(m_Dir / "registry.bin"));
        qunsetenv("QT_MEDIA_BACKEND");
    }

    void withoutThePluginsNothingPlaysAndNothingCrashes() {
        if (m_WithPipeline)
            QSKIP("this run has the player's pipeline");
        CProfile profile(m_Dir / "torvane.ini");
        CFakeHost host;
        CFakeView view;
        CTorvaneDoc doc(profile, host);
        doc.SetView(&view);
        doc.Settings().readtag = 0;
        doc.AddFile(m_Dir.Write("tone.wav", WavBytes(1000)), true);
        CMediaPlayer2 player;
        CPlayback playback(doc, &player);

        playback.PlayItem(0, doc.AllList());
        QVERIFY(!doc.AllList().front()->Has(CListData::Playing));
        QCOMPARE(playback.PlayIndex(), -1);
        QVERIFY(!playback.IsPlaying());
        QCOMPARE(host.Messages.size(), size_t(1));
        QCOMPARE(host.Messages.front().Id, MessageId::CannotPlay);
        const std::string& text = host.Messages.front().Text;
        QVERIFY2(text.find("tone.wav") != std::string::npos, text.c_str());
        QVERIFY2(text.find("uridecodebin (gstreamer1.0-plugins-base)") != std::string::npos,
                 text.c_str());
        // asked again, the answer stands; the program is still here to ask
        playback.PlayItem(0, doc.AllList());
        QCOMPARE(host.Messages.size(), size_t(2));
    }

    void aMissingDecoderIsNamedAndOthersStillPlay() {
        if (!m_WithPipeline)
            QSKIP("this run has no plug-ins");
        CPlayableCheck check;
        QCOMPARE(check.MissingToPlay(m_Dir.Write("tone.wav", WavBytes(1000))), std::string());
        const std::string missing =
            check.MissingToPlay(std::string(TORVANE_TEST_DATA) + "/cbr_id3v1.mp3");
        QVERIFY2(missing.find("MP3") != std::string::npos, missing.c_str());
        // a file that is not there is the player's own business
        QCOMPARE(check.MissingToPlay(m_Dir / "gone.mp3"), std::string());
    }

private:
    CTempDir m_Dir;
    bool m_WithPipeline = false;
};

QTEST_MAIN(PlayableCheckTest)
#include "PlayableCheckTest.moc"
