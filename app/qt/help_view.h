#pragma once

#include <QTextBrowser>

#include <functional>

// The help view: the built-in German help page "Angebotsbearbeitung Hilfe" (a resource with
// its pictures). Its link "Hilfe drucken" prints the page through the print dialog.
class CHtmHelpView : public QTextBrowser {
    Q_OBJECT
public:
    explicit CHtmHelpView(QWidget* parent = nullptr);

    // The address of the help page and of its print link.
    static QUrl PageUrl();
    static QUrl PrintUrl();

    // What the print link does; by default the print dialog, then the page is printed.
    std::function<void()> printHandler;
    void PrintPage();

private:
    void OnAnchor(const QUrl& url);
};
