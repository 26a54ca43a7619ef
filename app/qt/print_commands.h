#pragma once

#include "model/change_set.h"
#include "print/bid_print_layout.h"

#include <QString>

#include <functional>
#include <memory>

class CBidDocument;
class CPrintSettingsFields;
class QMainWindow;
class QPrinter;

// Printing, the settings in front of the preview, and the PDF export of the main window. It
// keeps the print layout with the settings of the last confirmation (a dialog closed without
// OK leaves them as they were) and the printer the user chose last. Every command
// recalculates all totals first; the layout names the open file in the header.
class CPrintCommands {
public:
    CPrintCommands(CBidDocument& document, QMainWindow& window);
    ~CPrintCommands();

    // "Drucken...": the print dialog with the settings pane, then the chosen pages on the
    // chosen printer or into a PDF file. False when cancelled or when printing failed (the
    // message was shown).
    bool Print(int selectedRecord);
    // "Seitenansicht...": the dialog "Seitenansicht" with the pane. True when the preview may
    // start (whatever button closed the dialog); false, after a message, without pages.
    bool PreparePreview(int selectedRecord);
    // "Als PDF exportieren...": the pane, then the file name, then the PDF written through a
    // temporary file. False when cancelled or failed (the message was shown).
    bool ExportPdf(int selectedRecord);
    // Paints every page of the bid onto a printer (the preview's).
    void PaintPages(QPrinter* printer);

    CBidPrintLayout& Layout() { return m_layout; }
    // The printer of printing and preview; without a system printer a PDF printer with the
    // page setup and resolution of the PDF export.
    QPrinter& Printer();

    // Asks for the PDF file's name, proposed beside the open file; empty when cancelled.
    // Replaceable for tests.
    std::function<QString(const QString& proposed)> askPdfPath;

private:
    // CalcAll (the grid shows the new totals) and the open file's name for the header.
    void PrepareLayout();
    // The pane's fields opened for the selected record. An undo recorder hooks in here: it
    // sets the fields' recordChanges so that the pane's changes become one step.
    std::unique_ptr<CPrintSettingsFields> OpenFields(int selectedRecord);
    // After a dialog: bidder or currency typed into the pane are one step of the history (the
    // whole session of the pane: the values shown, typed and stored on OK).
    void TakeChanges(const CPrintSettingsFields& fields);
    bool HasPages();
    void ShowMessage(const std::string& text);
    QString DocumentFile(const char* extension) const;

    CBidDocument& m_document;
    QMainWindow& m_window;
    CBidPrintLayout m_layout;
    std::unique_ptr<QPrinter> m_printer; // made on first use: asking the system for its printers takes time
    QString m_proposedPdf;               // the output file the print dialog was last given as a proposal
    CChangeSet m_session;                // what the open pane changed in the records
};
