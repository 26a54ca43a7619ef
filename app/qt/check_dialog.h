#pragma once

#include "app/bid_check.h"

#include <QDialog>

#include <optional>

class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "Angebot prüfen": the findings of the completeness check in a list with the columns
// "Pos.-Nr.", "Kurztext" and "Fehlt", the gaps under "Offene Eingaben" and the hints apart under
// "Hinweise"; findings about the whole bid have no Pos.-Nr. A double click on a finding (or
// "Anzeigen", or Enter) closes the dialog with that finding chosen; the window then shows it.
class CCheckDialog : public QDialog {
    Q_OBJECT
public:
    CCheckDialog(const CBidCheck& check, QWidget* parent = nullptr);

    // The finding the dialog was closed with; none after "Schließen".
    const std::optional<SBidFinding>& Chosen() const { return m_chosen; }

    QTreeWidget* List() const { return m_list; }
    QLabel* Summary() const { return m_summary; }
    // The list item of a finding (gaps first, then hints, each in their order); null beyond.
    QTreeWidgetItem* ItemOf(bool hint, int n) const;
    // Chooses the finding of an item and closes the dialog; group items choose nothing.
    void Choose(QTreeWidgetItem* item);

    // "Alles vollständig..." or "3 offene Eingaben, 1 Hinweis".
    static QString SummaryText(const CBidCheck& check);

private:
    QTreeWidgetItem* AddGroup(const QString& title, const std::vector<SBidFinding>& findings, bool hint);

    std::vector<SBidFinding> m_findings; // the gaps, then the hints
    size_t m_gapCount = 0;
    std::optional<SBidFinding> m_chosen;
    QLabel* m_summary;
    QTreeWidget* m_list;
    QPushButton* m_show;
};
