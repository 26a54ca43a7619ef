#include "app/qt/help_view.h"

#include "ui/qt/qt_resources.h"

#include <QDesktopServices>
#include <QPrintDialog>
#include <QPrinter>

CHtmHelpView::CHtmHelpView(QWidget* parent) : QTextBrowser(parent) {
    EnsureOrvakResources();
    setAccessibleName(QStringLiteral("Hilfe"));
    setAcceptDrops(false);
    setOpenLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &CHtmHelpView::OnAnchor);
    setSource(PageUrl());
}

QUrl CHtmHelpView::PageUrl() {
    return QUrl(QStringLiteral("qrc:/help/hilfe.html"));
}

QUrl CHtmHelpView::PrintUrl() {
    return QUrl(QStringLiteral("orvak:hilfe-drucken"));
}

void CHtmHelpView::OnAnchor(const QUrl& url) {
    if (url == PrintUrl()) {
        if (printHandler)
            printHandler();
        else
            PrintPage();
    } else if (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")) {
        QDesktopServices::openUrl(url);
    } else if (!url.fragment().isEmpty() && (url.path().isEmpty() || url.path() == source().path())) {
        scrollToAnchor(url.fragment());
    } else {
        setSource(url);
    }
}

void CHtmHelpView::PrintPage() {
    QPrinter printer(QPrinter::HighResolution);
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("Hilfe drucken"));
    if (dialog.exec() == QDialog::Accepted) document()->print(&printer);
}
