// The save dialog's panel (relative paths, base folder, template) and the per-folder
// confirmation, driven through their widgets and their commands.

#include "GuiTestSupport.h"
#include "ModalDialog.h"

#include "gui/app/Actions.h"
#include "gui/dialogs/CustomSaveDialog.h"
#include "gui/dialogs/FolderSaveDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolBar>
#include <QTreeWidget>

#include <fstream>

using namespace torvane;
using namespace torvane::test;

namespace {

// Chooses the file type whose filter names the pattern, as the keyboard does in the dialog's
// type list.
void ChooseType(CCustomSaveDialog& dialog, const char* pattern) {
    auto* types = dialog.findChild<QComboBox*>(QStringLiteral("fileTypeCombo"));
    QVERIFY(types);
    const int index = types->findText(QLatin1String(pattern), Qt::MatchContains);
    QVERIFY(index >= 0);
    QTest::keyClick(types, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(types, Qt::Key_Down);
    QCOMPARE(types->currentIndex(), index);
}

// Types the name into the dialog's name field and presses its save button.
void SaveAs(CCustomSaveDialog& dialog, const std::string& path) {
    auto* name = dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog.findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY(name && buttons);
    name->setText(QString::fromStdString(path));
    QTest::mouseClick(buttons->button(QDialogButtonBox::Save), Qt::LeftButton);
}

// The current folder for one test.
class CCurrentFolder {
public:
    explicit CCurrentFolder(const std::string& folder) : m_Saved(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(folder));
    }
    ~CCurrentFolder() { QDir::setCurrent(m_Saved); }

private:
    QString m_Saved;
};

// Templates where the program finds them: the tests' private data folder.
std::string TemplateFolder() {
    return qEnvironmentVariable("XDG_DATA_HOME").toStdString() + "/torvane/templates";
}

void Tick(QTreeWidget* list, int row) {
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->topLevelItem(row)).center());
    QTest::keyClick(list, Qt::Key_Space);
}

QList<Qt::CheckState> Ticks(const QTreeWidget* list) {
    QList<Qt::CheckState> ticks;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        ticks << list->topLevelItem(i)->checkState(0);
    return ticks;
}

} // namespace

class SaveDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void panelFollowsTheRelativeChoiceAndTheType() {
        SaveDialogStart start;
        start.Relative = true;
        start.BasePath = "/music";
        start.Templates = {"plain.htm", "full.htm"};
        CCustomSaveDialog dialog(start);
        dialog.show();
        QVERIFY(dialog.BaseField()->isVisible());
        QVERIFY(dialog.BaseField()->isReadOnly());
        QCOMPARE(dialog.BaseField()->text(), QStringLiteral("/music"));
        QVERIFY(!dialog.TemplateList()->isVisible());
        QCOMPARE(dialog.TemplateList()->currentText(), QStringLiteral("plain.htm"));

        ChooseType(dialog, "(*.htm)");
        QVERIFY(!dialog.RelativeBox()->isEnabled());
        QVERIFY(!dialog.BaseField()->isEnabled());
        QVERIFY(!dialog.BrowseButton()->isEnabled());
        QVERIFY(dialog.TemplateLabel()->isVisible());
        QVERIFY(dialog.TemplateList()->isVisible());
        ChooseType(dialog, "(*)");
        QVERIFY(!dialog.RelativeBox()->isEnabled());
        QVERIFY(!dialog.TemplateList()->isVisible());
        ChooseType(dialog, "(*.txt)");
        QVERIFY(dialog.RelativeBox()->isEnabled());
        QVERIFY(dialog.BaseField()->isEnabled());
        QVERIFY(!dialog.TemplateList()->isVisible());

        // the base folder is browsed for from the folder the dialog shows
        QString startedIn;
        dialog.setDirectory(QDir::tempPath());
        dialog.ChooseFolder = [&](QWidget*, const QString& folder) {
            startedIn = folder;
            return QStringLiteral("/picked");
        };
        QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
        QCOMPARE(startedIn, QDir(QDir::tempPath()).absolutePath());
        QCOMPARE(dialog.BaseField()->text(), QStringLiteral("/picked"));

