// The data bar in the window: it follows the selection, hidden or not, keeps its record while
// fixed, refreshes on a tag mode switch, and its buttons run their commands on the selection.

#include "GuiTestSupport.h"
#include "WavFile.h"

#include "core/media/MpegReader.h"
#include "gui/app/Actions.h"
#include "gui/app/Commands.h"
#include "gui/bars/DataBar.h"
#include "gui/playback/Playback.h"

#include <QAction>
#include <QCheckBox>
#include <QSignalSpy>
#include <QToolBar>
#include <QToolButton>

using namespace torvane;
using namespace torvane::test;

namespace {

// Both tag sets, so the two display modes differ.
void GiveTags(CListData& record) {
    AudioInfo info;
    info.Std.Title = "Standard";
    info.Ext.Title = "Extended";
    info.PlayTime = 61;
    info.BitRate = -1;
    info.SamplingRate = 22050;
    info.TagFlags = AudioInfo::TagId3v1 | AudioInfo::TagId3v2;
    FinishMpegInfo(info);
    record.FillFrom(info);
}

// How much of a picture shows: the sum of its pixels' opacity.
qint64 Opacity(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    qint64 sum = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            sum += qAlpha(image.pixel(x, y));
    return sum;
}

// Whether a button's picture looks unavailable while its command is: clearly fainter.
bool LooksDisabledWhenDisabled(const QIcon& icon) {
    const qint64 normal = Opacity(icon.pixmap(QSize(24, 24), QIcon::Normal));
    const qint64 disabled = Opacity(icon.pixmap(QSize(24, 24), QIcon::Disabled));
    return normal > 0 && disabled * 2 < normal;
}

} // namespace

class DataBarTest : public QObject {
    Q_OBJECT
private slots:
    // The Play button of the data bar and the duplicate list-up button of the tool bar look
    // unavailable while their commands are.
    void buttonPicturesLookDisabledWhenDisabled() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        QVERIFY(LooksDisabledWhenDisabled(frame.DataBar().PlayButton()->icon()));
        QVERIFY(LooksDisabledWhenDisabled(frame.Actions()[Cmd::DuplicateList]->icon()));
        for (const QAction* action : frame.ToolBar().actions())
            if (!action->icon().isNull())
                QVERIFY2(LooksDisabledWhenDisabled(action->icon()), qPrintable(action->toolTip()));
    }

    void followsTheSelectionWhileHidden() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("first.mp3", 2048), fixture.Audio("second.mp3")});
        CMainFrame& frame = fixture.Frame();
        CDataBar& bar = frame.DataBar();
        QVERIFY(!bar.isVisible());
        QCOMPARE(bar.allowedAreas(), Qt::LeftDockWidgetArea);
        QCOMPARE(bar.windowTitle(), QString());

        frame.View().SelectRows({0});
        QCOMPARE(bar.Text(CDataBar::Path), QString::fromStdString(fixture.Dir / "first.mp3"));
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("first"));
        QCOMPARE(bar.windowTitle(), QStringLiteral("first"));
        QCOMPARE(bar.Text(CDataBar::Size), QStringLiteral("0.1 MB (2.0 kB)"));
        QCOMPARE(bar.Text(CDataBar::Time), QString()); // never read, not " ()"

        frame.View().SelectRows({0, 1});
        for (int field = 0; field < CDataBar::FieldCount; ++field)
            QCOMPARE(bar.Text(static_cast<CDataBar::Field>(field)), QString());
        QCOMPARE(bar.windowTitle(), QString());
    }

    void fixedKeepsItsRecordWhileTheButtonsFollowTheSelection() {
        CAppFixture fixture;
        fixture.Start({fixture.Dir.Write("one.wav", WavBytes(3000)),
                       fixture.Dir.Write("two.wav", WavBytes(3000))});
        CMainFrame& frame = fixture.Frame();
        CDataBar& bar = frame.DataBar();
        frame.View().SelectRows({0});
        bar.FixBox()->setChecked(true);
        frame.View().SelectRows({1});
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("one"));
        frame.View().SelectRows({});
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("one"));

        frame.View().SelectRows({1});
        QSignalSpy executed(&frame.Commands(), &CCommands::executed);
        QVERIFY(bar.PlayButton()->isEnabled());
        bar.PlayButton()->click();
        QCOMPARE(executed.count(), 1);
        QCOMPARE(executed.front().front().value<Cmd>(), Cmd::Play);
        QCOMPARE(frame.Playback().PlayIndex(), 1);
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("one"));

        // unfixing shows the selection from its next change on
        bar.FixBox()->setChecked(false);
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("one"));
        frame.View().SelectRows({0, 1});
        QCOMPARE(bar.Text(CDataBar::Name), QString());
        frame.View().SelectRows({1});
        QCOMPARE(bar.Text(CDataBar::Name), QStringLiteral("two"));
        frame.Playback().StopPlayback();
    }

    void buttonsAreEnabledByTheirCommands() {
        CAppFixture fixture;
        const std::string gone = fixture.Audio("gone.mp3");
        fixture.Start({fixture.Audio("kept.mp3"), gone});
        std::filesystem::remove(gone);
        CMainFrame& frame = fixture.Frame();
        CDataBar& bar = frame.DataBar();
        const CActions& actions = frame.Actions();
        QCOMPARE(bar.CopyButton()->text(), QStringLiteral("Copy"));
        QCOMPARE(bar.PlayButton()->toolTip(), QStringLiteral("再生"));
        QCOMPARE(bar.PlayButton()->statusTip(), QStringLiteral("選択中のファイルを再生します"));
        QCOMPARE(bar.OpenButton()->toolTip(), QStringLiteral("一つ上のフォルダを開く"));
        QCOMPARE(bar.CopyButton()->toolTip(), QStringLiteral("パスをコピー"));
        QVERIFY(!bar.PlayButton()->icon().isNull());
        QVERIFY(!bar.OpenButton()->icon().isNull());

        QVERIFY(!bar.PlayButton()->isEnabled());
        frame.View().SelectRows({0});
        QVERIFY(bar.PlayButton()->isEnabled());
        frame.View().SelectRows({1}); // its file is gone
        QVERIFY(!bar.PlayButton()->isEnabled());
        for (QToolButton* button : {bar.CopyButton(), bar.OpenButton()}) {
            const Cmd id = button == bar.CopyButton() ? Cmd::CopyPath : Cmd::OpenParentFolder;
            QCOMPARE(button->isEnabled(), actions[id]->isEnabled());
        }
    }

    void tagModeSwitchRefreshesUnlessFixed() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("tagged.mp3")});
        CMainFrame& frame = fixture.Frame();
        CDataBar& bar = frame.DataBar();
        GiveTags(*fixture.Doc().AllList()[0]);
        frame.View().SelectRows({0});
        QCOMPARE(bar.Text(CDataBar::Title), QStringLiteral("Standard"));
        QCOMPARE(bar.Text(CDataBar::Rate), QStringLiteral("(VBR) / 22050 Hz"));
        QCOMPARE(bar.Text(CDataBar::Time), QStringLiteral("01:01 (61 sec)"));

        frame.Commands().Run(Cmd::TagExtended);
        QCOMPARE(bar.Text(CDataBar::Title), QStringLiteral("Extended"));
        bar.FixBox()->setChecked(true);
        frame.Commands().Run(Cmd::TagStandard);
        QCOMPARE(bar.Text(CDataBar::Title), QStringLiteral("Extended"));
    }
};

QTEST_MAIN(DataBarTest)
#include "DataBarTest.moc"
