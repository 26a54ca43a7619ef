#pragma once

#include "app/bid_progress.h"
#include "app/hand_in_check.h"

#include <QObject>
#include <QString>

#include <functional>

class CBidDocument;
class CMemoView;
class CTreeListView;
class QLabel;
class QMainWindow;

// The completeness check in the main window: "Angebot prüfen" with the list of findings, F3
// "Nächste offene Eingabe", the questions before a bid is saved as D84, P84 or X84, printed or
// exported, and the status bar's "N von M Positionen bepreist" with the net total.
class CCheckCommands : public QObject {
    Q_OBJECT
public:
    CCheckCommands(CBidDocument& document, CTreeListView& listView, CMemoView& memo, QMainWindow& window);

    // "Angebot prüfen": runs the check and shows its findings; a finding chosen there is shown.
    void ShowCheck();
    // F3: the next row after the selected one (wrapping at the end) with a gap, its first gap shown.
    void NextOpenEntry();
    // Before printing and the PDF export: false when the user chose not to go on.
    bool ConfirmPrint();
    // Shows where a finding is: selects its row and opens the editor on the missing cell, or
    // focuses the supplement in the memo pane; a missing VAT rate opens the LV row's % MWSt.
    // A whole-bid finding without a place in the grid is explained in a message.
    void ShowFinding(const SBidFinding& finding);

    // After the list was filled anew, and after every entry and calculation.
    void RebuildProgress();
    void UpdateProgress();

    CHandInCheck& HandIn() { return m_handIn; }
    const CBidProgress& Progress() const { return m_progress; }
    QLabel* PricedLabel() const { return m_pricedLabel; }
    QLabel* NetLabel() const { return m_netLabel; }

    // The question about the gaps ("Trotzdem fortfahren", "Zur ersten Lücke", "Abbrechen");
    // replaceable for tests.
    std::function<HandInAnswer(const QString& text)> askGaps;
    // Runs a check dialog and gives back what it chose; replaceable for tests.
    std::function<std::optional<SBidFinding>(const CBidCheck& check)> runCheckDialog;

private:
    void ShowFirstGap(const CBidCheck& check);
    void Status(const QString& text);

    CBidDocument& m_document;
    CTreeListView& m_listView;
    CMemoView& m_memo;
    QMainWindow& m_window;
    CHandInCheck m_handIn;
    CBidProgress m_progress;
    QLabel* m_pricedLabel;
    QLabel* m_netLabel;
    // The last hint of the status bar; an entry takes it away, as it may be about the row just priced.
    QString m_hint;
};