        dialog.RelativeBox()->click();
        QVERIFY(!dialog.BaseLabel()->isVisible());
        QVERIFY(!dialog.BaseField()->isVisible());
        QVERIFY(!dialog.Choice().Relative);
    }

    void withoutTemplatesTheHtmlTypeOffersNone() {
        CCustomSaveDialog dialog(SaveDialogStart{});
        dialog.show();
        QVERIFY(!dialog.BaseField()->isVisible());
        ChooseType(dialog, "(*.htm)");
        QVERIFY(!dialog.TemplateList()->isEnabled());
        QVERIFY(!dialog.TemplateList()->isVisible());
        QVERIFY(!dialog.TemplateLabel()->isVisible());
        QVERIFY(dialog.Choice().TemplateName.empty());
    }

    void anEmptyBaseIsTheCurrentFolder() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nrelative=1\n");
        fixture.Start({fixture.Audio("music/a.mp3"), fixture.Audio("other/b.mp3")});
        const CCurrentFolder current(fixture.Dir / "music");
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save, [&](CCustomSaveDialog& dialog) {
                QCOMPARE(dialog.BaseField()->text(), QString::fromStdString(fixture.Dir / "music"));
                QVERIFY(dialog.RelativeBox()->isChecked());
                SaveAs(dialog, fixture.Dir / "list");
            }));
        QCOMPARE(fixture.Dir.Read("list.m3u"), std::string("./a.mp3\r\n../other/b.mp3\r\n"));
        QCOMPARE(fixture.Doc().Settings().relative_root, fixture.Dir / "music");
        QCOMPARE(fixture.Doc().Settings().relative, true);
        // the chosen file's folder becomes the current one
        QCOMPARE(QDir::currentPath(), QString::fromStdString(fixture.Dir.Path()));
    }

    void theExtendedChoiceServesM3uOnlyAndIsRemembered() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        // saving makes the list's folder the current one; it goes back before the folder goes
        const CCurrentFolder current(fixture.Dir.Path());
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save, [&](CCustomSaveDialog& dialog) {
                QVERIFY(dialog.ExtendedBox()->isEnabled());
                QVERIFY(!dialog.ExtendedBox()->isChecked());
                ChooseType(dialog, "(*.m3u8)");
                QVERIFY2(!dialog.ExtendedBox()->isEnabled(), "m3u8 is always extended");
                ChooseType(dialog, "(*.txt)");
                QVERIFY(!dialog.ExtendedBox()->isEnabled());
                ChooseType(dialog, "(*.m3u)");
                dialog.ExtendedBox()->click();
                SaveAs(dialog, fixture.Dir / "list");
            }));
        QVERIFY(fixture.Dir.Read("list.m3u").starts_with("#EXTM3U\r\n#EXTINF:"));
        QCOMPARE(fixture.Doc().Settings().ExtendedM3U, true);
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save,
            [](CCustomSaveDialog& dialog) { QVERIFY(dialog.ExtendedBox()->isChecked()); }));
    }

    void htmlUsesTheChosenTemplate() {
        CAppFixture fixture;
        const CTempDir& dir = fixture.Dir;
        fixture.Start({fixture.Audio("a.mp3")});
        std::filesystem::create_directories(TemplateFolder());
        for (const std::string name : {"one", "two"})
            std::ofstream(TemplateFolder() + "/" + name + ".htm")
                << name << "\n<!-- tvn -->\n[%fname%]\n";
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save, [&](CCustomSaveDialog& dialog) {
                ChooseType(dialog, "(*.htm)");
                QComboBox* templates = dialog.TemplateList();
                QCOMPARE(templates->count(), 2);
                QTest::keyClick(templates, Qt::Key_Down);
                QCOMPARE(templates->currentText(), QStringLiteral("two.htm"));
                SaveAs(dialog, dir / "page");
            }));
        std::filesystem::remove_all(TemplateFolder());
        QVERIFY(fixture.Host.Messages.empty());
        QCOMPARE(dir.Read("page.htm"), std::string("two\r\n[a]\r\n\r\n"));
        // stored after every confirmed save, whatever was written
        QCOMPARE(fixture.Doc().Settings().relative, false);
        QVERIFY(!fixture.Doc().Settings().relative_root.empty());
    }

    // Both save commands stay enabled on an empty list: the save writes an empty playlist,
    // the save per folder has nothing to ask about and does nothing.
    void anEmptyListCanBeSaved() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        const CCurrentFolder current(fixture.Dir.Path());
        frame.Commands().UpdateStates();
        QVERIFY(frame.Actions()[Cmd::Save]->isEnabled());
        QVERIFY(frame.Actions()[Cmd::SaveEachFolder]->isEnabled());
        QVERIFY(frame.ToolBar().widgetForAction(frame.Actions()[Cmd::Save])->isEnabled());
        QVERIFY(WithDialog<CCustomSaveDialog>(frame, Cmd::Save, [&](CCustomSaveDialog& dialog) {
            SaveAs(dialog, fixture.Dir / "empty");
        }));
        QVERIFY(fixture.Exists("empty.m3u"));
        QCOMPARE(fixture.Dir.Read("empty.m3u"), std::string());
        QVERIFY(!WithDialog<QDialog>(frame, Cmd::SaveEachFolder, [](QDialog&) {}));
        QVERIFY(fixture.Host.Messages.empty());
    }

    // The save dialog opens in the folder of the last save, not where a file dialog of
    // another command was last confirmed.
    void saveDialogOpensWhereTheLastSaveWent() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        const CCurrentFolder current(fixture.Dir.Path());
        const std::string saved = fixture.Dir / "saved";
        const std::string other = fixture.Dir / "other";
        std::filesystem::create_directories(saved);
        std::filesystem::create_directories(other);
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save,
            [&](CCustomSaveDialog& dialog) { SaveAs(dialog, saved + "/list"); }));
        QVERIFY(std::filesystem::exists(saved + "/list.m3u"));

        QFileDialog browse(nullptr, QString(), QString::fromStdString(other));
        browse.setOption(QFileDialog::DontUseNativeDialog);
        browse.setFileMode(QFileDialog::AnyFile);
        browse.selectFile(QStringLiteral("app"));
        static_cast<QDialog&>(browse).accept();
        QCOMPARE(QFileDialog(nullptr).directory().absolutePath(), QString::fromStdString(other));

        QString opened;
        QVERIFY(WithDialog<CCustomSaveDialog>(
            fixture.Frame(), Cmd::Save,
            [&](CCustomSaveDialog& dialog) { opened = dialog.directory().absolutePath(); }));
        QCOMPARE(opened, QString::fromStdString(saved));
    }

    void cancellingKeepsTheSettings() {
        CAppFixture fixture;
        fixture.WriteProfile("[app]\nrelative=1\nrelative_root=/music\n");
        fixture.Start({fixture.Audio("a.mp3")});
        QVERIFY(WithDialog<CCustomSaveDialog>(fixture.Frame(), Cmd::Save,
                                              [](CCustomSaveDialog& dialog) {
                                                  dialog.RelativeBox()->click();
                                                  dialog.reject();
                                              }));
        QCOMPARE(fixture.Doc().Settings().relative, true);
        QCOMPARE(fixture.Doc().Settings().relative_root, std::string("/music"));
    }

    void untickedFoldersAreNotWritten() {
        CAppFixture fixture;
        const CTempDir& dir = fixture.Dir;
        fixture.Start(
            {fixture.Audio("Rock/y.mp3"), fixture.Audio("Pop/x.mp3"), fixture.Audio("Rock/z.mp3")});
        QVERIFY(WithDialog<CFolderSaveDialog>(
            fixture.Frame(), Cmd::SaveEachFolder, [&](CFolderSaveDialog& dialog) {
                QTreeWidget* list = dialog.List();
                QCOMPARE(list->headerItem()->text(0), QStringLiteral("FileName"));
                QCOMPARE(list->topLevelItem(0)->text(0),
                         QString::fromStdString(dir / "Pop/Pop.m3u"));
                QCOMPARE(list->topLevelItem(1)->text(0),
                         QString::fromStdString(dir / "Rock/Rock.m3u"));
                QCOMPARE(Ticks(list), (QList<Qt::CheckState>{Qt::Checked, Qt::Checked}));
                QVERIFY(!dialog.FullPathsBox()->isChecked());
                QVERIFY(!dialog.IndexField()->isEnabled());
                QVERIFY(!dialog.BrowseButton()->isEnabled());

                Tick(list, 0);
                dialog.FullPathsBox()->click();
                dialog.IndexBox()->click();
                QVERIFY(dialog.IndexField()->isEnabled());
                QTest::keyClicks(dialog.IndexField(), QString::fromStdString(dir / "index.txt"));
                QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
            }));
        QVERIFY(!fixture.Exists("Pop/Pop.m3u"));
        QCOMPARE(dir.Read("Rock/Rock.m3u"), dir / "Rock/y.mp3\r\n" + dir / "Rock/z.mp3\r\n");
        QCOMPARE(dir.Read("index.txt"), dir / "Rock/Rock.m3u\r\n");
        QCOMPARE(fixture.Host.Messages, std::vector<std::string>{"確認: 保存しました。"});
    }

    void tickButtonsBrowsingAndCancel() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("Rock/y.mp3"), fixture.Audio("Pop/x.mp3")});
        QVERIFY(WithDialog<CFolderSaveDialog>(
            fixture.Frame(), Cmd::SaveEachFolder, [&](CFolderSaveDialog& dialog) {
                QTest::mouseClick(dialog.DeselectButton(), Qt::LeftButton);
                QCOMPARE(Ticks(dialog.List()),
                         (QList<Qt::CheckState>{Qt::Unchecked, Qt::Unchecked}));
                QTest::mouseClick(dialog.SelectAllButton(), Qt::LeftButton);
                QCOMPARE(Ticks(dialog.List()), (QList<Qt::CheckState>{Qt::Checked, Qt::Checked}));

                dialog.ChooseIndexFile = [](QWidget*) { return QStringLiteral("/chosen.txt"); };
                dialog.IndexBox()->click();
                QTest::mouseClick(dialog.BrowseButton(), Qt::LeftButton);
                QCOMPARE(dialog.IndexField()->text(), QStringLiteral("/chosen.txt"));
                QCOMPARE(dialog.Options().IndexPath, std::string("/chosen.txt"));
                // unticked, the list of playlists is not asked for
                dialog.IndexBox()->click();
                QVERIFY(dialog.Options().IndexPath.empty());
                dialog.reject();
            }));
        QVERIFY(!fixture.Exists("Rock/Rock.m3u"));
        QVERIFY(!fixture.Exists("Pop/Pop.m3u"));
        QVERIFY(fixture.Host.Messages.empty());
    }
};

QTEST_MAIN(SaveDialogsTest)
#include "SaveDialogsTest.moc"
