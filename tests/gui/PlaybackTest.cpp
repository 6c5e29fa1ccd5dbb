// Playback over a scripted player: the now-playing mark, the texts, stepping with wrap, the
// play modes at the end of a track, the list played from and the marks left behind.

#include "gui/playback/Playback.h"
#include "FakePlayer.h"
#include "WavFile.h"
#include "core/Fakes.h"
#include "core/doc/TorvaneDoc.h"
#include "core/listops/Reorder.h"
#include "core/listops/Search.h"
#include "core/settings/Profile.h"
#include "gui/playback/PlayerPort.h"

#include <QTest>

#include <algorithm>

using namespace torvane;
using namespace torvane::test;

namespace {

// A document whose all list holds WAV files of the given lengths (0: a file with no audio in
// it, whose time cannot be read), named a.wav, b.wav and so on.
class CPlayFixture : public CPlayingDocument {
public:
    explicit CPlayFixture(std::initializer_list<int> seconds) {
        char name = 'a';
        for (const int length : seconds) {
            const std::string file = std::string(1, name++) + ".wav";
            const std::string bytes = length > 0 ? WavBytes(length * 1000) : std::string(100, 'x');
            doc.AddFile(dir.Write(file, bytes), true);
        }
        doc.UpdateItemCount();
        playback.Clock = [this] { return now; };
    }

    TrackList& All() { return doc.AllList(); }
    // The names (without extension) of the records that carry the now-playing mark.
    std::vector<std::string> Marked(const TrackList& list) const {
        std::vector<std::string> names;
        for (const CListData* record : list)
            if (record->Has(CListData::Playing))
                names.emplace_back(record->FileName());
        return names;
    }
    std::string PlayedLast() const {
        return player.Files.empty() ? std::string()
                                    : player.Files.back().substr(dir.Path().size() + 1);
    }
    // A tick of the frame's timer with the player at this position, after as much time as it
    // takes to get there.
    void TickAt(double position) {
        now += std::max(1.0, position);
        player.Position = position;
        playback.CheckPlaybackEnd();
    }
    // A tick that comes this many seconds after the last one.
    void TickAfter(double elapsed, double position) {
        now += elapsed;
        player.Position = position;
        playback.CheckPlaybackEnd();
    }

    double now = 1000;
};

using Names = std::vector<std::string>;

} // namespace

