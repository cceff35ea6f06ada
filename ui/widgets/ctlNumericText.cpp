#include "ctlNumericText.h"

#include "basNumberText.h"
#include "basNumbers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QToolTip>

#include <cmath>
#include <limits>
#include <string>

namespace {

// The largest count a whole-number field takes.
constexpr int64_t kLargestWhole = std::numeric_limits<int32_t>::max();

std::function<void()>& BeepHandler() {
    static std::function<void()> oHandler;
    return oHandler;
}

} // namespace

ctlNumericText::ctlNumericText(QWidget* oParent)
    : QAbstractSpinBox(oParent), m_sDecimalSeperator(NumberLocale().decimalPoint()) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(false);
    connect(lineEdit(), &QLineEdit::textEdited, this, &ctlNumericText::OnTextEdited);
}

void ctlNumericText::OnEdit(QObject* oContext, const std::function<void()>& fnEdited) {
    connect(this, &ctlNumericText::Change, oContext, fnEdited);
    connect(this, &ctlNumericText::Typing, oContext, fnEdited);
}

void ctlNumericText::SetBeepHandler(std::function<void()> oHandler) {
    BeepHandler() = std::move(oHandler);
}

QString ctlNumericText::Text() const {
    return lineEdit()->text();
}

void ctlNumericText::Text(const QString& sText) {
    float fValue = 0;
    if (GetValue(sText, fValue))
        DisplayValue(fValue);
    else
        ShowText(sText);
    m_sCommittedText = lineEdit()->text();
}

float ctlNumericText::Value() const {
    float fValue = 0;
    return GetValue(Text(), fValue) ? fValue : 0;
}

bool ctlNumericText::WholeValue(int32_t& lValue) const {
    const double dWhole = std::nearbyint(double(Value()));
    if (dWhole < std::numeric_limits<int32_t>::min() ||
        dWhole > std::numeric_limits<int32_t>::max())
        return false;
    lValue = int32_t(dWhole);
    return true;
}

void ctlNumericText::Value(float fValue) {
    // A refresh while the user types writes back the number being typed: the text as typed
    // stays, caret and all.
    float fTyped = 0;
    if (m_bTyped && hasFocus() && GetValue(Text(), fTyped) &&
        FormatValue(fTyped) == FormatValue(fValue))
        return;
    DisplayValue(fValue);
    m_sCommittedText = lineEdit()->text();
}

void ctlNumericText::DecimalPlaces(int16_t nPlaces) {
    m_nDecimalPlaces = nPlaces < 0 ? 0 : nPlaces;
    Value(0);
}

void ctlNumericText::ShowMoney(bool bShowMoney) {
    m_bShowMoney = bShowMoney;
    Value(0);
}

void ctlNumericText::DecimalSeperator(const QString& sSeperator) {
    m_sDecimalSeperator = sSeperator.isEmpty() ? NumberLocale().decimalPoint() : sSeperator;
    Value(0);
}

// The user's number form; the price file's currency symbol and the locale's own are ignored.
bool ctlNumericText::GetValue(const QString& sText, float& fValue) const {
    return ReadNumberText(sText, m_sDecimalSeperator,
                          {CurrencySymbol(), NumberLocale().currencySymbol()},
                          fValue) == NumberEntry::Valid;
}

bool ctlNumericText::InRange(float v) const {
    // A whole-number field holds 32-bit counts.
    if (!HasDecimals() && std::fabs(std::nearbyint(double(v))) > kLargestWhole) return false;
    if (m_fMin == m_fMax) return true;
    if (m_fMin != -1 && v < m_fMin && !(v == 0 && m_bMinAllowZero)) return false;
    return m_fMax == -1 || v <= m_fMax;
}

bool ctlNumericText::IsValid() const {
    float v = 0;
    return GetValue(Text(), v) && InRange(v);
}

float ctlNumericText::ClampToRange(float fValue) const {
    if (m_fMax <= m_fMin) return fValue;
    if (fValue > m_fMax) return m_fMax;
    if (fValue >= m_fMin) return fValue;
    return fValue == 0 && m_bMinAllowZero ? 0 : m_fMin;
}

