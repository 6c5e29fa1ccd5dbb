#pragma once

#include "core/Fakes.h"
#include "core/doc/TorvaneDoc.h"
#include "gui/app/MainFrame.h"
#include "gui/app/TorvaneApp.h"
#include "gui/desktop/QtUiHost.h"
#include "gui/view/TorvaneView.h"
#include "texts/MessageTexts.h"

#include <QHeaderView>
#include <QMenu>
#include <QTest>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace torvane::test {

// The desktop host with scripted answers: message boxes are recorded and answered without a
// window, beeps are counted.
class CScriptedHost final : public CQtUiHost {
public:
    struct Script {
        std::vector<std::string> Messages; // "caption: text"
        MessageAnswer Answer = MessageAnswer::No;
        int Beeps = 0;
        // Called as the first record of an extension is being added, before it enters the list.
        std::function<void(const std::string& ext)> OnNewType;
    };

    explicit CScriptedHost(Script& script) : m_Script(script) {}

    MessageAnswer ShowMessage(MessageKind kind, const CMessage& message, MessageButtons) override {
        m_Script.Messages.push_back(std::string(CaptionSource(kind)) + ": " +
                                    JapaneseText(message));
        return m_Script.Answer;
    }
    void Beep() override { ++m_Script.Beeps; }
    bool LoadTypeIcon(const std::string& ext, int slot) override {
        if (m_Script.OnNewType)
            m_Script.OnNewType(ext);
        return CQtUiHost::LoadTypeIcon(ext, slot);
    }

private:
    Script& m_Script;
};

// A program started over a profile in a fresh folder, with audio files made on demand.
class CAppFixture {
public:
    CTempDir Dir;
    CScriptedHost::Script Host;
    std::unique_ptr<CTorvaneApp> App;

    std::string ProfilePath() const { return Dir / "torvane.ini"; }

    // Shuts a running program down first, so its settings do not overwrite these.
    void WriteProfile(const std::string& text) {
        App.reset();
        Dir.Write("torvane.ini", text);
    }

    // A file of size bytes; readers find no audio in it, which is all the window needs.
    std::string Audio(const std::string& name, size_t size = 1000) const {
        return Dir.Write(name, std::string(size, 'x'));
    }

    // Starts the program and returns with the window shown, before the lists are read.
    CTorvaneApp& Launch(const std::vector<std::string>& args = {}) {
        App.reset();
        App = std::make_unique<CTorvaneApp>(ProfilePath(), std::make_unique<CScriptedHost>(Host));
        if (!App->Start(args))
            QTest::qFail("the program did not start", __FILE__, __LINE__);
        return *App;
    }

    // Starts the program and returns once the command line and the kept list have been read.
    CTorvaneApp& Start(const std::vector<std::string>& args = {}) {
        Launch(args);
        if (!QTest::qWaitFor([this] { return App->ListsLoaded(); }, 30000))
            QTest::qFail("the lists of the start were not read", __FILE__, __LINE__);
        return *App;
    }

    CMainFrame& Frame() const { return *App->Frame(); }
    CTorvaneDoc& Doc() const { return *App->Doc(); }

    // Closes the window as the close box does and shuts down when it closed.
    bool Close() {
        const bool closed = Frame().close();
        if (closed)
            App->Shutdown();
        return closed;
    }

    bool Exists(const std::string& name) const { return std::filesystem::exists(Dir / name); }
};

// The captions of a menu's items, "-" for a separator.
inline QStringList MenuCaptions(const QMenu* menu) {
    QStringList captions;
    for (const QAction* action : menu->actions())
        captions << (action->isSeparator() ? QStringLiteral("-") : action->text());
    return captions;
}

// A left click on the header of the column with this key.
inline void ClickHeader(CTorvaneView& view, int key) {
    QHeaderView* header = view.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(key) + 5, 5));
}

} // namespace torvane::test
