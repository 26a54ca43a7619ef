#pragma once

#include <QLineEdit>

// An edit field with a tool tip: the tip given with SetTip, or, without one, the whole text
// while it is wider than the field (so that a cut text can be read). Reports when it loses
// the keyboard focus.
class CTTEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CTTEdit(QWidget* parent = nullptr);

    void SetTip(const QString& tip);
    // The tip shown now: the set one, the cut text, or nothing.
    QString CurrentTip() const;

Q_SIGNALS:
    // The field lost the keyboard focus.
    void FocusLeft();

protected:
    bool event(QEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    QString m_tip;
};
