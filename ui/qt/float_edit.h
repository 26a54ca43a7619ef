#pragma once

#include "ui/float_edit_logic.h"
#include "ui/qt/tt_edit.h"

#include <string>

// The numeric field: a right-aligned edit field (with a tool tip) whose typing rules are those of
// CFloatEditLogic; the widget only translates keys, focus and clipboard and mirrors text,
// caret and selection back. Insert, the context menu and every other way of editing the text
// (undo, cut, drops, input methods) are shut off. A tool tip is set with setToolTip.
//
// For an in-place editor: SetDecimals and SetValue with the stored number, SetModified(false);
// when the field is left without typing it stays unmodified and GetValue is that number.
// A text put in with setText is taken over as the value when the field is left (or typed into).
class CFloatEdit : public CTTEdit {
    Q_OBJECT
public:
    // Our own clipboard format: the number in plain form ("-1234.50").
    static const QString kMimeType;

    explicit CFloatEdit(QWidget* parent = nullptr);

    void SetValue(double value);
    double GetValue() const { return m_logic.GetValue(); }
    void SetDecimals(int decimals);
    int Decimals() const { return m_logic.Decimals(); }
    void SetGrouping(bool on);
    // Set only when typing, pasting or a text from outside changed the number or its text.
    bool IsModified() const { return m_logic.IsModified(); }
    void SetModified(bool modified);
    void SetReadOnly(bool readOnly);
    // The text in Windows-1252 and its value.
    std::string Text() const { return m_logic.Text(); }
    double TextValue() const { return m_logic.TextValue(); }
    const CFloatEditLogic& Logic() const { return m_logic; }

    // Ctrl+C: the number in our own format and the text as plain text.
    void CopyNumber() const;
    // Ctrl+V: our own format, or plain text that reads as a number; false when refused.
    bool PasteNumber();

    // FocusLeft: value and modified flag already include a text from outside.

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SyncFromWidget();
    void MirrorToWidget();
    void OnTextChanged(const QString& text);

    CFloatEditLogic m_logic;
    bool m_mirroring = false;            // the widget's text is being set from the logic
    bool m_keepSelectionOnPress = false; // a click that focused the field keeps the "select all"
};
