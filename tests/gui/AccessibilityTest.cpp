// What screen readers, keyboard users and other programs get from the window: rows dragged out
// as files, a name for every control, row states in words and readable colours, Tab, F10,
// Shift+F10, links opened from the keyboard, and the focus given back after a long operation.

#include "GuiTestSupport.h"

#include "core/base/FileUri.h"
#include "core/save/FolderSaver.h"
#include "gui/app/Menus.h"
#include "gui/bars/Bars.h"
#include "gui/bars/DataBar.h"
#include "gui/bars/PlayBar.h"
#include "gui/dialogs/AboutBox.h"
#include "gui/dialogs/AddItemDialog.h"
#include "gui/dialogs/CustomSaveDialog.h"
#include "gui/dialogs/ExtSearchDialog.h"
#include "gui/dialogs/ExtensionDialog.h"
#include "gui/dialogs/FolderSaveDialog.h"
#include "gui/dialogs/FolderSearchDialog.h"
#include "gui/dialogs/PropertiesDialog.h"
#include "gui/view/ColumnDialog.h"
#include "gui/view/ListModel.h"
#include "gui/widgets/LinkStatic.h"
#include "gui/widgets/ProgressWindow.h"

#include <QAccessible>
#include <QComboBox>
#include <QDesktopServices>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QTimer>
#include <QVBoxLayout>

#include <cmath>

using namespace torvane;
using namespace torvane::test;

namespace {

// ---- names ----

// Roles of containers that only group, frame or space other controls: without a focus of their
// own a screen reader passes through them to the controls inside, so they need no name. Scroll
// bars are moved by the keys of the view they belong to, and grips (splitter handles, the size
// grip) by the mouse only: neither ever takes the focus.
bool IsPlainContainer(QAccessible::Role role) {
    switch (role) {
    case QAccessible::Client:
    case QAccessible::Pane:
    case QAccessible::Grouping:
    case QAccessible::Whitespace:
    case QAccessible::Separator:
    case QAccessible::Splitter:
    case QAccessible::ScrollBar:
    case QAccessible::LayeredPane:
    case QAccessible::Border:
    case QAccessible::Grip:
        return true;
    default:
        return false;
    }
}

// Fields whose name would otherwise be their value: they need a label of their own.
bool IsField(QAccessible::Role role) {
    return role == QAccessible::EditableText || role == QAccessible::ComboBox ||
           role == QAccessible::SpinBox || role == QAccessible::Slider;
}

QString Describe(QAccessibleInterface* item) {
    QString text = QString::number(item->role(), 16);
    if (const QObject* object = item->object())
        text += QStringLiteral(" ") + QString::fromLatin1(object->metaObject()->className()) +
                QStringLiteral(" '") + object->objectName() + QStringLiteral("'");
    if (const QAccessibleInterface* parent = item->parent())
        text += QStringLiteral(" in '") + parent->text(QAccessible::Name) + QStringLiteral("'");
    return text;
}

// Walks the visible controls below item; lists those a screen reader would announce without a
// name, and fields that have no label. Cells of tables and lists are named by their texts,
// items of menus by their captions: the walk stops at them.
void CollectUnnamed(QAccessibleInterface* item, QStringList& unnamed) {
    for (int i = 0; i < item->childCount(); ++i) {
        QAccessibleInterface* child = item->child(i);
        if (!child || child->state().invisible)
            continue;
        const auto* widget = qobject_cast<const QWidget*>(child->object());
        if (widget && !widget->isVisible())
            continue;
        const QAccessible::Role role = child->role();
        const bool focusable = widget && widget->focusPolicy() != Qt::NoFocus;
        if (!(IsPlainContainer(role) && !focusable)) {
            if (child->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << Describe(child);
            else if (IsField(role) && widget && widget->accessibleName().isEmpty() &&
                     child->relations(QAccessible::Label).isEmpty())
                unnamed << QStringLiteral("no label: ") + Describe(child);
        }
        if (role == QAccessible::Table || role == QAccessible::List || role == QAccessible::Tree ||
            role == QAccessible::MenuBar || role == QAccessible::PopupMenu)
            continue;
        CollectUnnamed(child, unnamed);
    }
}

QStringList UnnamedControls(QWidget& window) {
    QStringList unnamed;
    QAccessibleInterface* top = QAccessible::queryAccessibleInterface(&window);
    if (!top)
        return {QStringLiteral("no accessible interface")};
    if (top->text(QAccessible::Name).trimmed().isEmpty())
        unnamed << QStringLiteral("the window itself");
    CollectUnnamed(top, unnamed);
    return unnamed;
}

// ---- colours ----

// Contrast as the accessibility guidelines define it, from the sRGB channels.
double Luminance(const QColor& colour) {
    const auto linear = [](double c) {
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette LightPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(255, 255, 255));
    palette.setColor(QPalette::Text, QColor(0, 0, 0));
    palette.setColor(QPalette::Window, QColor(239, 239, 239));
    palette.setColor(QPalette::WindowText, QColor(0, 0, 0));
    return palette;
}

QPalette DarkPalette() {
    QPalette palette;
    palette.setColor(QPalette::Base, QColor(30, 30, 30));
    palette.setColor(QPalette::Text, QColor(230, 230, 230));
    palette.setColor(QPalette::Window, QColor(49, 54, 59));
    palette.setColor(QPalette::WindowText, QColor(239, 240, 241));
    return palette;
}

class CUrlRecorder final : public QObject {
    Q_OBJECT
public:
    QList<QUrl> Opened;
public slots:
    void Open(const QUrl& url) { Opened << url; }
};

// Runs check once a pop-up menu is up, then closes it; answers which menu came up.
QWidget* PopupDuring(const std::function<void()>& act) {
    QPointer<QWidget> popup;
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        if (QWidget* shown = QApplication::activePopupWidget()) {
            popup = shown;
            shown->close();
            timer.stop();
        }
    });
    timer.start();
    act();
    if (!QTest::qWaitFor([&] { return !popup.isNull(); }, 2000))
        qWarning("no pop-up menu came up");
    timer.stop();
    return popup;
}

