#include "UiTest.h"

#include "ctlNumericText.h"

#include <QLineEdit>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace {

// A money field beside a second widget to take the focus, as on a panel.
class NumericTextTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_oWindow = std::make_unique<QWidget>();
        auto* oLayout = new QVBoxLayout(m_oWindow.get());
        m_oField = new ctlNumericText(m_oWindow.get());
        m_oOther = new ctlNumericText(m_oWindow.get());
        oLayout->addWidget(m_oField);
        oLayout->addWidget(m_oOther);
        m_oField->ShowMoney(true);
        m_oField->DecimalPlaces(2);
        m_oOther->Text("0");
        ShowWindow(m_oWindow.get());
    }
    void TearDown() override {
        m_oWindow.reset();
        clsUiTest::TearDown();
    }
    // Puts the caret just before (nOffset 0) or after (1) the decimal separator.
    void CaretAtSeparator(int nOffset) {
        m_oField->setFocus();
        auto* oEdit = m_oField->findChild<QLineEdit*>();
        oEdit->setCursorPosition(int(m_oField->Text().indexOf('.')) + nOffset);
    }
    void Key(Qt::Key eKey, Qt::KeyboardModifiers eModifiers = Qt::NoModifier) {
        QTest::keyClick(m_oField, eKey, eModifiers);
    }

    std::unique_ptr<QWidget> m_oWindow;
    ctlNumericText* m_oField = nullptr;
    ctlNumericText* m_oOther = nullptr;
};

TEST_F(NumericTextTest, TypedAmountIsShownAsMoneyWhenTheFieldIsLeft) {
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    TypeInto(m_oField, "12.5");
    EXPECT_EQ(m_oField->Text(), "£12.50");
    EXPECT_FLOAT_EQ(m_oField->Value(), 12.5f);
    EXPECT_EQ(oChange.count(), 1) << "no event while typing, one when leaving";

    TypeInto(m_oField, "7.125");
    EXPECT_EQ(m_oField->Text(), "£7.13");
    EXPECT_FLOAT_EQ(m_oField->Value(), 7.13f) << "the value is what the user sees";
}

TEST_F(NumericTextTest, WritingTextFormatsNumbersAndKeepsOtherText) {
    m_oField->Text("12.5");
    EXPECT_EQ(m_oField->Text(), "£12.50");
    m_oField->Text("£3");
    EXPECT_EQ(m_oField->Text(), "£3.00");
    m_oField->Text("n/a");
    EXPECT_EQ(m_oField->Text(), "n/a");
    EXPECT_EQ(m_oField->Value(), 0.0f);
}

TEST_F(NumericTextTest, UpAndDownStepTheDigitBesideTheCaret) {
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    m_oField->Text("12.5");
    CaretAtSeparator(1);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_oField->Text(), "£12.51");
    Key(Qt::Key_Up);
    EXPECT_EQ(m_oField->Text(), "£12.52") << "the caret stays after the separator";
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_oField->Text(), "£12.49");
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(m_oField->Text(), "£12.59");

    m_oField->Text("12.5");
    CaretAtSeparator(0);
    Key(Qt::Key_Up);
    EXPECT_EQ(m_oField->Text(), "£13.50");
    Key(Qt::Key_Down);
    Key(Qt::Key_Down);
    EXPECT_EQ(m_oField->Text(), "£11.50");
    Key(Qt::Key_Up, Qt::ShiftModifier);
    EXPECT_EQ(m_oField->Text(), "£21.50");
    Key(Qt::Key_Down, Qt::ShiftModifier);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(m_oField->Text(), "£1.50");
    EXPECT_EQ(oChange.count(), 12) << "every step is committed at once";
}

TEST_F(NumericTextTest, SpinButtonStepsAndTakesTheFocus) {
    m_oOther->setFocus();
    m_oField->Text("12.5");
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    QStyleOptionSpinBox oOption;
    oOption.initFrom(m_oField);
    oOption.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    oOption.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect oUp = m_oField->style()->subControlRect(QStyle::CC_SpinBox, &oOption,
                                                        QStyle::SC_SpinBoxUp, m_oField);
    QTest::mouseClick(m_oField, Qt::LeftButton, Qt::NoModifier, oUp.center());
    EXPECT_TRUE(m_oField->hasFocus());
    EXPECT_EQ(m_oField->Text(), "£13.50");
    EXPECT_EQ(oChange.count(), 1);
}

TEST_F(NumericTextTest, InvalidTextIsReplacedByTheLastValidTextWithABeep) {
    m_oField->Text("4.25");
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    TypeInto(m_oField, "abc");
    EXPECT_EQ(m_oField->Text(), "£4.25");
    EXPECT_EQ(m_lBeeps, 1);
    EXPECT_EQ(oChange.count(), 0) << "the text is as before: nothing to report";

    TypeInto(m_oField, "");
    EXPECT_EQ(m_oField->Text(), "£4.25");
    EXPECT_EQ(m_lBeeps, 2);
    m_oField->Text("x");
    EXPECT_FALSE(m_oField->IsValid());
    Key(Qt::Key_Up);
    EXPECT_EQ(m_oField->Text(), "x") << "no step on text that is not a number";
}

TEST_F(NumericTextTest, LeavingWithoutAnEditRaisesNothing) {
    m_oField->Text("5");
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    m_oField->setFocus();
    QTest::keyClick(m_oField, Qt::Key_Tab);
    EXPECT_TRUE(m_oOther->hasFocus());
    EXPECT_EQ(oChange.count(), 0);
    EXPECT_EQ(m_lBeeps, 0);
}

TEST_F(NumericTextTest, RangeIsCheckedOnLeavingAndClampedOnDisplay) {
    m_oField->ShowMoney(false);
    m_oField->Min(1);
    m_oField->Max(100);
    m_oField->Text("0");
    EXPECT_EQ(m_oField->Text(), "1.00") << "display clamps";
    TypeInto(m_oField, "150");
    EXPECT_EQ(m_oField->Text(), "1.00");
    TypeInto(m_oField, "0");
    EXPECT_EQ(m_oField->Text(), "1.00");
    m_oField->MinAllowZero(true);
    TypeInto(m_oField, "0");
    EXPECT_EQ(m_oField->Text(), "0.00");
    TypeInto(m_oField, "100");
    EXPECT_EQ(m_oField->Text(), "100.00");
    m_oField->Text("150");
    EXPECT_EQ(m_oField->Text(), "100.00");
    EXPECT_EQ(m_lBeeps, 2);

    m_oField->Min(-1);
    m_oField->Max(-1);
    m_oField->Text("-12345.5");
    EXPECT_EQ(m_oField->Text(), "-12345.50") << "no bounds: nothing clamped";
    EXPECT_TRUE(m_oField->IsValid());
}

TEST_F(NumericTextTest, WholeNumbersRoundHalvesToEven) {
    m_oOther->Text("2.5");
    EXPECT_EQ(m_oOther->Text(), "2");
    m_oOther->Text("3.5");
    EXPECT_EQ(m_oOther->Text(), "4");
    m_oOther->Text("-0.4");
    EXPECT_EQ(m_oOther->Text(), "0");
    m_oOther->DecimalPlaces(3);
    EXPECT_EQ(m_oOther->Text(), "0.000") << "a new format shows 0";
    m_oOther->DecimalSeperator(",");
    EXPECT_EQ(m_oOther->Text(), "0,000");
    m_oOther->Text("1,25");
    EXPECT_FLOAT_EQ(m_oOther->Value(), 1.25f);
    EXPECT_EQ(m_oOther->Text(), "1,250");
}

} // namespace