QString ctlNumericText::FormatValue(float fValue) const {
    const float v = ClampToRange(fValue);
    std::string sPlain;
    if (HasDecimals()) {
        sPlain = FormatPicture(v, "0." + std::string(size_t(m_nDecimalPlaces), '0'));
    } else {
        double d = std::nearbyint(double(v)); // halves to the even number
        if (d == 0) d = 0;                    // no "-0"
        sPlain = QString::number(d, 'f', 0).toStdString();
    }
    // A negative amount reads "-£17.40": the sign before the symbol.
    QString sSign;
    if (!sPlain.empty() && sPlain.front() == '-') {
        sSign = NumberLocale().negativeSign();
        sPlain.erase(0, 1);
    }
    return sSign + (m_bShowMoney ? CurrencySymbol() : QString()) +
           LocalNumberText(sPlain, m_sDecimalSeperator);
}

void ctlNumericText::DisplayValue(float fValue) {
    const QString sText = FormatValue(fValue);
    // Shown already: the caret stays where it is.
    if (sText == Text()) {
        ShowText(sText);
        return;
    }
    const bool bAfter = CaretAfterSeparator();
    ShowText(sText);
    if (HasDecimals()) PlaceCaret(bAfter);
}

void ctlNumericText::ShowText(const QString& sText) {
    m_bTyped = false;
    m_bTypingRaised = false;
    SetInvalidReason(QString());
    if (lineEdit()->text() != sText) lineEdit()->setText(sText);
    // What is put back after a bad edit is a text that was shown whole, never a number
    // the user was half-way through typing ("15" of "150").
    if (IsValid()) m_sLastValidText = sText;
}

bool ctlNumericText::CaretAfterSeparator() const {
    const qsizetype nSep = Text().indexOf(m_sDecimalSeperator);
    return nSep >= 0 && lineEdit()->cursorPosition() > nSep;
}

void ctlNumericText::PlaceCaret(bool bAfter) {
    const qsizetype nSep = Text().indexOf(m_sDecimalSeperator);
    if (nSep >= 0) lineEdit()->setCursorPosition(int(bAfter ? nSep + 1 : nSep));
}

void ctlNumericText::StepValue(int32_t lStep, bool bFractional) {
    float v = 0;
    if (!GetValue(Text(), v)) return;
    double dStep = lStep;
    if (bFractional) dStep /= std::pow(10.0, m_nDecimalPlaces);
    DisplayValue(float(double(v) + dStep));
}

void ctlNumericText::stepBy(int lSteps) {
    if (!hasFocus()) setFocus(Qt::OtherFocusReason);
    StepValue(lSteps, HasDecimals() && CaretAfterSeparator());
    RaiseChange();
}

QAbstractSpinBox::StepEnabled ctlNumericText::stepEnabled() const {
    return isReadOnly() ? StepNone : StepUpEnabled | StepDownEnabled;
}

// Any character may be typed; the text is judged when the control is left.
QValidator::State ctlNumericText::validate(QString&, int&) const {
    return QValidator::Acceptable;
}

void ctlNumericText::fixup(QString&) const {}

void ctlNumericText::keyPressEvent(QKeyEvent* oEvent) {
    const int lKey = oEvent->key();
    if (lKey == Qt::Key_Up || lKey == Qt::Key_Down) {
        const int32_t lStep = oEvent->modifiers() == Qt::ShiftModifier ? 10 : 1;
        StepValue(lKey == Qt::Key_Up ? lStep : -lStep, CaretAfterSeparator());
        RaiseChange();
        oEvent->accept();
        return;
    }
    if (lKey == Qt::Key_Return || lKey == Qt::Key_Enter) {
        Commit();
        // Then the window's own Enter: the wizard's Next, a dialog's default button.
        oEvent->ignore();
        return;
    }
    QAbstractSpinBox::keyPressEvent(oEvent);
}

void ctlNumericText::focusOutEvent(QFocusEvent* oEvent) {
    QAbstractSpinBox::focusOutEvent(oEvent);
    // Switching to another window or opening a menu does not leave the control.
    if (oEvent->reason() == Qt::ActiveWindowFocusReason || oEvent->reason() == Qt::PopupFocusReason)
        return;
    Commit();
}

