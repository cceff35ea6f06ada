#include "UiTest.h"

#include "basNumberText.h"
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
    EXPECT_EQ(m_oField->Text(), "-12,345.50") << "no bounds: nothing clamped";
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

TEST_F(NumericTextTest, NumbersAreTypedInTheUsersLocaleWithGroupedThousands) {
    // English (UK), as every test is set up: "," groups thousands, "." is the decimal point.
    const struct {
        const char* m_sTyped;
        float m_fValue;
    } aoAmounts[] = {
        {"2,500", 2500},     {"£1,250.00", 1250}, {" £ 12.5 ", 12.5f},
        {"1 250", 1250},     {"-£17.40", -17.4f}, {"1,234,567.5", 1234567.5f},
        {"£-17.40", -17.4f}, {"12.", 12},         {".5", 0.5f},
    };
    for (const auto& o : aoAmounts) {
        QSignalSpy oChange(m_oField, &ctlNumericText::Change);
        TypeInto(m_oField, QString::fromUtf8(o.m_sTyped));
        EXPECT_FLOAT_EQ(m_oField->Value(), o.m_fValue) << o.m_sTyped;
        EXPECT_EQ(oChange.count(), 1) << o.m_sTyped;
    }
    EXPECT_EQ(m_lBeeps, 0);
    TypeInto(m_oField, "1250");
    EXPECT_EQ(m_oField->Text(), "£1,250.00") << "shown with its thousands grouped";
    TypeInto(m_oField, "-17.4");
    EXPECT_EQ(m_oField->Text(), "-£17.40") << "the minus before the symbol";
    TypeInto(m_oOther, "1,000");
    EXPECT_EQ(m_oOther->Text(), "1,000");
    EXPECT_FLOAT_EQ(m_oOther->Value(), 1000);

    // Misplaced separators are not numbers: nothing is guessed.
    for (const char* sTyped : {"2,50.0", "25,00", "1,2,3", "12.5.0", "£", "1e5", "12,5.5"}) {
        TypeInto(m_oField, "1,250");
        const int lBeeps = m_lBeeps;
        TypeInto(m_oField, QString::fromUtf8(sTyped));
        EXPECT_EQ(m_oField->Text(), "£1,250.00") << sTyped;
        EXPECT_EQ(m_lBeeps, lBeeps + 1) << sTyped;
    }
}

