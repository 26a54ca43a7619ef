#include "app/qt/about_dlg.h"

#include "app/messages.h"
#include "app/qt/qt_text.h"
#include "ui/qt/qt_resources.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#ifndef ORVAK_VERSION
#define ORVAK_VERSION "0"
#endif

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    EnsureOrvakResources();
    setWindowTitle(QStringLiteral("Info"));
    auto* icon = new QLabel(this);
    icon->setPixmap(QIcon(QStringLiteral(":/icons/orvak.png")).pixmap(48, 48));
    icon->setAccessibleName(QStringLiteral("Programmsymbol"));
    auto* title = new QLabel(ToQt(ApplicationTitle()), this);
    auto* release = new QLabel(ReleaseText(), this);
    auto* link = new QLabel(
        QStringLiteral("<a href=\"orvak:hilfe\">Hilfe zur Angebotsbearbeitung anzeigen</a>"), this);
    link->setTextFormat(Qt::RichText);
    link->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    link->setAccessibleName(QStringLiteral("Hilfe anzeigen"));
    connect(link, &QLabel::linkActivated, this, [this] {
        accept();
        Q_EMIT helpRequested();
    });
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
    layout->addWidget(title, 0, 1);
    layout->addWidget(release, 1, 1);
    layout->addWidget(link, 2, 1);
    layout->addWidget(buttons, 3, 0, 1, 2);
    layout->setHorizontalSpacing(16);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::ReleaseText() {
    return QStringLiteral("Release ") + QStringLiteral(ORVAK_VERSION);
}
