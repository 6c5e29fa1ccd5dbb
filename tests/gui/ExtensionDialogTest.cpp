// "拡張子の設定": the rows shown, registering, the two refusals, deleting and the protected
// extensions, the check boxes, and when the registry takes the rows over.

#include "GuiTestSupport.h"
#include "ModalDialog.h"

#include "core/settings/Profile.h"
#include "gui/dialogs/ExtensionDialog.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

using namespace torvane;
using namespace torvane::test;

namespace {

QStringList RowTexts(const CExtensionDialog& dialog) {
    QStringList texts;
    for (const ExtDialogRow& row : dialog.Rows())
        texts << QString::fromStdString(row.Ext + "," + std::to_string(row.Checked) + "," +
                                        row.App);
    return texts;
}

QTreeWidgetItem* Row(const CExtensionDialog& dialog, const QString& ext) {
    const QList<QTreeWidgetItem*> found = dialog.List()->findItems(ext, Qt::MatchExactly);
    return found.isEmpty() ? nullptr : found.front();
}

void ClickRow(const CExtensionDialog& dialog, const QString& ext) {
    QTreeWidget* list = dialog.List();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(Row(dialog, ext)).center());
}

void TypeInto(QLineEdit* field, const QString& text) {
    field->clear();
    QTest::keyClicks(field, text);
}

// Whether a file of this name would be gathered now.
bool Gathered(CAppFixture& fixture, const std::string& name) {
    return fixture.Doc().AddFile(fixture.Audio(name), true);
}

// A registry of the four protected-rule extensions only, as a profile stores it.
constexpr const char* FourDefaultsOnly = "[ext]\ncount=4\n0=mp3,1,\n1=ogg,1,\n2=wav,1,\n3=wma,1,\n";

} // namespace

