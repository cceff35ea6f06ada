#include "ctlNumericText.h"

#include "basNumbers.h"
#include "clsPrices.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include <cmath>
#include <limits>
#include <string>

namespace {

std::function<void()>& BeepHandler() {
    static std::function<void()> oHandler;
    return oHandler;
}

} // namespace

ctlNumericText::ctlNumericText(QWidget* oParent) : QAbstractSpinBox(oParent) {
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setFocusPolicy(Qt::StrongFocus);
    setKeyboardTracking(false);
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
    m_sDecimalSeperator = sSeperator.isEmpty() ? QStringLiteral(".") : sSeperator;
    Value(0);
}

QString ctlNumericText::CurrencySymbol() const {
    std::string sSymbol;
    GetPrices().GetData("CurrencySymbol", sSymbol);
    return QString::fromStdString(sSymbol);
}

bool ctlNumericText::GetValue(const QString& sText, float& fValue) const {
    QString s = sText;
    if (m_bShowMoney) {
        const QString sSymbol = CurrencySymbol();
        if (!sSymbol.isEmpty() && s.startsWith(sSymbol)) s = s.mid(sSymbol.size());
    }
    const qsizetype nSep = s.indexOf(m_sDecimalSeperator);
    if (nSep >= 0) s = s.left(nSep) + QLatin1Char('.') + s.mid(nSep + m_sDecimalSeperator.size());
    const QByteArray ab = s.toUtf8();
    float f = 0;
    if (!ParseSingle(std::string_view(ab.constData(), size_t(ab.size())), f) || !std::isfinite(f))
        return false;
    fValue = f;
    return true;
}

bool ctlNumericText::IsValid() const {
    float v = 0;
    if (!GetValue(Text(), v)) return false;
    if (m_fMin == m_fMax) return true;
    if (m_fMin != -1 && v < m_fMin && !(v == 0 && m_bMinAllowZero)) return false;
    return m_fMax == -1 || v <= m_fMax;
}

float ctlNumericText::ClampToRange(float fValue) const {
    if (m_fMax <= m_fMin) return fValue;
    if (fValue > m_fMax) return m_fMax;
    if (fValue >= m_fMin) return fValue;
    return fValue == 0 && m_bMinAllowZero ? 0 : m_fMin;
}

void ctlNumericText::DisplayValue(float fValue) {
    const QString sPrefix = m_bShowMoney ? CurrencySymbol() : QString();
    const float v = ClampToRange(fValue);
    if (HasDecimals()) {
        const bool bAfter = CaretAfterSeparator();
        const std::string sPicture = "0." + std::string(size_t(m_nDecimalPlaces), '0');
        QString s = QString::fromStdString(FormatPicture(v, sPicture));
        s.replace(QLatin1Char('.'), m_sDecimalSeperator);
        ShowText(sPrefix + s);
        PlaceCaret(bAfter);
    } else {
        double d = std::nearbyint(double(v)); // halves to the even number
        if (d == 0) d = 0;                    // no "-0"
        ShowText(sPrefix + QString::number(d, 'f', 0));
    }
}

void ctlNumericText::ShowText(const QString& sText) {
    lineEdit()->setText(sText);
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
        oEvent->accept();
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

void ctlNumericText::Commit() {
    if (!IsValid()) {
        lineEdit()->setText(m_sLastValidText);
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
    if (Text() != m_sCommittedText) RaiseChange();
}

void ctlNumericText::RaiseChange() {
    m_sCommittedText = Text();
    emit Change();
}
