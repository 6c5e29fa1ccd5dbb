// The play bar and the real player: a generated WAV plays and its position advances, the
// window plays from the list, marks the record, steps with the arrows and goes on to the next
// track in continuous mode; the menus "option >" and "data >"; the stop at destruction.

#include "GuiTestSupport.h"
#include "WavFile.h"

#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/app/Menus.h"
#include "gui/bars/PlayBar.h"
#include "gui/playback/MediaPlayer2.h"
#include "gui/playback/Playback.h"
#include "gui/view/ListModel.h"

#include <QAction>
#include <QBrush>
#include <QMediaPlayer>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

using namespace torvane;
using namespace torvane::test;

namespace {

// Whether Qt Multimedia has a backend here at all; without one nothing can play.
bool BackendLoads() {
    QMediaPlayer probe;
    return probe.isAvailable();
}

// A window over WAV files of these lengths in milliseconds, named 1.wav, 2.wav and so on.
void StartWithWavs(CAppFixture& fixture, std::initializer_list<int> lengths) {
    std::vector<std::string> files;
    for (const int length : lengths)
        files.push_back(
            fixture.Dir.Write(std::to_string(files.size() + 1) + ".wav", WavBytes(length)));
    fixture.Start(files);
}

QColor TextColour(CMainFrame& frame, int row) {
    CListModel& model = frame.View().Model();
    return model.data(model.index(row, 0), Qt::ForegroundRole).value<QBrush>().color();
}

} // namespace

class PlayBarTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (!BackendLoads())
            QSKIP("Qt Multimedia finds no media backend (GStreamer) on this machine");
    }

    void aGeneratedWavPlaysAndItsPositionAdvances() {
        CTempDir dir;
        const std::string wav = dir.Write("tone.wav", WavBytes(4000));
        CMediaPlayer2 player;
        QCOMPARE(player.OpenState(), 0);
        QCOMPARE(player.PlayState(), 0);
        player.SetFileName(wav);
        QVERIFY(player.OpenState() != 0);
        player.Play();
        QTRY_COMPARE_WITH_TIMEOUT(player.PlayState(), CPlayerPort::Playing, 10000);
        QTRY_VERIFY_WITH_TIMEOUT(player.CurrentPosition() > 0.3, 10000);
        QVERIFY(player.TimeText().endsWith(QStringLiteral(" / 00:04")));
        // the same file given again starts over
        QTRY_VERIFY_WITH_TIMEOUT(player.CurrentPosition() > 1.2, 10000);
        player.SetFileName(wav);
        player.Play();
        QVERIFY(player.CurrentPosition() < 1.0);
        QTRY_COMPARE_WITH_TIMEOUT(player.PlayState(), CPlayerPort::Playing, 10000);
        player.Stop();
        QCOMPARE(player.PlayState(), 0);
    }

    void barHoldsThePlayerTheArrowsAndTwoButtonsInOrder() {
        CAppFixture fixture;
        fixture.Start();
        CPlayBar& bar = fixture.Frame().PlayBar();
        QVERIFY(!bar.isVisible());
        QCOMPARE(bar.allowedAreas(), Qt::AllToolBarAreas);
        QCOMPARE(bar.windowTitle(), QStringLiteral("プレイ バー"));
        bar.show();
        const auto left = [&bar](QWidget* widget) { return widget->mapTo(&bar, QPoint()).x(); };
        const auto top = [&bar](QWidget* widget) { return widget->mapTo(&bar, QPoint()).y(); };
        QVERIFY(left(&bar.Player()) < left(bar.UpButton()));
        QVERIFY(left(bar.UpButton()) < left(bar.OptionButton()));
        QVERIFY(top(bar.UpButton()) < top(bar.DownButton()));
        QVERIFY(top(bar.OptionButton()) < top(bar.DataButton()));
        QCOMPARE(bar.OptionButton()->text(), QStringLiteral("option >"));
        QCOMPARE(bar.DataButton()->text(), QStringLiteral("data >"));
    }

    void optionMenuMarksTheMode() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        const QMenu& menu = *frame.Menus().PlayModes();
        QCOMPARE(MenuCaptions(&menu), (QStringList{"単曲", "連続", "ランダム"}));
        QCOMPARE(actions[Cmd::PlaySingle]->statusTip(), QStringLiteral("一曲再生して停止します。"));
        QCOMPARE(actions[Cmd::PlayContinuous]->statusTip(), QStringLiteral("通常再生"));
        QCOMPARE(actions[Cmd::PlayRandom]->statusTip(), QStringLiteral("ランダム"));
        QVERIFY(actions[Cmd::PlaySingle]->isChecked());

        frame.Commands().Run(Cmd::PlayRandom);
        QCOMPARE(frame.Playback().Mode(), PlayMode::Random);
        QVERIFY(actions[Cmd::PlayRandom]->isChecked());
        QVERIFY(!actions[Cmd::PlaySingle]->isChecked());
        frame.Commands().Run(Cmd::PlayContinuous);
        QCOMPARE(frame.Playback().Mode(), PlayMode::Continuous);
    }

    void dataMenuShowsTheLabelsBeforeAnyPlayThenTheTrack() {
        CAppFixture fixture;
        StartWithWavs(fixture, {3000});
        CMainFrame& frame = fixture.Frame();
        std::unique_ptr<QMenu> menu(frame.PlayBar().NewFactsMenu());
        QCOMPARE(MenuCaptions(menu.get()).size(), 11);
        QCOMPARE(MenuCaptions(menu.get())[0], QStringLiteral("File Path\t: "));

        frame.View().SelectRows({0});
        frame.Commands().Run(Cmd::Play);
        menu.reset(frame.PlayBar().NewFactsMenu());
        QCOMPARE(menu->actions()[0]->text(),
                 QStringLiteral("File Path\t: ") + QString::fromStdString(fixture.Dir / "1.wav"));
        QCOMPARE(menu->actions()[6]->text(), QStringLiteral("Time\t: 00:03 ( 3 sec )"));
        frame.Commands().Run(Cmd::Stop);
    }

    void enterPlaysTheSelectedRowInBlueAndStopFollowsThePlayer() {
        CAppFixture fixture;
        StartWithWavs(fixture, {4000, 4000});
        CMainFrame& frame = fixture.Frame();
        const CActions& actions = frame.Actions();
        const QColor usual = TextColour(frame, 1);
        QVERIFY(!actions[Cmd::Stop]->isEnabled());

        frame.View().SelectRows({1});
        frame.View().setFocus();
        QTest::keyClick(&frame.View(), Qt::Key_Return);
        QCOMPARE(frame.Playback().PlayIndex(), 1);
        QCOMPARE(TextColour(frame, 1), QColor(0, 0, 255));
        QCOMPARE(TextColour(frame, 0), usual);
        QTRY_VERIFY_WITH_TIMEOUT(frame.Commands().Facts().Playing, 10000);
        frame.Commands().UpdateStates();
        QVERIFY(actions[Cmd::Stop]->isEnabled());

        frame.Commands().Run(Cmd::Stop);
        QVERIFY(!frame.Playback().IsPlaying());
        QVERIFY(!actions[Cmd::Stop]->isEnabled());
        // the mark stays after the stop, until the next play
        QCOMPARE(TextColour(frame, 1), QColor(0, 0, 255));

        // a double click on the other row: its press selects it first
        const QPoint row0 = frame.View().visualRect(frame.View().Model().index(0, 0)).center();
        QTest::mouseClick(frame.View().viewport(), Qt::LeftButton, {}, row0);
        QTest::mouseDClick(frame.View().viewport(), Qt::LeftButton, {}, row0);
        QCOMPARE(frame.Playback().PlayIndex(), 0);
        QCOMPARE(TextColour(frame, 0), QColor(0, 0, 255));
        QCOMPARE(TextColour(frame, 1), usual);
        frame.Commands().Run(Cmd::Stop);
    }

    void arrowsStepThroughTheListPlayedFrom() {
        CAppFixture fixture;
        StartWithWavs(fixture, {3000, 3000, 3000});
        CMainFrame& frame = fixture.Frame();
        frame.PlayBar().show();
        frame.View().SelectRows({0});
        frame.Commands().Run(Cmd::Play);
        frame.PlayBar().UpButton()->click();
        QCOMPARE(frame.Playback().PlayIndex(), 2);
        frame.PlayBar().DownButton()->click();
        QCOMPARE(frame.Playback().PlayIndex(), 0);
        frame.Commands().Run(Cmd::Stop);
    }

    // The window's own one-second timer finds the end of a short track.
    void continuousModeGoesOnToTheNextTrack() {
        CAppFixture fixture;
        StartWithWavs(fixture, {2500, 2500});
        CMainFrame& frame = fixture.Frame();
        frame.Commands().Run(Cmd::PlayContinuous);
        frame.View().SelectRows({0});
        frame.Commands().Run(Cmd::Play);
        QTRY_COMPARE_WITH_TIMEOUT(frame.Playback().PlayIndex(), 1, 15000);
        QCOMPARE(TextColour(frame, 1), QColor(0, 0, 255));
        QVERIFY(!fixture.Doc().AllList()[0]->Has(CListData::Playing));
        frame.Commands().Run(Cmd::Stop);
    }

    void theDestroyStepStopsThePlayer() {
        CAppFixture fixture;
        StartWithWavs(fixture, {4000});
        CMainFrame& frame = fixture.Frame();
        frame.View().SelectRows({0});
        frame.Commands().Run(Cmd::Play);
        QTRY_VERIFY_WITH_TIMEOUT(frame.Playback().IsPlaying(), 10000);
        frame.SaveSettings();
        QVERIFY(!frame.Playback().IsPlaying());
    }
};

QTEST_MAIN(PlayBarTest)
#include "PlayBarTest.moc"
