#include "PropertiesDialog.h"

#include "app/InterfaceLanguage.h"
#include "app/Translate.h"

#include "core/media/ListData.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLocale>
#include <QMimeDatabase>
#include <QPushButton>

#include <sys/stat.h>

namespace torvane {
namespace {

QString SizeText(const QFileInfo& info) {
    if (!info.exists())
        return {};
    return QLocale(QLocale::English).toString(info.size()) + QLatin1Char(' ') +
           Tr(QT_TRANSLATE_NOOP("Torvane", "バイト"));
}

QString MimeText(const QString& path) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(path);
    if (type.comment().isEmpty())
        return type.name();
    return QStringLiteral("%1 (%2)").arg(type.name(), type.comment());
}

// "rw-r--r--" of the permission bits for owner, group and others.
QString PermissionText(const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
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

CPropertiesDialog::CPropertiesDialog(const QString& path, const StreamFacts& facts, QWidget* parent)
    : QDialog(parent) {
    setAttribute(Qt::WA_DeleteOnClose);
    const QFileInfo info(path);
    setWindowTitle(tr("%1 のプロパティ").arg(info.fileName()));

    auto* form = new QFormLayout;
    const auto addRow = [form](const QString& label, const QString& value) {
        auto* field = new QLabel(value);
        field->setTextInteractionFlags(Qt::TextSelectableByMouse);
        field->setObjectName(label);
        form->addRow(label, field);
    };
    addRow(tr("パス"), info.absoluteFilePath());
    addRow(tr("フォルダ"), info.absolutePath());
    addRow(tr("サイズ"), SizeText(info));
    addRow(tr("更新日時"), info.exists()
                               ? info.lastModified().toString(QStringLiteral("yyyy/MM/dd HH:mm:ss"))
                               : QString());
    addRow(tr("アクセス権"), PermissionText(path));
    addRow(tr("MIME タイプ"), MimeText(path));
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
