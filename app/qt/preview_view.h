#pragma once

#include <QWidget>

#include <functional>

class QAction;
class QLabel;
class QPrinter;
class QPrintPreviewWidget;
class QToolBar;

// The print preview in place of the panes: a toolbar (page back and forth, the page number,
// zoom, a two-page view, print, close) over the pages of the bid, one page at a time. The
// pages are painted by `paint` onto the preview's printer, so they are those the printer
// would print; each page is kept as painted, so paging back shows the same page again.
class CPreviewView : public QWidget {
    Q_OBJECT
public:
    CPreviewView(QPrinter& printer, std::function<void(QPrinter*)> paint, QWidget* parent = nullptr);

    QPrintPreviewWidget* Preview() const { return m_preview; }
    QToolBar* ToolBar() const { return m_bar; }
    int PageCount() const;
    int CurrentPage() const;
    void ShowPage(int page);
    void NextPage();
    void PreviousPage();
    void ZoomIn();
    void ZoomOut();
    // One page or two side by side.
    void SetTwoPages(bool on);

    QAction* PreviousAction() const { return m_previous; }
    QAction* NextAction() const { return m_next; }
    QAction* PrintAction() const { return m_print; }
    QAction* CloseAction() const { return m_close; }
    QAction* TwoPagesAction() const { return m_twoPages; }
    QLabel* PageLabel() const { return m_pageLabel; }

Q_SIGNALS:
    // "Drucken...": the frame closes the preview and prints.
    void printRequested();
    // "Schließen": the frame brings the panes back.
    void closeRequested();

private:
    void UpdatePageState();

    std::function<void(QPrinter*)> m_paint;
    QToolBar* m_bar;
    QPrintPreviewWidget* m_preview;
    QLabel* m_pageLabel;
    QAction* m_previous;
    QAction* m_next;
    QAction* m_zoomIn;
    QAction* m_zoomOut;
    QAction* m_twoPages;
    QAction* m_print;
    QAction* m_close;
};
