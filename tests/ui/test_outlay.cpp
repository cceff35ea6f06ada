#include "UiTest.h"

#include "basControls.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "ctlNumericText.h"
#include "ctlOutlay.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

class OutlayTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        Open();
    }
    void TearDown() override {
        m_ctlOutlay.reset();
        clsUiTest::TearDown();
    }
    // Opens the panel as a window of its own: applied, arranged, shown.
    void Open() {
        m_ctlOutlay = std::make_unique<ctlOutlay>();
        m_ctlOutlay->ApplyOutlay(m_oOutlay, &m_oType);
        m_ctlOutlay->ShowConfig(false);
        ShowWindow(m_ctlOutlay.get());
    }
    ctlNumericText* Field(const char* sName) const {
        return m_ctlOutlay->ControlAs<ctlNumericText>(sName);
    }
    QWidget* Ctl(const char* sName) const { return m_ctlOutlay->Control(sName); }
    QCheckBox* Box(const char* sName) const { return m_ctlOutlay->ControlAs<QCheckBox>(sName); }

    clsOutlay m_oOutlay;
    clsAuctionType m_oType;
    std::unique_ptr<ctlOutlay> m_ctlOutlay;
};

TEST_F(OutlayTest, AnEditWritesTheModelAndRaisesChangedOnce) {
    QSignalSpy oChanged(m_ctlOutlay.get(), &ctlOutlay::Changed);
    TypeInto(Field("txtOutlay"), "12.5");
    EXPECT_EQ(Field("txtOutlay")->Text(), "£12.50");
    EXPECT_FLOAT_EQ(m_oOutlay.m_fOutlay, 12.5f);
    EXPECT_TRUE(m_oOutlay.m_bDirty);
    // Once for each keystroke that gives a new number ("1", "12", "12.5"; "12." is 12
    // again), and once when the field is left.
    EXPECT_EQ(oChanged.count(), 4);

    TypeInto(Field("txtQuantity"), "2.5");
    EXPECT_EQ(m_oOutlay.m_lQuantity, 2) << "the nearest whole number, halves to even";
    Click(Box("chkOutlayInclTax"));
    EXPECT_TRUE(m_oOutlay.m_bAddTax);
    EXPECT_EQ(oChanged.count(), 8);

    TypeInto(Field("txtQuantity"), "1e20");
    EXPECT_EQ(m_oOutlay.m_lQuantity, 2)
        << "text that is no number is put back when the field is left, and so is the model";
    EXPECT_EQ(Field("txtQuantity")->Text(), "2");
    EXPECT_FLOAT_EQ(m_oOutlay.m_fOutlay, 12.5f);
    TypeInto(Field("txtQuantity"), "100000000000");
    EXPECT_EQ(m_oOutlay.m_lQuantity, 2) << "a quantity beyond the whole numbers is not stored";
}

TEST_F(OutlayTest, ReserveIsNoneOrAtLeastTheLeastAllowed) {
    ctlNumericText* txtReservePrice = Field("txtReservePrice");
    TypeInto(txtReservePrice, "30");
    EXPECT_EQ(txtReservePrice->Text(), "£0.00");
    EXPECT_EQ(m_lBeeps, 1);
    EXPECT_EQ(m_oOutlay.m_fReservePrice, 0.0f);
    TypeInto(txtReservePrice, "60");
    EXPECT_FLOAT_EQ(m_oOutlay.m_fReservePrice, 60.0f);
    TypeInto(txtReservePrice, "0");
    EXPECT_EQ(txtReservePrice->Text(), "£0.00");
    EXPECT_EQ(m_oOutlay.m_fReservePrice, 0.0f);
    EXPECT_EQ(m_lBeeps, 1);
}

