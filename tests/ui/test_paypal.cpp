#include "UiTest.h"

#include "basControls.h"
#include "clsOutlay.h"
#include "clsPayPal.h"
#include "ctlPayPal.h"
#include "ctlPaypalBusinessTypes.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QCheckBox>
#include <QDir>
#include <QSignalSpy>

#include <memory>

namespace {

class PayPalTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_oOutlay.m_lQuantity = 1;
        m_ctlPayPal = std::make_unique<ctlPayPal>();
        Apply();
        m_ctlPayPal->ShowConfig(false);
        ShowWindow(m_ctlPayPal.get());
    }
    void TearDown() override {
        m_ctlPayPal.reset();
        clsUiTest::TearDown();
    }
    void Apply() { m_ctlPayPal->ApplyFeatures(m_oPayPal, m_oOutlay); }
    ctlPaypalBusinessTypes* Bands() const {
        return m_ctlPayPal->ControlAs<ctlPaypalBusinessTypes>("ctlPaypalBusinessType");
    }
    QAbstractButton* Ctl(const char* sName) const {
        return m_ctlPayPal->ControlAs<QAbstractButton>(sName);
    }
    QAbstractButton* Band(int lBand) const {
        return Bands()->ControlAs<QAbstractButton>(QStringLiteral("optBand%1").arg(lBand));
    }

    clsPayPal m_oPayPal;
    clsOutlay m_oOutlay;
    std::unique_ptr<ctlPayPal> m_ctlPayPal;
};

TEST_F(PayPalTest, BusinessBandsTakeThePriceTableNamesAndServeMerchantAccountsOnly) {
    EXPECT_EQ(StripAmpersand(Band(1)->text()), "£0.00 - £1500.00");
    EXPECT_EQ(StripAmpersand(Band(5)->text()), "Over £55000.00");
    EXPECT_EQ(QAccessible::queryAccessibleInterface(Bands()->Control("chkShowBusinessRateBand3"))
                  ->text(QAccessible::Name),
              "Show £6000.01 - £15000.00");
    for (int lBand = 1; lBand <= 5; ++lBand)
        EXPECT_FALSE(Band(lBand)->isEnabled()) << "a personal account has no merchant band";

    QSignalSpy oChanged(m_ctlPayPal.get(), &ctlPayPal::Changed);
    Click(Ctl("optBusinessAccount"));
    EXPECT_EQ(m_oPayPal.m_eAccoutType, AccountType::Business);
    EXPECT_TRUE(Band(5)->isEnabled()) << "re-applied after the write-back";
    m_oPayPal.m_bDirty = false;
    Click(Band(3));
    EXPECT_EQ(oChanged.count(), 2) << "the band panel's change reaches the host once";
    EXPECT_EQ(m_oPayPal.m_eBusinessRate, 3);
    EXPECT_TRUE(m_oPayPal.m_bDirty);
    Click(Ctl("optPersonalAccount"));
    EXPECT_EQ(m_oPayPal.m_eAccoutType, AccountType::Personal);
    EXPECT_FALSE(Band(3)->isEnabled());
}

TEST_F(PayPalTest, PayIndividuallyNeedsMoreThanOneItemAndApplyNeverWritesBack) {
    EXPECT_FALSE(Ctl("chkPayInduvidually")->isEnabled());
    EXPECT_FALSE(m_ctlPayPal->Control("fraPayInduvidually")->isEnabled());
    m_oOutlay.m_lQuantity = 3;
    Apply();
    QSignalSpy oChanged(m_ctlPayPal.get(), &ctlPayPal::Changed);
    Click(Ctl("chkUsePayPal"));
    Click(Ctl("chkPayInduvidually"));
    EXPECT_EQ(oChanged.count(), 2);
    EXPECT_TRUE(m_oPayPal.m_bUsePayPal);
    EXPECT_TRUE(m_oPayPal.m_bPayInduvidually);

    m_oPayPal.m_bDirty = false;
    m_oPayPal.m_eAccoutType = AccountType::Premier;
    m_oPayPal.m_eBusinessRate = 4;
    m_oOutlay.m_lQuantity = 1;
    Apply();
    EXPECT_EQ(oChanged.count(), 2);
    EXPECT_FALSE(m_oPayPal.m_bDirty);
    EXPECT_TRUE(Ctl("optPremierAccount")->isChecked());
    EXPECT_TRUE(Band(4)->isChecked());
    EXPECT_FALSE(Ctl("chkPayInduvidually")->isChecked());
    EXPECT_TRUE(m_oPayPal.m_bPayInduvidually) << "Apply only shows";
    Click(Ctl("chkUsePayPal"));
    EXPECT_FALSE(m_oPayPal.m_bPayInduvidually) << "cleared at the next write-back";
}

TEST_F(PayPalTest, TheBusinessAccountShowBoxGovernsTheBands) {
    EXPECT_TRUE(Band(1)->isVisible()) << "out of configuration mode too";
    EXPECT_EQ(ControlTop(m_ctlPayPal->Control("lblTotal")), 3160);
    m_ctlPayPal->ShowConfig(true);
    EXPECT_EQ(ControlLeft(Bands()) + ControlLeft(Bands()->Control("chkShowBusinessRateBand1")),
              ControlLeft(Ctl("chkShowBusinessAccount")))
        << "the bands' Show boxes stand in the host's Show column";
    Click(Ctl("chkShowBusinessAccount"));
    m_ctlPayPal->ShowConfig(false);
    EXPECT_FALSE(Ctl("optBusinessAccount")->isVisible());
    EXPECT_FALSE(Bands()->isVisible()) << "hidden with the Business Account";
    EXPECT_EQ(ControlTop(m_ctlPayPal->Control("lblTotal")), 1480) << "both gaps close";

    m_ctlPayPal->ShowConfig(true);
    Click(Ctl("chkShowBusinessAccount"));
    Click(Ctl("chkShowUsePayPal"));
    m_ctlPayPal->ShowConfig(false);
    EXPECT_TRUE(Bands()->isVisible()) << "the use of PayPal does not govern them";
    EXPECT_FALSE(Ctl("chkUsePayPal")->isVisible());
}

TEST_F(PayPalTest, Screenshot) {
    m_oOutlay.m_lQuantity = 2;
    m_oPayPal.m_bUsePayPal = true;
    m_oPayPal.m_eAccoutType = AccountType::Business;
    m_oPayPal.m_eBusinessRate = 2;
    m_oPayPal.DoCalc(25, &m_oOutlay);
    Apply();
    ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
    for (bool bConfig : {false, true}) {
        m_ctlPayPal->ShowConfig(bConfig);
        const QString sPath =
            QString(GAVELRY_SCREENSHOT_DIR "/paypal%1.png").arg(bConfig ? "-config" : "");
        EXPECT_TRUE(m_ctlPayPal->grab().save(sPath)) << sPath.toStdString();
        // The price table's band names are longer than the design's "Band 1".
        for (QAbstractButton* oButton : m_ctlPayPal->findChildren<QAbstractButton*>()) {
            if (oButton->isVisible()) {
                EXPECT_LE(oButton->sizeHint().width(), oButton->width()) << "caption cut off";
                EXPECT_LE(oButton->mapTo(m_ctlPayPal.get(), QPoint(oButton->width(), 0)).x(),
                          m_ctlPayPal->width());
            }
        }
    }
}

} // namespace