class PlaybackTest : public QObject {
    Q_OBJECT
private slots:
    void playItemMovesTheMarkAndTakesTheTexts() {
        CPlayFixture fixture({3, 3, 3});
        CPlayback& playback = fixture.playback;
        QCOMPARE(playback.PlayIndex(), -1);
        QVERIFY(!playback.PlayList());

        playback.PlayItem(0, fixture.All());
        QCOMPARE(fixture.Marked(fixture.All()), Names{"a"});
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));
        QCOMPARE(fixture.player.Plays, 1);
        QVERIFY(playback.IsPlaying());
        QCOMPARE(fixture.view.Redraws > 0, true);
        // the information was read again when play started
        QCOMPARE(playback.PlayDuration(), 3);
        QCOMPARE(playback.Now().Path, fixture.All()[0]->FilePath());
        QCOMPARE(playback.Now().Time, std::string("00:03 ( 3 sec )"));
        QCOMPARE(playback.Now().Size, std::string("46.9 kB ( 0.1 MB )"));
        QCOMPARE(playback.Now().SamplingRate, std::string("8000 Hz"));

        playback.PlayItem(2, fixture.All());
        QCOMPARE(fixture.Marked(fixture.All()), Names{"c"});
        QCOMPARE(playback.PlayIndex(), 2);
        QCOMPARE(playback.PlayList(), &fixture.All());

        // a file the player cannot open is handed over but not played
        fixture.player.Opens = false;
        playback.PlayItem(1, fixture.All());
        QCOMPARE(fixture.PlayedLast(), std::string("b.wav"));
        QCOMPARE(fixture.player.Plays, 2);
        QCOMPARE(fixture.Marked(fixture.All()), Names{"b"});
    }

    void playSelectedNeedsExactlyOneRow() {
        CPlayFixture fixture({3, 3});
        fixture.playback.PlaySelected({});
        fixture.playback.PlaySelected({0, 1});
        fixture.playback.PlaySelected({5});
        QVERIFY(fixture.player.Files.empty());
        fixture.playback.PlaySelected({1});
        QCOMPARE(fixture.PlayedLast(), std::string("b.wav"));
    }

    void continuousModeWrapsAtBothEnds() {
        CPlayFixture fixture({3, 3, 3});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Continuous);
        playback.PlayItem(2, fixture.All());
        fixture.TickAt(1.9); // one second before the end is not reached yet
        QCOMPARE(playback.PlayIndex(), 2);
        fixture.TickAt(2.0);
        QCOMPARE(playback.PlayIndex(), 0);
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));

        playback.StepPlayback(-1);
        QCOMPARE(playback.PlayIndex(), 2);
        QCOMPARE(fixture.Marked(fixture.All()), Names{"c"});
        playback.StepPlayback(+1);
        QCOMPARE(playback.PlayIndex(), 0);
    }

    void unreadOrVeryShortTimesEndAtTheFirstTick() {
        CPlayFixture fixture({0, 1, 3});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Continuous);
        playback.PlayItem(0, fixture.All());
        QCOMPARE(playback.PlayDuration(), 0);
        fixture.TickAt(0);
        QCOMPARE(playback.PlayIndex(), 1);
        QCOMPARE(playback.PlayDuration(), 1);
        fixture.TickAt(0);
        QCOMPARE(playback.PlayIndex(), 2);
        fixture.TickAt(0);
        QCOMPARE(playback.PlayIndex(), 2);
    }

    // The arrow pressed in mid-track goes to the track before, even when the player still
    // reads the old position at the next tick; a real end after the switch still counts.
    void arrowInMidTrackIsNotTakenForTheEnd() {
        CPlayFixture fixture({3, 8, 8});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Continuous);
        fixture.player.KeepsOldPosition = true;
        playback.PlayItem(1, fixture.All());
        fixture.TickAt(4);
        QCOMPARE(playback.PlayIndex(), 1);
        playback.StepPlayback(-1);
        QCOMPARE(playback.PlayIndex(), 0);
        fixture.TickAfter(0.3, 4);
        fixture.TickAfter(1, 4);
        QCOMPARE(playback.PlayIndex(), 0);
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));
        // the player has caught up: the three-second track ends as usual
        fixture.TickAfter(1, 1.2);
        QCOMPARE(playback.PlayIndex(), 0);
        fixture.TickAfter(1, 2.2);
        QCOMPARE(playback.PlayIndex(), 1);

        // a track sought to its end right after it started ends too
        fixture.player.KeepsOldPosition = false;
        playback.StepPlayback(+1);
        QCOMPARE(playback.PlayIndex(), 2);
        fixture.TickAfter(0.5, 0.5);
        fixture.TickAfter(1, 7.5);
        QCOMPARE(playback.PlayIndex(), 0);
    }

    void randomModeWithOneRecordPlaysItAgain() {
        CPlayFixture fixture({3});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Random);
        playback.PlayItem(0, fixture.All());
        fixture.TickAt(2.5);
        fixture.TickAt(2.5);
        QCOMPARE(fixture.player.Files.size(), size_t(3));
        QCOMPARE(playback.PlayIndex(), 0);
        QCOMPARE(fixture.Marked(fixture.All()), Names{"a"});
    }

    void singleModeStopsAtTheEndButTheArrowsStep() {
        CPlayFixture fixture({3, 3});
        CPlayback& playback = fixture.playback;
        playback.PlayItem(0, fixture.All());
        fixture.TickAt(10);
        QCOMPARE(fixture.player.Files.size(), size_t(1));
        playback.StepPlayback(-1);
        QCOMPARE(playback.PlayIndex(), 1);
    }

    void nothingToStepBeforeTheFirstPlay() {
        CPlayFixture fixture({3});
        fixture.playback.SetMode(PlayMode::Continuous);
        fixture.TickAt(0);
        fixture.playback.StepPlayback(+1);
        QVERIFY(fixture.player.Files.empty());
        QCOMPARE(fixture.playback.PlayIndex(), -1);
    }

    void stepsStayInTheSearchListAfterAModeSwitch() {
        CPlayFixture fixture({3, 3, 3});
        CTorvaneDoc& doc = fixture.doc;
        AddSelectionToOtherList(doc, std::vector<int>{1, 2});
        ToggleSearchMode(doc);
        QVERIFY(doc.SearchMode());
        fixture.playback.PlaySelected({0});
        QCOMPARE(fixture.PlayedLast(), std::string("b.wav"));
        ToggleSearchMode(doc);
        QVERIFY(!doc.SearchMode());

        fixture.playback.StepPlayback(+1);
        QCOMPARE(fixture.PlayedLast(), std::string("c.wav"));
        QCOMPARE(fixture.playback.PlayList(), &doc.SearchList());
        fixture.playback.StepPlayback(+1); // wraps within the two of the search list
        QCOMPARE(fixture.PlayedLast(), std::string("b.wav"));
    }

    // A record that left the list played from, or stands beyond a list that has become shorter
    // than the remembered place, keeps its mark next to the new one.
    void marksOutsideThePlayListStay() {
        CPlayFixture fixture({3, 3, 3});
        CTorvaneDoc& doc = fixture.doc;
        AddSelectionToOtherList(doc, std::vector<int>{1});
        fixture.playback.PlayItem(1, fixture.All());
        RemoveSelected(doc, std::vector<int>{1});
        fixture.playback.PlayItem(0, fixture.All());
        QCOMPARE(fixture.Marked(fixture.All()), Names{"a"});
        QCOMPARE(fixture.Marked(doc.SearchList()), Names{"b"});

        CPlayFixture longer({3, 3, 3, 3});
        longer.playback.PlayItem(3, longer.All());
        RemoveSelected(longer.doc, std::vector<int>{0, 1});
        longer.playback.PlayItem(0, longer.All());
        QCOMPARE(longer.Marked(longer.All()), (Names{"c", "d"}));
        // once the remembered place lies within the list again, the first mark found is cleared
        longer.playback.PlayItem(1, longer.All());
        QCOMPARE(longer.Marked(longer.All()), Names{"d"});
    }

    void aStoppedTrackHasNotEnded() {
        CPlayFixture fixture({0, 3});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Continuous);
        playback.PlayItem(0, fixture.All());
        playback.StopPlayback();
        QCOMPARE(fixture.player.Stops, 1);
        QVERIFY(!playback.IsPlaying());
        fixture.TickAt(0);
        fixture.TickAt(0);
        QCOMPARE(playback.PlayIndex(), 0);
        // played again from the player's own button, it ends as any track does
        fixture.player.Play();
        fixture.TickAt(0);
        QCOMPARE(playback.PlayIndex(), 1);
    }

    // A file the player lacks a decoder for: the message names it and what is missing, and
    // nothing else changes, neither the mark nor what plays; in continuous mode the end of the
    // track before it asks once, not at every tick.
    void aFileThePlayerCannotPlayChangesNothing() {
        CPlayFixture fixture({3, 3, 3});
        CPlayback& playback = fixture.playback;
        fixture.player.Unplayable = "/b.wav";
        playback.PlayItem(0, fixture.All());
        playback.PlayItem(1, fixture.All());
        QCOMPARE(fixture.Marked(fixture.All()), Names{"a"});
        QCOMPARE(playback.PlayIndex(), 0);
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));
        QCOMPARE(fixture.player.Stops, 0);
        QVERIFY(playback.IsPlaying());
        QCOMPARE(fixture.host.Messages.size(), size_t(1));
        QCOMPARE(fixture.host.Messages.front().Id, MessageId::CannotPlay);
        const std::string text = fixture.host.Messages.front().Text;
        QVERIFY2(text.find("/b.wav") != std::string::npos, text.c_str());
        QVERIFY2(text.find("Windows Media Audio 8 decoder") != std::string::npos, text.c_str());

        playback.SetMode(PlayMode::Continuous);
        fixture.TickAt(1);
        fixture.player.State = 0; // a has ended
        fixture.TickAt(3);
        fixture.TickAt(3);
        fixture.TickAt(3);
        QCOMPARE(fixture.host.Messages.size(), size_t(2));
        QCOMPARE(playback.PlayIndex(), 0);
        // the arrows step past it
        playback.StepPlayback(+2);
        QCOMPARE(fixture.PlayedLast(), std::string("c.wav"));
        QCOMPARE(fixture.Marked(fixture.All()), Names{"c"});
    }

    // Held in its last second, a track has not ended; going on, it ends as any track does.
    void aHeldTrackKeepsItsPlaceAndHasNotEnded() {
        CPlayFixture fixture({3, 3});
        CPlayback& playback = fixture.playback;
        playback.SetMode(PlayMode::Continuous);
        playback.PlayItem(0, fixture.All());
        fixture.player.Position = 2.5;
        playback.PausePlayback();
        QVERIFY(playback.IsPaused() && !playback.IsPlaying());
        fixture.TickAt(2.5);
        QCOMPARE(playback.PlayIndex(), 0);
        playback.ResumePlayback();
        QVERIFY(playback.IsPlaying());
        QCOMPARE(fixture.player.Position, 2.5);
        QCOMPARE(fixture.player.Files.size(), size_t{1});
        fixture.TickAt(2.5);
        QCOMPARE(fixture.PlayedLast(), std::string("b.wav"));
        // pausing what does not play does nothing
        playback.StopPlayback();
        playback.PausePlayback();
        QVERIFY(!playback.IsPaused());
    }

    // Going on after a stop starts the stopped track again; before the first play, the first
    // record of the current list; a list that became shorter, its first record.
    void resumingAfterAStopOrBeforeAnything() {
        CPlayFixture fixture({3, 3, 3});
        CPlayback& playback = fixture.playback;
        playback.ResumePlayback();
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));
        playback.PlayItem(2, fixture.All());
        playback.StopPlayback();
        playback.ResumePlayback();
        QCOMPARE(fixture.PlayedLast(), std::string("c.wav"));
        QCOMPARE(playback.StartCount(), 3);
        playback.StopPlayback();
        RemoveSelected(fixture.doc, std::vector<int>{1, 2});
        playback.ResumePlayback();
        QCOMPARE(fixture.PlayedLast(), std::string("a.wav"));

        CPlayFixture empty({});
        empty.playback.ResumePlayback();
        QVERIFY(empty.player.Files.empty());
    }

    void withoutAPlayerNothingEnds() {
        CPlayFixture fixture({0, 3});
        CPlayback playback(fixture.doc, nullptr);
        playback.SetMode(PlayMode::Continuous);
        playback.PlayItem(0, fixture.All());
        QCOMPARE(fixture.Marked(fixture.All()), Names{"a"});
        playback.CheckPlaybackEnd();
        QCOMPARE(playback.PlayIndex(), 0);
        QVERIFY(!playback.IsPlaying());
    }
};

QTEST_GUILESS_MAIN(PlaybackTest)
#include "PlaybackTest.moc"