TEST_F(OutlayTest, ApplyShowsTheModelAndNeverWritesBack) {
    // The user is half-way through an edit when the host re-applies and greys the field.
    ctlNumericText* txtReservePrice = Field("txtReservePrice");
    txtReservePrice->setFocus();
    QTest::keyClicks(txtReservePrice, "99");
    // The figures followed the keystrokes; the host has since put its own values back.
    EXPECT_FLOAT_EQ(m_oOutlay.m_fReservePrice, 99.0f);
    m_oOutlay.m_fReservePrice = 0;
    m_oOutlay.m_bDirty = false;
    QSignalSpy oChanged(m_ctlOutlay.get(), &ctlOutlay::Changed);
    m_oOutlay.m_fOutlay = 3.25f;
    m_oOutlay.m_lQuantity = 4;
    m_oOutlay.m_bAddTax = true;
    m_oType.m_bBuyItNowOnly = true;
    m_ctlOutlay->ApplyOutlay(m_oOutlay, nullptr);
    EXPECT_EQ(oChanged.count(), 0);
    EXPECT_FALSE(m_oOutlay.m_bDirty);
    EXPECT_EQ(m_oOutlay.m_fReservePrice, 0.0f);
    EXPECT_EQ(Field("txtOutlay")->Text(), "£3.25");
    EXPECT_EQ(Field("txtQuantity")->Text(), "4");
    EXPECT_TRUE(Box("chkOutlayInclTax")->isChecked());

    // Buy it Now Only, kept from the first Apply.
    EXPECT_EQ(StripAmpersand(m_ctlOutlay->ControlAs<QLabel>("lblEstimatedEndPrice")->text()),
              "Buy it Now Price");
    for (const char* sName :
         {"lblStartingPrice", "txtStartingPrice", "lblReservePrice", "txtReservePrice"})
        EXPECT_FALSE(Ctl(sName)->isEnabled()) << sName;
    EXPECT_TRUE(Ctl("txtEstimatedEndPrice")->isEnabled());
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(Ctl("txtEstimatedEndPrice"))->text(QAccessible::Name),
        "Buy it Now Price");

    m_oType.m_bBuyItNowOnly = false;
    m_ctlOutlay->ApplyOutlay(m_oOutlay, &m_oType);
    EXPECT_EQ(StripAmpersand(m_ctlOutlay->ControlAs<QLabel>("lblEstimatedEndPrice")->text()),
              "Estimated End Price");
    EXPECT_TRUE(Ctl("txtReservePrice")->isEnabled());
}

