#pragma once

#include "app/supplement_list.h"

#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QTreeWidget;

// The lower pane of the main window: on the left the long text of the selected record,
// read-only on a white background, with the bidder's supplements shown in their places and
// highlighted (a placeholder "[02: ...]" where a text is still missing; the stored long text
// stays as it is); on the right, at a fixed width, the caption "Textergänzungen" above the
// list of the bidder's supplements ("Nummer", "Text"), edited in place. What the list and its
// editor do is CSupplementList's; the view translates the events.
class CMemoView : public QWidget, private ISupplementListHost {
    Q_OBJECT
public:
    explicit CMemoView(QWidget* parent = nullptr);
    ~CMemoView() override;

    // Shows a long text as it is (Windows-1252, CR LF line breaks), without a record.
    void SetLongText(const std::string& text);
    QString LongText() const;

    // Supplements are typed into the list: texts are stored into records of `list`, each
    // through `record` (one step of the undo history).
    void EnableEditing(CAngebotList& list, CSupplementList::StepRecorder record);
    // The long text and the supplements of a record (-1: none); a pending entry goes to the
    // record shown so far first.
    void ShowRecord(int record);
    // The records are about to be replaced (another file): a pending entry goes unstored.
    void Reset();
    // Stores a changed text of the open editor and closes it (before every command).
    void CommitPendingEntry();
    // Selects supplement row k and gives the list the keyboard focus.
    void FocusSupplement(int k);

    QPlainTextEdit* LongTextField() const { return m_text; }
    QTreeWidget* SupplementList() const { return m_supplements; }
    // The in-place editor of the list (made on first use; nullptr before).
    QLineEdit* SupplementEditor() const { return m_editor; }
    CSupplementList* Supplements() const { return m_logic.get(); }

    // Width of the caption and the supplement list at the right edge.
    static constexpr int kListWidth = 280;

Q_SIGNALS:
    // A supplement text was stored into its record.
    void supplementStored();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // ISupplementListHost
    void RowsChanged() override;
    void SelectRow(int row) override;
    void ShowEditor(int row, int column, const std::string& text, bool editable) override;
    void HideEditor() override;
    bool TakeEditorText(std::string& text) override;

    // The long text of the record with the bidder's texts in their places, highlighted.
    void ShowMergedLongText();
    void EnsureEditor();
    void FitColumns();

    QPlainTextEdit* m_text;
    QLabel* m_caption;
    QTreeWidget* m_supplements;
    QLineEdit* m_editor = nullptr;
    CAngebotList* m_list = nullptr;
    std::unique_ptr<CSupplementList> m_logic;
    bool m_placingEditor = false; // the list scrolls to show the cell for its editor
    bool m_syncingSelection = false;
};
