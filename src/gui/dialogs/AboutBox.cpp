#include "gui/dialogs/AboutBox.h"

#include "gui/widgets/Icons.h"
#include "gui/widgets/LinkStatic.h"
#include "gui/widgets/VersionText.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace torvane {

CAboutBox::CAboutBox(QWidget* parent)
    : QDialog(parent), m_Contact(new CLinkStatic(QString::fromLatin1(ContactAddress))),
      m_Site(new CLinkStatic(QString::fromLatin1(SiteAddress))) {
    setWindowTitle(tr("バージョン情報"));
    auto* icon = new QLabel;
    icon->setPixmap(ProgramIcon().pixmap(32, 32));
    icon->setAccessibleName(QStringLiteral("Torvane"));
    auto* version = new QLabel(QString::fromStdString(GetVersionText()));
    version->setObjectName(QStringLiteral("version"));
    auto* ok = new QPushButton(QStringLiteral("OK"));
    ok->setDefault(true);

    auto* links = new QFrame;
    links->setFrameStyle(QFrame::Box | QFrame::Sunken);
    auto* linkRows = new QGridLayout(links);
    auto* contactLabel = new QLabel(tr("連絡先"));
    contactLabel->setBuddy(m_Contact);
    linkRows->addWidget(contactLabel, 0, 0);
    linkRows->addWidget(m_Contact, 0, 1);
    auto* siteLabel = new QLabel(tr("一次配布先"));
    siteLabel->setBuddy(m_Site);
    linkRows->addWidget(siteLabel, 1, 0);
    linkRows->addWidget(m_Site, 1, 1);
    linkRows->setColumnMinimumWidth(0, 80);
    linkRows->setColumnStretch(1, 1);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(new QLabel(QStringLiteral("Torvane")));
    nameRow->addSpacing(16);
    nameRow->addWidget(version);
    nameRow->addStretch();
    layout->addLayout(nameRow, 0, 1);
    layout->addWidget(new QLabel(tr("Copyright (C) 2026 Torvane developers")), 1, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->addWidget(links, 2, 0, 1, 3);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace torvane
