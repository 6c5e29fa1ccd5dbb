// Saving onto a disk that fails, through the window: the user is told with the program's
// text, the previous files stay and no temporary file is left.

#include "GuiTestSupport.h"
#include "ModalDialog.h"
#include "core/ScratchDisk.h"

#include "gui/dialogs/CustomSaveDialog.h"

#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>

#include <fstream>

using namespace torvane;
using namespace torvane::test;

namespace {

constexpr const char* OpenFailed = "error: ファイルのオープンに失敗しました";

} // namespace

class WriteFailureTest : public QObject {
    Q_OBJECT
private slots:
    void saveOntoAReadOnlyDiskShowsTheError() {
        CAppFixture fixture;
        CScratchDisk disk(fixture.Dir / "disk", CScratchDisk::Failure::ReadOnly);
        if (!disk.Real())
            QSKIP("running as root without the right to mount a read-only disk");
        std::ofstream(disk / "old.m3u") << "previous\r\n";
        fixture.Start({fixture.Audio("a.mp3")});
        disk.Break();
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save, [&](CCustomSaveDialog& dialog) {
                auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                QVERIFY(name && buttons);
                name->setText(QString::fromStdString(disk / "new.m3u"));
                QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
            }));
        QCOMPARE(fixture.Host.Messages, std::vector<std::string>{OpenFailed});
        QCOMPARE(disk.Names(), (std::vector<std::string>{"old.m3u"}));
    }

    // Nothing written at exit fits: the kept list's error shows during the close, the tag
    // cache's and the settings' after it, the program still ends, and the previous list and
    // settings stay as they were.
    void keptListCacheAndSettingsOnAFullDiskAreReportedAndTheProgramEnds() {
        CTempDir dir;
        CScratchDisk disk(dir / "disk", CScratchDisk::Failure::Full);
        if (!disk.Real())
            QSKIP("no mount privilege: the core tests fail the write seam instead");
        const std::string profile = "[app]\nalert=1\nCloseSave=1\nreadtag=3\n";
        std::ofstream(disk / "torvane.ini") << profile;
        std::ofstream(disk / "Torvane.m3u") << "previous\r\n";
        CScriptedHost::Script script;
        auto app = std::make_unique<CTorvaneApp>(disk / "torvane.ini",
                                                 std::make_unique<CScriptedHost>(script));
        QVERIFY(app->Start({dir.Write("a.mp3", std::string(1000, 'x'))}));
        QVERIFY(QTest::qWaitFor([&] { return app->ListsLoaded(); }, 30000));
        QCOMPARE(app->Doc()->AllList().size(), size_t(1));
        disk.Break();
        QVERIFY(app->Frame()->close());
        app->Shutdown();
        QCOMPARE(script.Messages, (std::vector<std::string>{OpenFailed, OpenFailed, OpenFailed}));
        QCOMPARE(dir.Read("disk/Torvane.m3u"), std::string("previous\r\n"));
        QCOMPARE(dir.Read("disk/torvane.ini"), profile);
        QCOMPARE(disk.Names(), (std::vector<std::string>{"Torvane.m3u", "torvane.ini"}));
    }
};

QTEST_MAIN(WriteFailureTest)
#include "WriteFailureTest.moc"
