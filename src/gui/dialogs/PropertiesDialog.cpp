#include "gui/dialogs/PropertiesDialog.h"

#include "gui/i18n/InterfaceLanguage.h"
#include "gui/i18n/Translate.h"

#include "core/record/ListData.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPushButton>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace torvane {
namespace {

QString SizeText(const struct stat& st) {
    return QLocale(QLocale::English).toString(static_cast<qlonglong>(st.st_size)) +
           QLatin1Char(' ') + Tr(QT_TRANSLATE_NOOP("Torvane", "バイト"));
}

QString ModifiedText(const struct stat& st) {
    const qint64 milliseconds =
        static_cast<qint64>(st.st_mtim.tv_sec) * 1000 + st.st_mtim.tv_nsec / 1'000'000;
    return QDateTime::fromMSecsSinceEpoch(milliseconds)
        .toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"));
}

// The file's first bytes, read through its own name, for the MIME type's content match.
QByteArray Head(const std::string& path) {
    QByteArray head(4096, Qt::Uninitialized);
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return {};
    const ssize_t got = ::read(fd, head.data(), static_cast<size_t>(head.size()));
    ::close(fd);
    head.resize(got > 0 ? static_cast<qsizetype>(got) : 0);
    return head;
}

QString MimeText(const std::string& path, const QString& shownName, bool regular) {
    const QMimeDatabase database;
    const QMimeType type = regular ? database.mimeTypeForFileNameAndData(shownName, Head(path))
                                   : database.mimeTypeForName(QStringLiteral("inode/directory"));
    if (type.comment().isEmpty())
        return type.name();
    return QStringLiteral("%1 (%2)").arg(type.name(), type.comment());
}

// "rw-r--r--" of the permission bits for owner, group and others.
QString PermissionText(const struct stat& st) {
    QString text;
    const char letters[] = "rwx";
    for (int bit = 8; bit >= 0; --bit)
        text += (st.st_mode & (1u << bit)) ? QChar(letters[(8 - bit) % 3]) : QChar('-');
    return text;
}

} // namespace

StreamFacts StreamFacts::Of(const CListData& record) {
    return {TypeText(record.Type()), QString::fromStdString(record.TimeTextClock()),
            QString::fromStdString(record.BitRateText()),
            QString::fromStdString(record.SamplingRateText())};
}

CPropertiesDialog::CPropertiesDialog(const std::string& path, const QString& shownPath,
                                     const StreamFacts& facts, QWidget* parent)
    : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    const qsizetype slash = shownPath.lastIndexOf(QLatin1Char('/'));
    const QString shownName = shownPath.mid(slash + 1);
    const QString shownFolder = slash > 0 ? shownPath.left(slash) : QStringLiteral("/");
    setWindowTitle(tr("%1 のプロパティ").arg(shownName));
    struct stat st {};
    const bool exists = ::stat(path.c_str(), &st) == 0;

    auto* form = new QFormLayout;
    const auto addRow = [form](const QString& label, const QString& value) {
        auto* field = new QLabel(value);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setObjectName(label);
        form->addRow(label, field);
    };
    addRow(tr("パス"), shownPath);
    addRow(tr("フォルダ"), shownFolder);
    addRow(tr("サイズ"), exists ? SizeText(st) : QString());
    addRow(tr("更新日時"), exists ? ModifiedText(st) : QString());
    addRow(tr("アクセス権"), exists ? PermissionText(st) : QString());
    addRow(tr("MIME タイプ"), exists ? MimeText(path, shownName, !S_ISDIR(st.st_mode)) : QString());
    addRow(tr("ファイルタイプ"), facts.Type);
    addRow(tr("時間"), facts.Time);
    addRow(tr("ビットレート"), facts.BitRate);
    addRow(tr("サンプリングレート"), facts.SamplingRate);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    buttons->button(QDialogButtonBox::Close)->setText(tr("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
}

QString CPropertiesDialog::Value(const QString& label) const {
    const auto* field = findChild<QLabel*>(label);
    return field ? field->text() : QString();
}

} // namespace torvane
