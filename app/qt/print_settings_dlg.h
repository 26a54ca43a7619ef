#pragma once

#include <QDialog>

class CBidPrintLayout;
class CPrintSettingsFields;
class CPrintSettingsPane;
class QPushButton;

// The small modal dialog around the settings pane: "Seitenansicht" with the one button
// "Weiter" in front of the preview, or "Als PDF exportieren" with "Weiter" and "Abbrechen".
// "Weiter" stores the settings (refused while the date is invalid); the close box and Escape
// leave the layout as it was.
class CPrintSettingsDlg : public QDialog {
    Q_OBJECT
public:
    enum class Kind { Preview, Export };

    CPrintSettingsDlg(Kind kind, CPrintSettingsFields& fields, CBidPrintLayout& layout,
                      QWidget* parent = nullptr);

    CPrintSettingsPane* Pane() const { return m_pane; }
    QPushButton* NextButton() const { return m_next; }

    void accept() override;

private:
    CBidPrintLayout& m_layout;
    CPrintSettingsPane* m_pane;
    QPushButton* m_next;
};
