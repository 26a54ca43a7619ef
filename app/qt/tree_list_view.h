#pragma once

#include "ui/grid.h"

#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class CAngebotList;
class CAppSettings;
class IShell;
class CTLstModel;
class CTLstTree;

// The upper pane of the main window: the position list, a tree-list over the record list
// with the thirteen columns. The column widths are restored from the setting "HDSettings"
// when the view is made and stored there when it goes.
class CTreeListView : public QWidget {
    Q_OBJECT
public:
    CTreeListView(const CAngebotList& list, CAppSettings& settings, QWidget* parent = nullptr);
    ~CTreeListView() override;

    // Rebuilds the rows from the record list (share titles as the reader named them).
    void FillList(const std::string& title1, const std::string& title2);
    // Formats the numbers of all rows again (after a calculation).
    void RefreshNumbers();
    // The record of the selected row, -1 for none.
    int SelectedRecord() const;
    // Prices are entered in the grid: entries change `list` (the list the view shows) and put
    // the questions 61220/61221 through the shell; each entry runs inside `record` when given
    // (one step of the undo history, named "EP 1.1.10").
    using EntryRecorder = std::function<void(const std::string& name, const std::function<void()>& entry)>;
    void EnableEditing(CAngebotList& list, IShell& shell, EntryRecorder record = {});
    // Shows the stored values of these records again in their rows (after undo and redo).
    void ShowRecords(const std::vector<int>& records);
    // Commits a changed entry of an open cell editor and closes it.
    void CommitPendingEntry();
    void SaveColumnWidths();

    CTLstTree* Tree() const { return m_tree; }
    CTLstModel* Model() const { return m_model; }
    IGrid& Grid() const;

Q_SIGNALS:
    // The selected row changed; the record is -1 when no row is selected.
    void recordSelected(int record);
    // An entry in the grid changed records.
    void entryCommitted();

protected:
    void changeEvent(QEvent* event) override;

private:
    void SetupView();

    const CAngebotList& m_list;
    CAppSettings& m_settings;
    CTLstModel* m_model;
    CTLstTree* m_tree;
};