TEST_F(NumericTextTest, OtherLocalesGroupAndSeparateTheirOwnWay) {
    const struct {
        QLocale m_oLocale;
        const char* m_sTyped;
        float m_fValue;
        const char* m_sShown; // as the money field shows it; "_" the locale's grouping
    } aoCases[] = {
        {QLocale(QLocale::German, QLocale::Germany), "1.250,5", 1250.5f, "£1.250,50"},
        {QLocale(QLocale::German, QLocale::Germany), "2500", 2500, "£2.500,00"},
        {QLocale(QLocale::French, QLocale::France), "1 250,5", 1250.5f, "£1_250,50"},
        {QLocale(QLocale::English, QLocale::UnitedStates), "$1,250.50", 1250.5f, "£1,250.50"},
        {QLocale::c(), "2,500.25", 2500.25f, "£2,500.25"}, // no locale chosen: English forms
    };
    for (const auto& o : aoCases) {
        QLocale::setDefault(o.m_oLocale);
        ctlNumericText oField;
        oField.ShowMoney(true);
        oField.DecimalPlaces(2);
        float fValue = 0;
        EXPECT_EQ(ReadNumberText(QString::fromUtf8(o.m_sTyped), oField.DecimalSeperator(),
                                 {CurrencySymbol(), NumberLocale().currencySymbol()}, fValue),
                  NumberEntry::Valid)
            << o.m_sTyped;
        EXPECT_FLOAT_EQ(fValue, o.m_fValue) << o.m_sTyped;
        oField.Value(fValue);
        EXPECT_EQ(oField.Text(),
                  QString::fromUtf8(o.m_sShown).replace('_', o.m_oLocale.groupSeparator()))
            << o.m_sTyped;
        EXPECT_FLOAT_EQ(oField.Value(), o.m_fValue) << "read back as shown";
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
    float fValue = 0;
    EXPECT_EQ(ReadNumberText("2,5", ".", {}, fValue), NumberEntry::Intermediate)
        << "on the way to 2,500";
    EXPECT_EQ(ReadNumberText("-", ".", {}, fValue), NumberEntry::Intermediate);
    EXPECT_EQ(ReadNumberText("abc", ".", {}, fValue), NumberEntry::Invalid);
    EXPECT_EQ(ReadNumberText("1" + QString(40, '0'), ".", {}, fValue), NumberEntry::Invalid)
        << "beyond a single-precision amount";
}

TEST_F(NumericTextTest, TextThatCannotBeTakenIsKeptMarkedWithItsReasonUntilTheFieldIsLeft) {
    m_oField->Min(50);
    m_oField->MinAllowZero(true);
    m_oField->MinReason("eBay's lowest reserve is %1");
    m_oField->setToolTip("Reserve");
    m_oField->Text("0");
    QSignalSpy oTyping(m_oField, &ctlNumericText::Typing);
    TypeOver(m_oField, "12.50");
    EXPECT_EQ(m_oField->Text(), "12.50") << "kept as typed";
    EXPECT_EQ(m_oField->InvalidReason(), "eBay's lowest reserve is £50.00");
    EXPECT_EQ(m_oField->toolTip(), "eBay's lowest reserve is £50.00");
    EXPECT_NE(m_oField->findChild<QLineEdit*>()->palette().color(QPalette::Text),
              m_oOther->findChild<QLineEdit*>()->palette().color(QPalette::Text))
        << "marked";
    EXPECT_EQ(oTyping.count(), 0) << "nothing below the least allowed reaches the figures";
    QTest::keyClick(m_oField, Qt::Key_Tab);
    EXPECT_EQ(m_oField->Text(), "£0.00") << "the last valid amount back on leaving";
    EXPECT_EQ(m_lBeeps, 1);
    EXPECT_EQ(m_oField->InvalidReason(), "");
    EXPECT_EQ(m_oField->toolTip(), "Reserve");
    EXPECT_EQ(m_oField->findChild<QLineEdit*>()->palette().color(QPalette::Text),
              m_oOther->findChild<QLineEdit*>()->palette().color(QPalette::Text));

    m_oField->Max(1000);
    const struct {
        const char* m_sTyped;
        const char* m_sReason;
    } aoReasons[] = {{"abc", "Not a number"},
                     {"1,2,3", "Not a number"},
                     {"1,500", "At most £1,000.00"},
                     {"2,5", ""}, // may still become 2,500
                     {"60", ""},
                     {"0", ""}};
    for (const auto& o : aoReasons) {
        TypeOver(m_oField, o.m_sTyped);
        EXPECT_EQ(m_oField->InvalidReason(), o.m_sReason) << o.m_sTyped;
    }
    QTest::keyClick(m_oField, Qt::Key_Tab);

    // A whole-number field holds 32-bit counts.
    TypeInto(m_oOther, "5");
    TypeOver(m_oOther, "3000000000");
    EXPECT_EQ(m_oOther->InvalidReason(), "At most 2,147,483,647");
    QTest::keyClick(m_oOther, Qt::Key_Tab);
    EXPECT_EQ(m_oOther->Text(), "5");
}

TEST_F(NumericTextTest, EachKeystrokeThatGivesANewNumberIsReportedAsTyped) {
    m_oField->Text("5");
    QSignalSpy oTyping(m_oField, &ctlNumericText::Typing);
    QSignalSpy oChange(m_oField, &ctlNumericText::Change);
    TypeOver(m_oField, "2,500.5");
    // "2", "2,", "2,5", "2,50" (not yet numbers), "2,500", "2,500.", "2,500.5".
    ASSERT_EQ(oTyping.count(), 3);
    EXPECT_FLOAT_EQ(m_oField->Value(), 2500.5f);
    EXPECT_EQ(oChange.count(), 0) << "Change waits for the field to be left";

    // A refresh writing back the number being typed leaves the text as typed.
    m_oField->Value(2500.5f);
    EXPECT_EQ(m_oField->Text(), "2,500.5");
    QTest::keyClick(m_oField, Qt::Key_0);
    EXPECT_EQ(oTyping.count(), 3) << "2,500.50 is the same amount";
    QTest::keyClick(m_oField, Qt::Key_Tab);
    EXPECT_EQ(m_oField->Text(), "£2,500.50");
    EXPECT_EQ(oChange.count(), 1);

    // Typed back to where it started and left: the host still hears the final amount.
    TypeOver(m_oField, "7");
    TypeOver(m_oField, "£2,500.50");
    QTest::keyClick(m_oField, Qt::Key_Tab);
    EXPECT_EQ(oChange.count(), 2);
}

} // namespace
