#include "UiTest.h"

#include "basControls.h"
#include "clsOutlay.h"
#include "clsPostage.h"
#include "ctlNumericText.h"
#include "ctlPostage.h"
#include "ctlPostageParcelInsurance.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

class PostageTest : public clsUiTest {
protected:
    void SetUp() override {
        clsUiTest::SetUp();
        m_oOutlay.m_lQuantity = 1;
        m_oPostage.m_bUse = true;
        m_oPostage.m_fWeight = 0.5f;
        m_oPostage.m_eClass = PostageClass::SecondClass;
        m_ctlPostage = std::make_unique<ctlPostage>();
        Apply();
        m_ctlPostage->ShowConfig(false);
        ShowWindow(m_ctlPostage.get());
    }
    void TearDown() override {
        m_ctlPostage.reset();
        clsUiTest::TearDown();
    }
    void Apply() { m_ctlPostage->ApplyFeatures(m_oPostage, m_oOutlay); }
    QWidget* Ctl(const char* sName) const { return m_ctlPostage->Control(sName); }
    QAbstractButton* Button(const char* sName) const {
        return m_ctlPostage->ControlAs<QAbstractButton>(sName);
    }
    ctlNumericText* Field(const char* sName) const {
        return m_ctlPostage->ControlAs<ctlNumericText>(sName);
    }
    QString Text(const char* sLabel) const {
        return m_ctlPostage->ControlAs<QLabel>(sLabel)->text();
    }
    ctlPostageParcelInsurance* Insurance() const {
        return m_ctlPostage->ControlAs<ctlPostageParcelInsurance>("ctlParcelInsurance");
    }
    QAbstractButton* Band(int lBand) const {
        return Insurance()->ControlAs<QAbstractButton>(QStringLiteral("optBand%1").arg(lBand));
    }

    clsPostage m_oPostage;
    clsOutlay m_oOutlay;
    std::unique_ptr<ctlPostage> m_ctlPostage;
};

TEST_F(PostageTest, AServiceThatCannotCarryTheNewWeightMovesOnToTheNext) {
    EXPECT_TRUE(Button("optSecondClass")->isChecked());
    EXPECT_EQ(Text("lblSecondClass"), "£1.63");

    QSignalSpy oChanged(m_ctlPostage.get(), &ctlPostage::Changed);
    TypeInto(Field("txtWeight"), "1.5");
    EXPECT_EQ(oChanged.count(), 3) << "at \"1\" and \"1.5\" as typed, and on leaving";
    EXPECT_EQ(m_oPostage.m_eClass, PostageClass::Parcel) << "second class ends at 1 kg";
    EXPECT_FALSE(Ctl("optSecondClass")->isEnabled());
    EXPECT_TRUE(Ctl("optFirstClass")->isEnabled()) << "first class has an over-weight step";
    EXPECT_TRUE(Button("optParcelService")->isChecked());
    EXPECT_EQ(Text("lblTotal"), "Section Total £4.41");

    TypeInto(Field("txtWeight"), "25");
    EXPECT_EQ(m_oPostage.m_eClass, PostageClass::Manual) << "beyond the parcel bands";
    EXPECT_FALSE(Ctl("optParcelService")->isEnabled());
    EXPECT_EQ(oChanged.count(), 6);
}