void ctlNumericText::wheelEvent(QWheelEvent* oEvent) {
    // Scrolling past an unfocused field must not change the figures.
    if (hasFocus())
        QAbstractSpinBox::wheelEvent(oEvent);
    else
        oEvent->ignore();
}

void ctlNumericText::UserControl_LostFocus() {
    Commit();
}

void ctlNumericText::OnTextEdited() {
    m_bTyped = true;
    float v = 0;
    const NumberEntry eEntry = ReadNumberText(
        Text(), m_sDecimalSeperator, {CurrencySymbol(), NumberLocale().currencySymbol()}, v);
    QString sReason;
    if (eEntry == NumberEntry::Invalid) {
        sReason = tr("Not a number");
    } else if (eEntry == NumberEntry::Valid && !InRange(v)) {
        if (m_fMin != -1 && v < m_fMin) {
            const QString sMin = FormatValue(m_fMin);
            if (!m_sMinReason.isEmpty())
                sReason = m_sMinReason.arg(sMin);
            else
                sReason = m_bMinAllowZero ? tr("0 or at least %1").arg(sMin)
                                          : tr("At least %1").arg(sMin);
        } else if (m_fMax != -1 && v > m_fMax) {
            sReason = tr("At most %1").arg(FormatValue(m_fMax));
        } else {
            sReason = tr("At most %1")
                          .arg(LocalNumberText(std::to_string(kLargestWhole), m_sDecimalSeperator));
        }
    }
    SetInvalidReason(sReason);
    if (eEntry != NumberEntry::Valid || !sReason.isEmpty()) return;
    // Only a new value is worth a recalculation: "2.5" on to "2.50" is not.
    float fBefore = m_fTypingValue;
    if (!m_bTypingRaised && !GetValue(m_sCommittedText, fBefore)) fBefore = std::nanf("");
    if (v == fBefore) return;
    m_fTypingValue = v;
    m_bTypingRaised = true;
    emit Typing();
}

void ctlNumericText::SetInvalidReason(const QString& sReason) {
    if (sReason == m_sInvalidReason) return;
    if (m_sInvalidReason.isEmpty()) m_sToolTip = toolTip();
    const bool bWasShown = QToolTip::isVisible() && QToolTip::text() == m_sInvalidReason;
    m_sInvalidReason = sReason;
    if (sReason.isEmpty()) {
        setToolTip(m_sToolTip);
        // The field takes its colours from its panel again.
        lineEdit()->setPalette(QPalette());
        if (bWasShown) QToolTip::hideText();
        return;
    }
    setToolTip(sReason);
    // Red text that reads on the field's own background, light or dark.
    QPalette oPalette = lineEdit()->palette();
    const bool bLightField = oPalette.color(QPalette::Base).lightness() >= 128;
    oPalette.setColor(QPalette::Text,
                      bLightField ? QColor(0xB0, 0x00, 0x20) : QColor(0xFF, 0x70, 0x70));
    lineEdit()->setPalette(oPalette);
    // Said at once where the user is looking, not only when the pointer rests on the field.
    if (hasFocus()) QToolTip::showText(mapToGlobal(QPoint(0, height())), sReason, this);
}

void ctlNumericText::Commit() {
    // The host has been given typed values: it learns the one the field ends with, even when
    // that is the text it started with.
    const bool bTypingRaised = m_bTypingRaised;
    m_bTyped = false;
    m_bTypingRaised = false;
    if (!IsValid()) {
        ShowText(m_sLastValidText);
        if (BeepHandler())
            BeepHandler()();
        else
            QApplication::beep();
    } else {
        // A valid number is shown in the control's own form, so that the model receives
        // what the user sees.
        float fValue = 0;
        if (GetValue(Text(), fValue)) DisplayValue(fValue);
    }
    if (Text() != m_sCommittedText || bTypingRaised) RaiseChange();
}

void ctlNumericText::RaiseChange() {
    m_sCommittedText = Text();
    emit Change();
}
