#pragma once

#include <QPrintDialog>

class CBidPrintLayout;
class CPrintSettingsFields;
class CPrintSettingsPane;

// The print dialog of the system with the settings pane as its tab "Angebot", shown opened:
// pages 1 to 65535, no selection or current-page range, printing to a PDF file allowed,
// copies left to the printer. OK stores the settings into the layout (refused while the date
// is invalid) before the dialog closes and the pages are printed.
class COrvakPrintDlg : public QPrintDialog {
    Q_OBJECT
public:
    static constexpr int kMaxPage = 65535;

    COrvakPrintDlg(QPrinter* printer, CPrintSettingsFields& fields, CBidPrintLayout& layout,
                   QWidget* parent = nullptr);

    CPrintSettingsPane* Pane() const { return m_pane; }

    void accept() override;

private:
    // Opens the options part of the dialog, where the pane is, with the pane's tab in front.
    void ShowPane();

    CBidPrintLayout& m_layout;
    CPrintSettingsPane* m_pane;
};