TEST_F(PostageTest, ExtrasAndInsuranceBandsFollowTheService) {
    // Second class: recorded delivery, and proof of delivery once it is recorded.
    EXPECT_TRUE(Ctl("chkRecordedDelivery")->isEnabled());
    EXPECT_FALSE(Ctl("chkProofOfDelivery")->isEnabled());
    EXPECT_TRUE(Band(1)->isEnabled());
    for (int lBand = 2; lBand <= 4; ++lBand)
        EXPECT_FALSE(Band(lBand)->isEnabled()) << lBand;
    Click(Ctl("chkRecordedDelivery"));
    EXPECT_TRUE(m_oPostage.m_bRecorded);
    ASSERT_TRUE(Ctl("chkProofOfDelivery")->isEnabled());
    Click(Ctl("chkProofOfDelivery"));
    EXPECT_TRUE(m_oPostage.m_bDeliveryProof);
    EXPECT_EQ(Text("lblRecordedDelivery"), "£0.72");
    EXPECT_EQ(Text("lblProofOfDelivery"), "£0.62");

    // A parcel can be insured above band 1 but has no recorded delivery.
    Click(Ctl("optParcelService"));
    EXPECT_EQ(m_oPostage.m_eClass, PostageClass::Parcel);
    EXPECT_FALSE(m_oPostage.m_bRecorded) << "a box ticked for a service that cannot have it";
    EXPECT_FALSE(Ctl("chkRecordedDelivery")->isEnabled());
    for (int lBand = 1; lBand <= 4; ++lBand)
        EXPECT_TRUE(Band(lBand)->isEnabled()) << lBand;

    QSignalSpy oChanged(m_ctlPostage.get(), &ctlPostage::Changed);
    Click(Band(3));
    EXPECT_EQ(oChanged.count(), 1) << "the band panel's change reaches the host once";
    EXPECT_EQ(m_oPostage.m_eInsurance, InsuranceBand::Band3);
    EXPECT_EQ(Text("lblParcelInsuranceCost"), "£2.50");

    // Back to first class: band 3 is no longer insurable and the band moves on.
    Click(Ctl("optFirstClass"));
    EXPECT_EQ(m_oPostage.m_eInsurance, InsuranceBand::Band1);
    EXPECT_TRUE(Band(1)->isChecked());
    EXPECT_FALSE(Band(3)->isEnabled());
}

TEST_F(PostageTest, EveryEditWritesTheModelAndRaisesChangedOnce) {
    QSignalSpy oChanged(m_ctlPostage.get(), &ctlPostage::Changed);
    EXPECT_FALSE(Ctl("txtProfit")->isEnabled()) << "greyed until Make Profit is ticked";
    Click(Ctl("chkProfit"));
    ASSERT_TRUE(Ctl("txtProfit")->isEnabled());
    TypeInto(Field("txtProfit"), "0.5");
    EXPECT_TRUE(m_oPostage.m_bMakeProfit);
    EXPECT_FLOAT_EQ(m_oPostage.m_fProfit, 0.5f);

    Click(Ctl("optManual"));
    TypeInto(Field("txtManual"), "3");
    EXPECT_EQ(m_oPostage.m_eClass, PostageClass::Manual);
    EXPECT_FLOAT_EQ(m_oPostage.m_fManualFee, 3.0f);
    EXPECT_EQ(Field("txtManual")->Text(), "£3.00");
    EXPECT_EQ(Text("lblTotal"), "Section Total £3.00") << "the mark-up is no postage cost";

    // The two boxes, "0.5" and "3" as typed ("0" and "0." are the 0 already there), and
    // the two fields left.
    EXPECT_EQ(oChanged.count(), 6);
    EXPECT_TRUE(m_oPostage.m_bDirty);

    EXPECT_FALSE(Ctl("fraSendInduvidually")->isEnabled()) << "one item";
    m_oOutlay.m_lQuantity = 2;
    Apply();
    Click(Ctl("chkSendInduvidually"));
    EXPECT_TRUE(m_oPostage.m_bSendInduvidually);
    m_oOutlay.m_lQuantity = 1;
    Apply();
    Click(Ctl("chkUsePostage"));
    EXPECT_FALSE(m_oPostage.m_bUse);
    EXPECT_FALSE(m_oPostage.m_bSendInduvidually) << "greyed and unticked by Apply";
}

