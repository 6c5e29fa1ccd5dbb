// Qt's own texts in Japanese, message boxes whose icon follows the kind of message, and one
// spelling of the cancel caption.

#include "gui/desktop/QtUiHost.h"
#include "gui/i18n/QtTranslations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace torvane;

namespace {

struct SeenBox {
    QMessageBox::Icon Icon = QMessageBox::NoIcon;
    QStringList Buttons;
};

// Shows a message through the desktop host and answers it with the button of the given role,
// noting what the box showed.
SeenBox ShowAndAnswer(MessageKind kind, MessageId id, MessageButtons buttons,
                      QMessageBox::ButtonRole answer, MessageAnswer* given = nullptr) {
    SeenBox seen;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        seen.Icon = box->icon();
        for (QAbstractButton* button : box->buttons()) {
            seen.Buttons << button->text();
            if (box->buttonRole(button) == answer)
                button->click();
        }
    });
    CQtUiHost host;
    const MessageAnswer reply = host.ShowMessage(kind, id, buttons);
    if (given)
        *given = reply;
    return seen;
}

} // namespace

class JapaneseTextsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(InstallQtTranslations()); }

    void fileDialogSpeaksJapanese() {
        QFileDialog dialog(nullptr, QString(), QDir::tempPath());
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setFileMode(QFileDialog::ExistingFiles);
        dialog.show();
        auto* buttons = dialog.findChild<QDialogButtonBox*>();
        QVERIFY(buttons);
        QStringList texts;
        for (QAbstractButton* button : buttons->buttons())
            texts << button->text();
        QVERIFY2(texts.contains(QStringLiteral("開く(&O)")), qPrintable(texts.join('|')));
        QVERIFY2(texts.contains(QStringLiteral("キャンセル")), qPrintable(texts.join('|')));
    }

    void messageIconsFollowTheKind() {
        QCOMPARE(ShowAndAnswer(MessageKind::Confirmation, MessageId::Saved, MessageButtons::Ok,
                               QMessageBox::AcceptRole)
                     .Icon,
                 QMessageBox::Information);
        QCOMPARE(ShowAndAnswer(MessageKind::Error, MessageId::OpenFailed, MessageButtons::Ok,
                               QMessageBox::AcceptRole)
                     .Icon,
                 QMessageBox::Critical);
        QCOMPARE(ShowAndAnswer(MessageKind::Refusal, MessageId::StartFailed, MessageButtons::Ok,
                               QMessageBox::AcceptRole)
                     .Icon,
                 QMessageBox::Warning);

        MessageAnswer answer{};
        const SeenBox question = ShowAndAnswer(MessageKind::Confirmation, MessageId::ExitQuestion,
                                               MessageButtons::YesNo, QMessageBox::NoRole, &answer);
        QCOMPARE(question.Icon, QMessageBox::Question);
        QCOMPARE(answer, MessageAnswer::No);
        QVERIFY(question.Buttons.contains(QStringLiteral("はい(&Y)")));
    }

    // The failed folder lookup is an error even though it offers two buttons.
    void cancelHasTheProgramsSpelling() {
        MessageAnswer answer{};
        const SeenBox box =
            ShowAndAnswer(MessageKind::Error, MessageId::FolderNotFound, MessageButtons::OkCancel,
                          QMessageBox::RejectRole, &answer);
        QCOMPARE(box.Icon, QMessageBox::Critical);
        QCOMPARE(answer, MessageAnswer::Cancel);
        QVERIFY2(box.Buttons.contains(QStringLiteral("ｷｬﾝｾﾙ")), qPrintable(box.Buttons.join('|')));
    }
};

QTEST_MAIN(JapaneseTextsTest)
#include "JapaneseTextsTest.moc"
