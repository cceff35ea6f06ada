#pragma once

#include <QAbstractSpinBox>
#include <QString>

#include <cstdint>
#include <functional>

// A number box with a spin button: shows its value in the user's number form (grouped
// thousands, the locale's decimal separator) with fixed decimal places and, if asked, the
// currency symbol; steps with the spin button or the Up and Down keys (Shift: ten steps; a
// step of the last decimal place while the caret stands after the separator); keeps the value
// within Min and Max. Typed text that cannot be taken stays as typed, marked, with the reason
// on its tooltip; when the field is left with it, the last valid text comes back with a beep.
// Change is raised when a step or an edit is committed; Typing at each edit that leaves a
// valid number in the box, so that the figures follow the keystrokes.
class ctlNumericText : public QAbstractSpinBox {
    Q_OBJECT

public:
    explicit ctlNumericText(QWidget* oParent = nullptr);

    QString Text() const;
    // A number is shown clamped and formatted; other text is shown as it is.
    void Text(const QString& sText);
    // The number shown; 0 when the text is not a number.
    float Value() const;
    void Value(float fValue);
    // The number shown rounded to a whole one (halves to even); false, leaving lValue, when
    // it does not fit in 32 bits.
    bool WholeValue(int32_t& lValue) const;

    int16_t DecimalPlaces() const { return m_nDecimalPlaces; }
    void DecimalPlaces(int16_t nPlaces);
    bool ShowMoney() const { return m_bShowMoney; }
    void ShowMoney(bool bShowMoney);
    QString DecimalSeperator() const { return m_sDecimalSeperator; }
    void DecimalSeperator(const QString& sSeperator);
    // Bounds; -1 means none. With MinAllowZero, 0 is accepted below Min.
    float Min() const { return m_fMin; }
    void Min(float fMin) { m_fMin = fMin; }
    float Max() const { return m_fMax; }
    void Max(float fMax) { m_fMax = fMax; }
    bool MinAllowZero() const { return m_bMinAllowZero; }
    void MinAllowZero(bool bAllow) { m_bMinAllowZero = bAllow; }

    bool IsValid() const;
    // Why the typed text cannot be taken ("At most 1,000"); empty while it can, or while it
    // may still become a number ("2,5" on the way to "2,500").
    QString InvalidReason() const { return m_sInvalidReason; }
    // The reason given for a number below Min, "%1" standing for Min as the field shows it
    // ("eBay's lowest reserve is %1"); empty for the usual "At least %1".
    void MinReason(const QString& sReason) { m_sMinReason = sReason; }
    // Validates now, as when the focus leaves the control.
    void UserControl_LostFocus();

    // Runs fnEdited, in oContext's lifetime, at every edit the figures follow: each keystroke
    // that gives a new number (Typing) and each committed change (Change).
    void OnEdit(QObject* oContext, const std::function<void()>& fnEdited);

    // Replaces the system beep (tests).
    static void SetBeepHandler(std::function<void()> oHandler);

    void stepBy(int lSteps) override;
    QValidator::State validate(QString& sInput, int& lPos) const override;
    void fixup(QString& sInput) const override;

signals:
    void Change();
    void Typing();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* oEvent) override;
    void focusOutEvent(QFocusEvent* oEvent) override;
    void wheelEvent(QWheelEvent* oEvent) override;

private:
    bool GetValue(const QString& sText, float& fValue) const;
    bool HasDecimals() const { return m_nDecimalPlaces > 0; }
    bool InRange(float fValue) const;
    float ClampToRange(float fValue) const;
    // A number as the field shows it, clamped: "£1,250.00".
    QString FormatValue(float fValue) const;
    void DisplayValue(float fValue);
    void ShowText(const QString& sText);
    bool CaretAfterSeparator() const;
    void PlaceCaret(bool bAfter);
    void StepValue(int32_t lStep, bool bFractional);
    void Commit();
    void RaiseChange();
    void OnTextEdited();
    // Marks the field with the reason its text cannot be taken; an empty reason unmarks it.
    void SetInvalidReason(const QString& sReason);

    int16_t m_nDecimalPlaces = 0;
    bool m_bShowMoney = false;
    QString m_sDecimalSeperator;
    float m_fMin = -1;
    float m_fMax = -1;
    bool m_bMinAllowZero = false;
    QString m_sLastValidText;
    // The text when Change was last raised or the text was last set: leaving the control
    // without an edit raises nothing.
    QString m_sCommittedText;
    // The user has typed since the text was last committed or set.
    bool m_bTyped = false;
    // Typing has been raised since then, last with this value.
    bool m_bTypingRaised = false;
    float m_fTypingValue = 0;
    QString m_sMinReason;
    QString m_sInvalidReason;
    // The tooltip the field had before it was marked.
    QString m_sToolTip;
};