TEST_F(PostageTest, ApplyShowsTheModelWithPriceTableCaptionsAndNeverWritesBack) {
    QSignalSpy oChanged(m_ctlPostage.get(), &ctlPostage::Changed);
    m_oPostage.m_eClass = PostageClass::FirstClass;
    m_oPostage.m_fWeight = 0.25f;
    m_oPostage.m_bRecorded = true;
    m_oPostage.m_bMakeProfit = true;
    m_oPostage.m_fProfit = 1.25f;
    Apply();
    EXPECT_EQ(oChanged.count(), 0);
    EXPECT_FALSE(m_oPostage.m_bDirty);
    EXPECT_TRUE(Button("optFirstClass")->isChecked());
    EXPECT_EQ(Field("txtWeight")->Text(), "0.250");
    EXPECT_EQ(Field("txtProfit")->Text(), "£1.25");

    EXPECT_EQ(StripAmpersand(Button("chkUsePostage")->text()), "Use Royal Mail Postage");
    EXPECT_EQ(StripAmpersand(Band(1)->text()), "up to £36")
        << "\"InsuranceBandName1\" replaces the design";
    auto Name = [](QWidget* o) {
        return QAccessible::queryAccessibleInterface(o)->text(QAccessible::Name);
    };
    EXPECT_EQ(Name(Insurance()->Control("chkShowBand1")), "Show up to £36");
    EXPECT_EQ(Name(Ctl("txtWeight")), "Weight (kg)");
    EXPECT_EQ(Name(Ctl("txtManual")), "Manual");
    EXPECT_EQ(
        QAccessible::queryAccessibleInterface(Ctl("txtManual"))->text(QAccessible::Description),
        "txtManual");
}

TEST_F(PostageTest, ConfigurationModeReadsInRowsAndHiddenRowsCloseUp) {
    m_ctlPostage->ShowConfig(true);
    Ctl("chkShowManual")->setFocus();
    QStringList asOrder{QApplication::focusWidget()->objectName()};
    for (int i = 0; i < 8; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        asOrder << QApplication::focusWidget()->objectName();
    }
    // One stop for a group of options; each Show box right after its row.
    EXPECT_EQ(asOrder, (QStringList{"chkShowManual", "chkShowParcelInsurance", "optBand1",
                                    "chkShowBand1", "chkShowBand2", "chkShowBand3", "chkShowBand4",
                                    "chkRecordedDelivery", "chkShowRecordedDelivery"}));
    EXPECT_EQ(ControlLeft(Insurance()) + ControlLeft(Insurance()->Control("chkShowBand2")),
              ControlLeft(Ctl("chkShowParcelInsurance")));
    Click(Ctl("chkShowParcelInsurance"));
    m_ctlPostage->ShowConfig(false);
    EXPECT_FALSE(Insurance()->isVisible());
    EXPECT_EQ(ControlTop(Ctl("chkRecordedDelivery")), 2320) << "up by the insurance rows";
}

TEST_F(PostageTest, Screenshot) {
    m_oOutlay.m_lQuantity = 2;
    m_oPostage.m_eClass = PostageClass::Parcel;
    m_oPostage.m_fWeight = 1.5f;
    m_oPostage.m_eInsurance = InsuranceBand::Band2;
    m_oPostage.m_bMakeProfit = true;
    m_oPostage.m_fProfit = 0.5f;
    Apply();
    ASSERT_TRUE(QDir().mkpath(GAVELRY_SCREENSHOT_DIR));
    for (bool bConfig : {false, true}) {
        m_ctlPostage->ShowConfig(bConfig);
        const QString sPath =
            QString(GAVELRY_SCREENSHOT_DIR "/postage%1.png").arg(bConfig ? "-config" : "");
        EXPECT_TRUE(m_ctlPostage->grab().save(sPath)) << sPath.toStdString();
        for (QAbstractButton* oButton : m_ctlPostage->findChildren<QAbstractButton*>()) {
            if (oButton->isVisible()) {
                EXPECT_LE(oButton->sizeHint().width(), oButton->width()) << "caption cut off";
            }
        }
    }
}

} // namespace