void ShowActive(QWidget& window) {
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    // ---- rows dragged out ----

    void rowsDraggedOutAreFileUrisOfTheExactBytes() {
        CAppFixture fixture;
        const std::string plain = fixture.Audio("plain name.mp3");
        const std::string latin = fixture.Audio("caf\xe9 #1.mp3"); // not UTF-8
        fixture.Start({plain, latin});
        CTorvaneView& view = fixture.Frame().View();
        QCOMPARE(view.ItemCount(), 2);
        QVERIFY(view.dragEnabled());
        QCOMPARE(view.dragDropMode(), QAbstractItemView::DragOnly);
        view.selectAll();

        CListModel& model = view.Model();
        QVERIFY(model.flags(model.index(1, 0)) & Qt::ItemIsDragEnabled);
        const std::unique_ptr<QMimeData> data(
            model.mimeData(view.selectionModel()->selectedIndexes()));
        QVERIFY(data);
        QVERIFY(data->hasFormat("text/uri-list"));
        const QList<QByteArray> lines = data->data("text/uri-list").split('\n');
        std::vector<std::string> paths;
        for (QByteArray line : lines) {
            line = line.trimmed();
            if (line.isEmpty())
                continue;
            QVERIFY(line.startsWith("file:///"));
            QVERIFY2(!line.contains(' ') && !line.contains('#'), line.constData());
            paths.push_back(PathOfLocation(line.toStdString(), {}).value_or(""));
        }
        QCOMPARE(paths, (std::vector<std::string>{plain, latin}));
        // what a Qt program, this one included, reads from the drop
        std::vector<std::string> fromUrls;
        for (const QUrl& url : data->urls())
            fromUrls.push_back(PathOfLocation(url.toEncoded().toStdString(), {}).value_or(""));
        QCOMPARE(fromUrls, (std::vector<std::string>{plain, latin}));
        QCOMPARE(data->data("text/plain").toStdString(), plain + "\n" + latin);
    }

    void ownRowsDroppedBackAreNotAddedAgain() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.View().selectAll();
        const std::unique_ptr<QMimeData> own(
            frame.View().Model().mimeData(frame.View().selectionModel()->selectedIndexes()));
        frame.DropFiles(*own);
        QCOMPARE(frame.View().ItemCount(), 2);

        // the same files from a file manager, or from the list of another running copy
        QMimeData outside;
        outside.setData("text/uri-list", own->data("text/uri-list"));
        frame.DropFiles(outside);
        QCOMPARE(frame.View().ItemCount(), 4);
        QMimeData otherCopy;
        otherCopy.setData("text/uri-list", own->data("text/uri-list"));
        otherCopy.setData(CListModel::RowsMarkType,
                          QByteArray::number(QCoreApplication::applicationPid() + 1));
        frame.DropFiles(otherCopy);
        QCOMPARE(frame.View().ItemCount(), 6);
    }

    // ---- names ----

    void everyControlOfTheMainWindowHasAName() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        CMainFrame& frame = fixture.Frame();
        frame.PlayBar().show();
        frame.DataBar().show();
        frame.SizeBar().show();
        ShowActive(frame);
        frame.View().SelectRows({0});
        const QStringList unnamed = UnnamedControls(frame);
        for (const QString& control : unnamed)
            qWarning("unnamed: %s", qPrintable(control));
        QVERIFY(unnamed.isEmpty());
        QCOMPARE(QAccessible::queryAccessibleInterface(&frame.View())->text(QAccessible::Name),
                 QStringLiteral("全リスト"));
    }

    void everyControlOfEveryDialogHasAName() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        CQtUiHost& host = fixture.App->Host();
        const std::map<std::string, int> icons{{"mp3", 1}, {"ogg", 2}};
        std::vector<std::unique_ptr<QWidget>> dialogs;
        dialogs.push_back(std::make_unique<CAboutBox>());
        dialogs.push_back(std::make_unique<CAddItemDialog>());
        dialogs.push_back(std::make_unique<CExtSearchDialog>(host, icons));
        dialogs.push_back(std::make_unique<CFolderSearchDialog>(host, icons));
        dialogs.push_back(std::make_unique<CExtensionDialog>(fixture.Doc().Extensions(), host));
        dialogs.push_back(
            std::make_unique<CFolderSaveDialog>(GroupByFolder(fixture.Doc().AllList())));
        dialogs.push_back(std::make_unique<CColumnDialog>(std::vector<int>{0, 1}, host));
        dialogs.push_back(std::make_unique<CPropertiesDialog>(
            fixture.Doc().AllList()[0]->FilePath(), QStringLiteral("a.mp3"),
            StreamFacts::Of(*fixture.Doc().AllList()[0])));
        SaveDialogStart save;
        save.Templates = {"list.html"};
        dialogs.push_back(std::make_unique<CCustomSaveDialog>(save));
        auto progress = std::make_unique<CProgressWindow>(nullptr);
        progress->Open();
        dialogs.push_back(std::move(progress));
        QStringList unnamed;
        for (const std::unique_ptr<QWidget>& dialog : dialogs) {
            dialog->show();
            QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
            for (const QString& control : UnnamedControls(*dialog))
                unnamed << dialog->windowTitle() + QStringLiteral(": ") + control;
            dialog->hide();
        }
        for (const QString& control : unnamed)
            qWarning("unnamed: %s", qPrintable(control));
        QVERIFY(unnamed.isEmpty());
    }

    // ---- row states ----

    void rowStatesAreSaidInWords() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3")});
        fixture.Doc().AddFile(fixture.Dir / "gone.mp3", true);
        fixture.Doc().AddFile(fixture.Audio("c.mp3"), true);
        fixture.Doc().UpdateItemCount();
        CTorvaneView& view = fixture.Frame().View();
        QCOMPARE(view.ItemCount(), 3);
        fixture.Doc().AllList()[2]->SetState(CListData::Playing, true);
        QAccessibleTableInterface* table =
            QAccessible::queryAccessibleInterface(&view)->tableInterface();
        QVERIFY(table);
        const auto cell = [&](int row, QAccessible::Text kind) {
            QAccessibleInterface* item = table->cellAt(row, view.Model().IconColumn());
            return item ? item->text(kind) : QStringLiteral("no cell");
        };
        QCOMPARE(cell(0, QAccessible::Description), QString());
        QCOMPARE(cell(1, QAccessible::Description), QStringLiteral("ファイルがありません"));
        QCOMPARE(cell(2, QAccessible::Description), QStringLiteral("再生中"));
        QVERIFY(cell(2, QAccessible::Name).startsWith(fixture.Dir.Path().c_str()));
        QVERIFY(cell(2, QAccessible::Name).contains(QStringLiteral("再生中")));
        QCOMPARE(cell(0, QAccessible::Name),
                 QString::fromStdString(fixture.Doc().AllList()[0]->FilePath()));
    }

    void stateColoursReadOnLightAndDarkLists() {
        CAppFixture fixture;
        fixture.Start();
        fixture.Doc().AddFile(fixture.Dir / "gone.mp3", true);
        fixture.Doc().AddFile(fixture.Audio("b.mp3"), true);
        fixture.Doc().UpdateItemCount();
        CTorvaneView& view = fixture.Frame().View();
        fixture.Doc().AllList()[1]->SetState(CListData::Playing, true);
        const CListModel& model = view.Model();
        const auto colour = [&](int row) {
            return model.data(model.index(row, 0), Qt::ForegroundRole).value<QBrush>().color();
        };
        for (const QPalette& palette : {LightPalette(), DarkPalette()}) {
            view.setPalette(palette);
            const QColor background = view.palette().color(QPalette::Base);
            const QColor missing = colour(0);
            const QColor playing = colour(1);
            QVERIFY2(Contrast(missing, background) >= 4.5,
                     qPrintable(missing.name() + " on " + background.name()));
            QVERIFY2(Contrast(playing, background) >= 4.5,
                     qPrintable(playing.name() + " on " + background.name()));
            // still grey and blue, and told apart from the normal text
            QVERIFY(missing.red() == missing.green() && missing.green() == missing.blue());
            QVERIFY(playing.blue() > playing.red() && playing.blue() > playing.green());
            QVERIFY(missing != palette.color(QPalette::Text));
        }
        view.setPalette(LightPalette());
        QCOMPARE(colour(1), QColor(0, 0, 255)); // the blue reads on white as it is

        CAboutBox box;
        for (const QPalette& palette : {LightPalette(), DarkPalette()}) {
            box.setPalette(palette);
            const QPalette& link = box.ContactLink()->palette();
            QVERIFY(Contrast(link.color(QPalette::WindowText), link.color(QPalette::Window)) >=
                    4.5);
        }
    }

    // ---- keys ----

    void tabLeavesTheListForTheSearchBar() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        ShowActive(frame);
        CTorvaneView& view = frame.View();
        view.setFocus();
        view.SelectRows({0});
        view.SetFocusRow(0);
        const QModelIndex before = view.currentIndex();
        QTest::keyClick(&view, Qt::Key_Tab);
        QCOMPARE(view.currentIndex(), before); // no walk through the cells
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus && focus != &view && frame.SearchBar().isAncestorOf(focus));
        for (int i = 0; i < 3 && focus != frame.SearchBar().TextField(); ++i) {
            QTest::keyClick(focus, Qt::Key_Tab);
            focus = QApplication::focusWidget();
        }
        QCOMPARE(focus, frame.SearchBar().TextField());
        QTest::keyClick(focus, Qt::Key_Backtab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
        QCOMPARE(QApplication::focusWidget(), &view);
    }

    void arrowsWorkAgainAfterASortByHeader() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("c.mp3"), fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        ShowActive(frame);
        CTorvaneView& view = frame.View();
        view.setFocus();
        view.SelectRows({0});
        view.SetFocusRow(0);
        ClickHeader(view, ColFileName);
        QCOMPARE(fixture.Doc().AllList()[0]->FilePath(), fixture.Dir / "a.mp3");
        QCOMPARE(QApplication::focusWidget(), &view);
        QWidget* focus = QApplication::focusWidget();
        QVERIFY(focus);
        const int row = view.currentIndex().row();
        QTest::keyClick(focus, row == 0 ? Qt::Key_Down : Qt::Key_Up);
        QVERIFY(view.currentIndex().row() != row);
        QCOMPARE(view.SelectedRows(), std::vector<int>{view.currentIndex().row()});
    }

    void progressWindowGivesTheFocusBack() {
        QWidget owner;
        auto* layout = new QVBoxLayout(&owner);
        auto* first = new QLineEdit;
        auto* second = new QLineEdit;
        layout->addWidget(first);
        layout->addWidget(second);
        ShowActive(owner);
        second->setFocus();
        {
            CProgressWindow progress(&owner);
            progress.Open();
            QVERIFY(!owner.isEnabled());
            QVERIFY(QApplication::focusWidget() != second);
            progress.Close();
        }
        QVERIFY(owner.isEnabled());
        QCOMPARE(QApplication::focusWidget(), second);

        // the control that had the focus goes away during the operation
        auto* gone = new QLineEdit;
        layout->addWidget(gone);
        gone->setFocus();
        CProgressWindow progress(&owner);
        progress.Open();
        delete gone;
        progress.Close();
        QVERIFY(owner.isEnabled());
    }

    void shiftF10AndTheMenuKeyOpenTheListMenu() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        ShowActive(frame);
        CTorvaneView& view = frame.View();
        view.SelectRows({1});
        view.SetFocusRow(1);
        for (const auto& [key, modifiers] :
             {std::pair{Qt::Key_Menu, Qt::NoModifier}, std::pair{Qt::Key_F10, Qt::ShiftModifier}}) {
            // the test platform leaves the closed menu the active window
            frame.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &frame);
            view.setFocus();
            QPoint shownAt;
            QWidget* popup = PopupDuring([&, key = key, modifiers = modifiers] {
                QTimer::singleShot(0, [&] {
                    if (QWidget* menu = QApplication::activePopupWidget())
                        shownAt = menu->pos();
                });
                QTest::keyClick(&view, key, modifiers);
            });
            QCOMPARE(popup, frame.Menus().ListContext());
            // below the current row, not wherever the pointer happens to be
            const QRect row = view.visualRect(view.currentIndex());
            QCOMPARE(shownAt.y(), view.viewport()->mapToGlobal(row.bottomLeft()).y());
        }
    }

    void f10OpensTheMenuBar() {
        CAppFixture fixture;
        fixture.Start();
        CMainFrame& frame = fixture.Frame();
        ShowActive(frame);
        frame.View().setFocus();
        QTest::keyClick(&frame.View(), Qt::Key_F10);
        QWidget* popup = QApplication::activePopupWidget();
        QCOMPARE(popup, frame.menuBar()->actions().front()->menu());
        popup->close();
    }

    void currentRowShowsAFocusFrame() {
        CAppFixture fixture;
        fixture.Start({fixture.Audio("a.mp3"), fixture.Audio("b.mp3")});
        CMainFrame& frame = fixture.Frame();
        ShowActive(frame);
        CTorvaneView& view = frame.View();
        view.setFocus(Qt::TabFocusReason);
        view.SetFocusRow(1);
        view.selectionModel()->clearSelection();
        const QRect row = view.visualRect(view.currentIndex()).adjusted(0, -1, 0, 1);
        const QImage focused = view.viewport()->grab(row).toImage();
        frame.SearchBar().TextField()->setFocus();
        const QImage unfocused = view.viewport()->grab(row).toImage();
        QVERIFY(focused != unfocused);
    }

    void aboutLinksOpenFromTheKeyboard() {
        CUrlRecorder recorder;
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &recorder, "Open");
        CAboutBox box;
        ShowActive(box);
        CLinkStatic* contact = box.ContactLink();
        QVERIFY(contact->focusPolicy() & Qt::TabFocus);
        contact->setFocus(Qt::TabFocusReason);
        QTest::keyClick(contact, Qt::Key_Return);
        QTest::keyClick(box.SiteLink(), Qt::Key_Space);
        QCOMPARE(recorder.Opened, (QList<QUrl>{QUrl("mailto:torvane@example.org"),
                                               QUrl("https://torvane.example.org/")}));
        QVERIFY(box.isVisible()); // Enter on a link is not the dialog's OK
        // a screen reader sees a link it can press
        QAccessibleInterface* link = QAccessible::queryAccessibleInterface(contact);
        QCOMPARE(link->role(), QAccessible::Link);
        QCOMPARE(link->text(QAccessible::Name), contact->text());
        link->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(recorder.Opened.size(), 3);
        for (const char* scheme : {"mailto", "https"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "AccessibilityTest.moc"
