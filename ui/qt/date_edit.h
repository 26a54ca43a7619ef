#pragma once

#include "ui/date_edit_logic.h"

#include <QLineEdit>

#include <string>

// The date field "dd.mm.yyyy": a line edit whose typing rules are those of CDateEditLogic.
// Refused characters beep; digits outside the limits of their position are dropped silently.
// The date is not checked while typing: the host calls ValidateDate when the field is left
// and when its dialog is confirmed. Insert, the context menu, undo and cut are shut off.
class CDateEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CDateEdit(QWidget* parent = nullptr);

    // The date text from the host (Windows-1252); an empty text shows the empty date.
    void SetText(const std::string& text);
    std::string Text() const { return m_logic.Text(); }
    // True for a valid or empty date (rewritten as "dd.mm.yyyy"); false beeps and leaves the text.
    bool ValidateDate();
    bool IsModified() const { return m_logic.IsModified(); }
    void SetModified(bool modified);
    void SetReadOnly(bool readOnly);

    // Ctrl+V: a date or digits from the clipboard; false (with a beep) when refused.
    bool PasteDate();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void SyncFromWidget();
    void MirrorToWidget();
    void OnTextChanged(const QString& text);

    CDateEditLogic m_logic;
    bool m_mirroring = false;
};
