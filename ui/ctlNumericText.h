#pragma once

#include <QAbstractSpinBox>
#include <QString>

#include <cstdint>
#include <functional>

// A number box with a spin button: shows its value with fixed decimal places and, if asked,
// the currency symbol; steps with the spin button or the Up and Down keys (Shift: ten
// steps; a step of the last decimal place while the caret stands after the separator);
// keeps the value within Min and Max; and when left with text that is not a valid number,
// puts back the last valid text and beeps. Change is raised when a step or an edit is
// committed, never while the user types.
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
    // Validates now, as when the focus leaves the control.
    void UserControl_LostFocus();

    // Replaces the system beep (tests).
    static void SetBeepHandler(std::function<void()> oHandler);

    void stepBy(int lSteps) override;
    QValidator::State validate(QString& sInput, int& lPos) const override;
    void fixup(QString& sInput) const override;

signals:
    void Change();

protected:
    StepEnabled stepEnabled() const override;
    void keyPressEvent(QKeyEvent* oEvent) override;
    void focusOutEvent(QFocusEvent* oEvent) override;
    void wheelEvent(QWheelEvent* oEvent) override;

private:
    QString CurrencySymbol() const;
    bool GetValue(const QString& sText, float& fValue) const;
    bool HasDecimals() const { return m_nDecimalPlaces > 0; }
    float ClampToRange(float fValue) const;
    void DisplayValue(float fValue);
    void ShowText(const QString& sText);
    bool CaretAfterSeparator() const;
    void PlaceCaret(bool bAfter);
    void StepValue(int32_t lStep, bool bFractional);
    void Commit();
    void RaiseChange();

    int16_t m_nDecimalPlaces = 0;
    bool m_bShowMoney = false;
    QString m_sDecimalSeperator = QStringLiteral(".");
    float m_fMin = -1;
    float m_fMax = -1;
    bool m_bMinAllowZero = false;
    QString m_sLastValidText;
    // The text when Change was last raised or the text was last set: leaving the control
    // without an edit raises nothing.
    QString m_sCommittedText;
};