class ExtensionDialogTest : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheRegistrysRowsSorted() {
        CAppFixture fixture;
        fixture.WriteProfile("[ext]\ncount=2\n0=aac,0,/usr/bin/player\n1=mp3,1,\n");
        fixture.Start();
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [](CExtensionDialog& dialog) {
                QCOMPARE(RowTexts(dialog), (QStringList{"aac,0,/usr/bin/player", "mp3,1,", "ogg,1,",
                                                        "wav,1,", "wma,1,"}));
                QVERIFY(!dialog.DeleteButton()->isEnabled());

                // a selected row fills the edits and the display-only "有効"
                ClickRow(dialog, "aac");
                QCOMPARE(dialog.ExtensionField()->text(), QStringLiteral("aac"));
                QCOMPARE(dialog.ApplicationField()->text(), QStringLiteral("/usr/bin/player"));
                QCOMPARE(dialog.ApplicationField()->selectedText(),
                         QStringLiteral("/usr/bin/player"));
                QCOMPARE(dialog.ApplicationField()->cursorPosition(), 0);
                QVERIFY(!dialog.EnabledBox()->isChecked());
                dialog.EnabledBox()->click();
                QCOMPARE(Row(dialog, "aac")->checkState(0), Qt::Unchecked);

                // ticking the row's own box shows in "有効" at once
                QTest::keyClick(dialog.List(), Qt::Key_Space);
                QCOMPARE(Row(dialog, "aac")->checkState(0), Qt::Checked);
                QVERIFY(dialog.EnabledBox()->isChecked());
                dialog.reject();
            }));
    }

    void registersNewAndExistingExtensions() {
        CAppFixture fixture;
        fixture.WriteProfile("[ext]\ncount=1\n0=FLAC,1,\n");
        fixture.Start();
        const std::string app = fixture.Audio("player");
        QVERIFY(!Gathered(fixture, "song.flac")); // an upper-case entry never matches
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [&](CExtensionDialog& dialog) {
                // typed letters become lower case, and what could not end a file name or would
                // break the stored line is not taken; a new row comes ticked, in sorted place
                TypeInto(dialog.ExtensionField(), "O P/U,S.");
                QCOMPARE(dialog.ExtensionField()->text(), QStringLiteral("opus"));
                TypeInto(dialog.ApplicationField(), QString::fromStdString(app));
                QTest::mouseClick(dialog.RegisterButton(), Qt::LeftButton);
                QCOMPARE(RowTexts(dialog).at(3), QString::fromStdString("opus,1," + app));
                QCOMPARE(dialog.ApplicationField()->selectedText(), QString::fromStdString(app));

                // an existing extension in another case takes the case typed; no second row
                TypeInto(dialog.ExtensionField(), "flac");
                dialog.ApplicationField()->clear();
                QTest::mouseClick(dialog.RegisterButton(), Qt::LeftButton);
                QCOMPARE(RowTexts(dialog), (QStringList{"flac,1,", "mp3,1,", "ogg,1,",
                                                        "opus,1," + QString::fromStdString(app),
                                                        "wav,1,", "wma,1,"}));
                QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
            }));
        QVERIFY(fixture.Host.Messages.empty());
        QVERIFY(Gathered(fixture, "song.flac"));
        QVERIFY(Gathered(fixture, "song.opus"));
        QCOMPARE(fixture.Doc().Extensions().FindExtApp("opus"), app);
    }

    // Enter typed in the extension field registers it, as the button does, and the dialog
    // stays open; Enter elsewhere still closes it through its default button.
    void enterInTheExtensionFieldRegisters() {
        CAppFixture fixture;
        fixture.WriteProfile(std::string("[app]\nalert=1\n") + FourDefaultsOnly);
        fixture.Start();
        bool stayedOpen = false;
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [&](CExtensionDialog& dialog) {
                QVERIFY(dialog.CloseButton()->isDefault());
                dialog.ExtensionField()->setFocus();
                TypeInto(dialog.ExtensionField(), "flac");
                QTest::keyClick(dialog.ExtensionField(), Qt::Key_Return);
                stayedOpen = dialog.isVisible();
                QVERIFY(Row(dialog, "flac"));
                QCOMPARE(Row(dialog, "flac")->checkState(0), Qt::Checked);
                TypeInto(dialog.ExtensionField(), "");
                QTest::keyClick(dialog.ExtensionField(), Qt::Key_Enter);
                QTest::keyClick(dialog.List(), Qt::Key_Return);
            }));
        QVERIFY(stayedOpen);
        // the empty field was refused with its message, the list's Enter closed the dialog
        QCOMPARE(fixture.Host.Messages.size(), size_t(1));
        QVERIFY(Gathered(fixture, "song.flac"));
    }

    void refusesAMissingExtensionAndAnInvalidApplication() {
        CAppFixture fixture;
        fixture.WriteProfile(FourDefaultsOnly);
        fixture.Start();
        const std::string folder = fixture.Dir.Path();
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [&](CExtensionDialog& dialog) {
                QTest::mouseClick(dialog.RegisterButton(), Qt::LeftButton);
                TypeInto(dialog.ExtensionField(), "flac");
                for (const std::string& app : {folder, folder + "/none"}) {
                    TypeInto(dialog.ApplicationField(), QString::fromStdString(app));
                    QTest::mouseClick(dialog.RegisterButton(), Qt::LeftButton);
                }
                QCOMPARE(dialog.Rows().size(), size_t{4});
                QCOMPARE(dialog.ExtensionField()->text(), QStringLiteral("flac"));
                QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
            }));
        const std::string invalid =
            "Torvane: 指定したパスは無効です。\n有効なパスを指定してください。";
        QCOMPARE(
            fixture.Host.Messages,
            (std::vector<std::string>{"Torvane: 拡張子が指定されていません。", invalid, invalid}));
        QVERIFY(!Gathered(fixture, "song.flac"));
    }

    void deletesAllButTheProtectedExtensions() {
        CAppFixture fixture;
        fixture.WriteProfile(std::string("[app]\nalert=1\n") + FourDefaultsOnly);
        fixture.Start();
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [](CExtensionDialog& dialog) {
                for (const char* ext : {"mp3", "wma", "ogg"}) {
                    ClickRow(dialog, ext);
                    QVERIFY(!dialog.DeleteButton()->isEnabled());
                    QVERIFY(!dialog.ExtensionField()->isEnabled());
                }
                ClickRow(dialog, "wav");
                QVERIFY(dialog.DeleteButton()->isEnabled());
                QVERIFY(dialog.ExtensionField()->isEnabled());
                QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
                QVERIFY(!Row(dialog, "wav"));
                QVERIFY(dialog.ExtensionField()->text().isEmpty());
                QVERIFY(dialog.ApplicationField()->text().isEmpty());

                // unticking keeps the row, registered but off
                ClickRow(dialog, "mp3");
                QTest::keyClick(dialog.List(), Qt::Key_Space);
                QTest::mouseClick(dialog.CloseButton(), Qt::LeftButton);
            }));
        QVERIFY(!Gathered(fixture, "song.wav"));
        QVERIFY(!Gathered(fixture, "song.mp3"));
        QVERIFY(fixture.Close());
        CProfile profile(fixture.ProfilePath());
        QVERIFY(profile.Load());
        QCOMPARE(profile.GetInt("ext", "count", 0), 3);
        QCOMPARE(profile.GetString("ext", "0"), std::string("mp3,0,"));
    }

    void escapeKeepsTheRegistry() {
        CAppFixture fixture;
        fixture.Start();
        QVERIFY(WithDialog<CExtensionDialog>(
            fixture.Frame(), Cmd::ExtensionSettings, [](CExtensionDialog& dialog) {
                ClickRow(dialog, "wav");
                QTest::mouseClick(dialog.DeleteButton(), Qt::LeftButton);
                ClickRow(dialog, "mp3");
                QTest::keyClick(dialog.List(), Qt::Key_Space);
                QTest::keyClick(&dialog, Qt::Key_Escape);
                QVERIFY(!dialog.isVisible());
            }));
        QVERIFY(Gathered(fixture, "song.wav"));
        QVERIFY(Gathered(fixture, "song.mp3"));
    }
};

QTEST_MAIN(ExtensionDialogTest)
#include "ExtensionDialogTest.moc"
