#pragma once

#include <QWidget>

#include <string>

class QLabel;
class QPlainTextEdit;
class QTreeWidget;

// The lower pane of the main window: on the left the long text of the selected record,
// read-only on a white background; on the right, at a fixed width, the caption
// "Textergänzungen" above the list of the bidder's text supplements ("Nummer", "Text").
class CMemoView : public QWidget {
    Q_OBJECT
public:
    explicit CMemoView(QWidget* parent = nullptr);

    // Shows a long text (Windows-1252, CR LF line breaks).
    void SetLongText(const std::string& text);
    QString LongText() const;

    QPlainTextEdit* LongTextField() const { return m_text; }
    QTreeWidget* SupplementList() const { return m_supplements; }

    // Width of the caption and the supplement list at the right edge.
    static constexpr int kListWidth = 280;

    // Selects row k of the supplement list (the k-th supplement of the bidder) when it is
    // there, and gives the list the keyboard focus.
    void FocusSupplement(int k);

private:
    QPlainTextEdit* m_text;
    QLabel* m_caption;
    QTreeWidget* m_supplements;
};
