// Long operations through the desktop host: the progress window lets events through by time, so
// a cancel pressed while an operation runs reaches it, and the operation ends as it should: the
// search (which never asks) with its full result, the duplicate check with the removals made
// before the cancel.

#include "GuiTestSupport.h"

#include "core/StalledStorage.h"
#include "core/gather/Gathering.h"

#include "core/listops/Duplicates.h"
#include "core/listops/Search.h"
#include "gui/widgets/ProgressWindow.h"

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <fstream>

using namespace torvane;
using namespace torvane::test;

namespace {

constexpr int RecordCount = 100000;

// Presses the cancel button of the open progress window at its PumpNumber-th event processing
// (a zero timer fires once per processing).
class CCancelAtPump final : public QObject {
public:
    explicit CCancelAtPump(int pumpNumber) : m_PumpNumber(pumpNumber) {
        connect(&m_Timer, &QTimer::timeout, this, [this] { Tick(); });
        m_Timer.start(0);
    }

    bool Pressed() const { return m_Pressed; }

private:
    void Tick() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<CProgressWindow*>(widget);
            if (!window || Pressed() || ++m_Pumps < m_PumpNumber)
                continue;
            m_Pressed = true;
            window->CancelButton()->click();
            m_Timer.stop();
        }
    }

    QTimer m_Timer;
    int m_PumpNumber;
    int m_Pumps = 0;
    bool m_Pressed = false;
};

// A document of RecordCount records read as untagged files; the second half repeats the sizes
// of the first, so record i + RecordCount / 2 is the one duplicate of record i.
class CLongList {
public:
    CScriptedHost::Script Answers;
    CScriptedHost Host{Answers};
    CProfile Profile;
    QMainWindow Window;
    CTorvaneDoc Doc{Profile, Host};

    CLongList() {
        Host.SetMainWindow(&Window);
        Window.show();
        Doc.Settings().readtag = 0;
        for (int i = 0; i < RecordCount; ++i) {
            Doc.AddFile("/music/folder" + std::to_string(i % 100) + "/track" + std::to_string(i) +
                            ".mp3",
                        false);
            CListData* record = Doc.AllList().back();
            record->SetSize(i % (RecordCount / 2));
            record->SetState(CListData::InfoRead, true);
        }
    }
};

} // namespace

class LongOperationTest : public QObject {
    Q_OBJECT
private slots:
    // The search cannot be stopped: a cancel pressed during it changes nothing of its result.
    void cancelDuringASearchKeepsTheWholeResult() {
        CLongList list;
        SearchRequest request;
        SplitSearchTerms(request, "folder1 track");
        RunSearch(list.Doc, request);
        const TrackList expected = list.Doc.SearchList();
        QCOMPARE(expected.size(), size_t(11000)); // folder1 and folder10..19

        list.Doc.SetSearchMode(false);
        CCancelAtPump cancel(2);
        RunSearch(list.Doc, request);
        QVERIFY2(cancel.Pressed(), "no events were let through during the search");
        QCOMPARE(list.Doc.SearchList(), expected);
        QVERIFY(list.Doc.SearchMode());
        QVERIFY(list.Window.isEnabled());
    }

    // The duplicate check stops at its next question and keeps what it removed until then.
    void cancelDuringADuplicateCheckKeepsTheRemovalsSoFar() {
        CLongList list;
        CCancelAtPump cancel(2);
        const int removed = RemoveDuplicates(list.Doc);
        QVERIFY2(cancel.Pressed(), "no events were let through during the check");
        QVERIFY(removed < RecordCount / 2);
        // Rounds run in list order and each removed the duplicate of its record: the first half
        // stays whole, followed by the duplicates of the records not reached.
        const TrackList& left = list.Doc.AllList();
        QCOMPARE(left.size(), size_t(RecordCount - removed));
        for (size_t i = 0; i < left.size(); ++i) {
            const int track = i < RecordCount / 2 ? int(i) : int(i) + removed;
            if (left[i]->FileName() != "track" + std::to_string(track))
                QFAIL(
                    qPrintable(QStringLiteral("row %1 holds %2")
                                   .arg(i)
                                   .arg(QString::fromStdString(std::string(left[i]->FileName())))));
        }
        QCOMPARE(list.Answers.Messages.size(), size_t(1));
        const std::string report = removed == 0
                                       ? "重複は見つかりませんでした。"
                                       : std::to_string(removed) + "件の重複がありました。";
        QVERIFY(QString::fromStdString(list.Answers.Messages.front())
                    .startsWith(QString::fromStdString(": " + report)));
        QVERIFY(list.Window.isEnabled());
    }

    // A file whose status never comes (a share that stopped answering) holds up neither the
    // window nor the cancel: the folder scan ends at the cancel while the query still waits,
    // and keeps the files added before it.
    void cancelEndsAGatheringWhileAFileNeverAnswers() {
        QTemporaryDir dir;
        const std::string folder = dir.path().toStdString();
        for (const char* name : {"1.mp3", "2.mp3", "3.mp3", "4.mp3", "5.mp3"})
            std::ofstream(folder + "/" + name) << "not audio";
        CScriptedHost::Script answers;
        CScriptedHost host(answers);
        QMainWindow window;
        host.SetMainWindow(&window);
        window.show();
        CProfile profile;
        CTorvaneDoc doc(profile, host);
        doc.Settings().readtag = DocSettings::ReadTags;
        CStalledPath stalled(folder + "/3.mp3");

        CCancelAtPump cancel(3);
        OpenFolder(doc, folder);
        QVERIFY2(stalled.Held(), "the stalled file was never asked for");
        QVERIFY2(stalled.Holding(), "the scan waited for the file that never answers");
        QVERIFY(cancel.Pressed());
        QVERIFY(window.isEnabled());
        // The files are added from the last name back: 5 and 4 came before the stalled one.
        QCOMPARE(doc.AllList().size(), size_t(2));
        QCOMPARE(std::string(doc.AllList()[1]->FileName()), std::string("4"));
        stalled.Release();
    }
};

QTEST_MAIN(LongOperationTest)
#include "LongOperationTest.moc"