TEST_F(OutlayTest, ControlsAreNamedForAssistiveTechnologyAndReadInOrder) {
    auto Name = [&](const char* s) {
        return QAccessible::queryAccessibleInterface(Ctl(s))->text(QAccessible::Name);
    };
    auto Description = [&](const char* s) {
        return QAccessible::queryAccessibleInterface(Ctl(s))->text(QAccessible::Description);
    };
    EXPECT_EQ(Name("txtOutlay"), "Outlay");
    EXPECT_EQ(Description("txtOutlay"), "txtOutlay");
    EXPECT_EQ(Name("chkOutlayInclTax"), "Add Tax");
    EXPECT_EQ(Name("chkShowStartingPrice"), "Show Starting Price");
    EXPECT_EQ(Description("lblQuantity"), "lblQuantity");

    Field("txtOutlay")->setFocus();
    QStringList asOrder{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 5; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        asOrder << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(asOrder, (QStringList{"txtOutlay", "chkOutlayInclTax", "txtStartingPrice",
                                    "txtReservePrice", "txtEstimatedEndPrice", "txtQuantity"}));
}

TEST_F(OutlayTest, ShowBoxesHideRowsWhenConfigurationModeIsLeft) {
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Visible"), "Outlay,Start,Reserve,Estimate,Quantity")
        << "an empty list shows every option and is stored at once";
    const int32_t lNormalWidth = ControlWidth(m_ctlOutlay.get());
    EXPECT_FALSE(Ctl("chkShowOutlay")->isVisible());

    m_ctlOutlay->ShowConfig(true);
    EXPECT_EQ(ControlWidth(m_ctlOutlay.get()), 4680 + 855 + 10);
    EXPECT_EQ(ControlWidth(m_ctlOutlay.get()) - lNormalWidth, 855 + 20);
    EXPECT_EQ(m_ctlOutlay->width(), TwipsToPixels(4680 + 855 + 10));
    for (const char* sName : {"chkShowOutlay", "chkShowStartingPrice", "chkShowReservePrice",
                              "chkShowEstimatedEndPrice", "chkShowQuantity"}) {
        EXPECT_TRUE(Ctl(sName)->isVisible()) << sName;
        EXPECT_EQ(ControlLeft(Ctl(sName)), 4680) << sName;
        EXPECT_TRUE(Box(sName)->isChecked()) << sName;
    }
    EXPECT_EQ(ControlTop(Ctl("chkShowReservePrice")), 920);

    Click(Box("chkShowStartingPrice"));
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Visible"), "Outlay,Reserve,Estimate,Quantity");
    EXPECT_TRUE(Ctl("txtStartingPrice")->isVisible()) << "nothing moves in configuration mode";
    EXPECT_EQ(ControlTop(Ctl("txtReservePrice")), 920);

    m_ctlOutlay->ShowConfig(false);
    EXPECT_FALSE(Ctl("lblStartingPrice")->isVisible());
    EXPECT_FALSE(Ctl("txtStartingPrice")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("lblReservePrice")), 640) << "the rows below move up by one pitch";
    EXPECT_EQ(ControlTop(Ctl("txtQuantity")), 1200);
    EXPECT_EQ(ControlHeight(m_ctlOutlay.get()), 1200 + 285);

    // A restart reads the stored list.
    Open();
    EXPECT_FALSE(Ctl("txtStartingPrice")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("txtQuantity")), 1200);
    m_ctlOutlay->ShowConfig(true);
    EXPECT_FALSE(Box("chkShowStartingPrice")->isChecked());
    EXPECT_TRUE(Ctl("txtStartingPrice")->isVisible());
    EXPECT_EQ(ControlTop(Ctl("txtQuantity")), 1480);
}

TEST_F(OutlayTest, HeaderIsADragGripInConfigurationModeOnly) {
    QWidget* imgHeader = Ctl("imgHeader");
    m_ctlOutlay->GotFocus();
    EXPECT_FALSE(imgHeader->isVisible());
    m_ctlOutlay->ShowConfig(true);
    m_ctlOutlay->GotFocus();
    ASSERT_TRUE(imgHeader->isVisible());
    EXPECT_EQ(imgHeader->width(), m_ctlOutlay->width());

    QSignalSpy oMoved(m_ctlOutlay.get(), &ctlOutlay::Moved);
    QTest::mousePress(imgHeader, Qt::LeftButton, Qt::NoModifier, QPoint(10, 5));
    QMouseEvent oMove(QEvent::MouseMove, QPointF(18, 1), imgHeader->mapToGlobal(QPointF(18, 1)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(imgHeader, &oMove);
    QTest::mouseRelease(imgHeader, Qt::LeftButton, Qt::NoModifier, QPoint(20, 9));
    ASSERT_EQ(oMoved.count(), 2);
    EXPECT_EQ(oMoved[0][0].toFloat(), 120.0f) << "twips";
    EXPECT_EQ(oMoved[0][1].toFloat(), -60.0f);
    EXPECT_EQ(oMoved[1][0].toFloat(), 150.0f);
    EXPECT_EQ(oMoved[1][1].toFloat(), 60.0f);

    m_ctlOutlay->LostFocus();
    EXPECT_FALSE(imgHeader->isVisible());
}

TEST_F(OutlayTest, EmptyStoredListShowsEveryOption) {
    SetUserSetting("Controls\\Outlay", "Visible", "");
    Open();
    for (const char* sName : {"txtOutlay", "txtStartingPrice", "txtReservePrice",
                              "txtEstimatedEndPrice", "txtQuantity"})
        EXPECT_TRUE(Ctl(sName)->isVisible()) << sName;
    EXPECT_EQ(UserSetting("Controls\\Outlay", "Visible"), "Outlay,Start,Reserve,Estimate,Quantity");
}

} // namespace
