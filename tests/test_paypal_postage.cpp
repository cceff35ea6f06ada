#include "TestSupport.h"

#include "basNumbers.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPayPal.h"
#include "clsPostage.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

constexpr const char* kPayPal = R"(PersonalRatePounds%,3.4
PersonalRatePoundsFixed,0.2
CurrencyFormat,0.00
BusinessRateBand1Name,Up to 1500
BusinessRateBand1Value,1500
BusinessRateBand2Name,Up to 6000
BusinessRateBand2Value,6000
BusinessRateBand3Value,lots
BusinessRatePounds%Ranges,2
BusinessRatePounds%RangeStart1,0
BusinessRatePounds%RangeEnd1,1500
BusinessRatePounds%RangeValue1,3.4
BusinessRatePounds%RangeStart2,1500.01
BusinessRatePounds%RangeEnd2,6000
BusinessRatePounds%RangeValue2,2.9
BusinessRatePoundsFixedRanges,1
BusinessRatePoundsFixedRangeStart1,0
BusinessRatePoundsFixedRangeEnd1,-1
BusinessRatePoundsFixedRangeValue1,0.3
)";

class PayPal : public ::testing::Test {
protected:
    void SetUp() override {
        m_oPayPal.m_bUsePayPal = true;
        m_oOutlay.m_lQuantity = 1;
    }
    ScopedPrices m_oPrices{kPayPal};
    clsPayPal m_oPayPal;
    clsOutlay m_oOutlay;
};

TEST_F(PayPal, PersonalRatePerPaymentOrPerItem) {
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 3.6f);
    m_oPayPal.m_bPayInduvidually = true;
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 3.6f); // one item: no change
    m_oOutlay.m_lQuantity = 3;
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 4.0f);
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalcAuto(), 4.0f);
}

TEST_F(PayPal, NothingWithoutPayPalOrPayment) {
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalcAuto(), 0.f); // nothing calculated yet
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(0, &m_oOutlay), 0.f);
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(-5, &m_oOutlay), 0.f);
    m_oPayPal.m_eBusinessRate = 0;
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 0.f);
    m_oPayPal.m_eBusinessRate = 1;
    m_oPayPal.m_bUsePayPal = false;
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 0.f);
}

TEST_F(PayPal, MerchantBands) {
    EXPECT_FALSE(m_oPayPal.CanHaveMerchantRate());
    m_oPayPal.m_eAccoutType = AccountType::Business;
    EXPECT_TRUE(m_oPayPal.CanHaveMerchantRate());
    m_oPayPal.m_eBusinessRate = 2;
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(100, &m_oOutlay), 3.2f);
    int32_t eBand = 0;
    EXPECT_EQ(m_oPayPal.GetBusinessRateBandAttribute(BandAttribute::Name, eBand), "Up to 6000");
    EXPECT_EQ(eBand, 2);
    eBand = 1;
    EXPECT_EQ(m_oPayPal.GetBusinessRateBandAttribute(BandAttribute::Value, eBand), "1500");
    eBand = 5;
    EXPECT_EQ(m_oPayPal.GetBusinessRateBandAttribute(BandAttribute::Name, eBand), "");

    m_oPayPal.m_eAccoutType = AccountType::Premier;
    m_oPayPal.m_eBusinessRate = 3; // a band value that is not a number
    EXPECT_THROW(m_oPayPal.DoCalc(100, &m_oOutlay), clsError);
    m_oPayPal.m_eBusinessRate = 4; // a band the price file lacks
    EXPECT_THROW(m_oPayPal.DoCalc(100, &m_oOutlay), clsError);
}

TEST_F(PayPal, RoundingKeepsExactHalvesDown) {
    EXPECT_FLOAT_EQ(clsPayPal::RoundCurrency("0.125"), 0.12f);
    EXPECT_FLOAT_EQ(clsPayPal::RoundCurrency("0.126"), 0.13f);
    EXPECT_FLOAT_EQ(clsPayPal::RoundCurrency("4.22144"), 4.22f);
    EXPECT_FLOAT_EQ(clsPayPal::RoundCurrency("-1.999"), -1.99f); // towards zero
    // 3.4 % of 12.50 + 0.20 = 0.625: a half, rounded down.
    EXPECT_FLOAT_EQ(m_oPayPal.DoCalc(12.5f, &m_oOutlay), 0.62f);
}

// The fee is rounded as the text of its general form would be, without writing the text: the
// same single, bit for bit (or the same overflow), on every amount of a sweep. Whole pennies
// and their neighbours up to 2,000, every single between 0.1245 and 0.1255 and between
// 1,234,560 and 1,234,580 (halves and seven-digit ties), and random bit patterns of every
// size, sign and exponent.
TEST_F(PayPal, RoundingTheFeeMatchesRoundingItsTextOnASweep) {
    size_t nChecked = 0;
    size_t nDifferent = 0;
    auto Round = [](auto fnRound) {
        try {
            return std::bit_cast<uint32_t>(fnRound());
        } catch (const clsError& e) {
            return uint32_t(e.Number()); // a fee too large to scale overflows
        }
    };
    auto Check = [&](float fFee) {
        const uint32_t uByText =
            Round([&] { return clsPayPal::RoundCurrency(FormatGeneral(fFee)); });
        const uint32_t uByNumber = Round([&] { return clsPayPal::RoundCurrency(fFee); });
        ++nChecked;
        if (uByText != uByNumber && ++nDifferent <= 5)
            ADD_FAILURE() << "fee " << std::bit_cast<uint32_t>(fFee) << " (" << FormatGeneral(fFee)
                          << "): text " << uByText << ", number " << uByNumber;
    };
    auto Neighbours = [&](float fFee) {
        float f = fFee;
        for (int i = 0; i < 2; ++i)
            f = std::nextafter(f, 0.0f);
        for (int i = 0; i < 5; ++i, f = std::nextafter(f, HUGE_VALF))
            Check(f);
    };
    for (int32_t n = 0; n <= 200000; ++n) {
        Neighbours(float(n / 100.0));
        Neighbours(-float(n / 100.0));
    }
    for (const auto& [fFrom, fTo] : {std::pair{0.1245f, 0.1255f}, {1234560.f, 1234580.f}})
        for (float f = fFrom; f <= fTo; f = std::nextafter(f, HUGE_VALF))
            Check(f);
    uint32_t nBits = 15;
    for (int i = 0; i < 1000000; ++i) {
        nBits = nBits * 1664525u + 1013904223u;
        const float f = std::bit_cast<float>(nBits);
        if (std::isfinite(f)) Check(f);
    }
    EXPECT_EQ(nDifferent, 0u) << "of " << nChecked;
}

constexpr const char* kPostage = R"(FirstClassRanges,2
FirstClassRangeStart1,0
FirstClassRangeEnd1,0.5
FirstClassRangeValue1,1.5
FirstClassRangeStart2,0.501
FirstClassRangeEnd2,1
FirstClassRangeValue2,4
FirstClassOverWeightStep,0.25
FirstClassOverWeightStepValue,0.85
SecondClassRanges,1
SecondClassRangeStart1,0
SecondClassRangeEnd1,1
SecondClassRangeValue1,1
ParcelRanges,1
ParcelRangeStart1,0
ParcelRangeEnd1,-1
ParcelRangeValue1,5
InsuranceBandValue1,0.1
InsuranceBandValue2,1.5
InsuranceBandValue3,2.5
InsuranceBandValue4,3.5
RecordedSignedFor,0.7
ProofOfDelivery,0.6
)";

class Postage : public ::testing::Test {
protected:
    void SetUp() override {
        m_oPostage.m_bUse = true;
        m_oOutlay.m_lQuantity = 1;
    }
    float Cost() { return m_oPostage.DoCalc(&m_oOutlay); }
    ScopedPrices m_oPrices{kPostage};
    clsPostage m_oPostage;
    clsOutlay m_oOutlay;
};

TEST_F(Postage, ServicePriceByWeightAndOverWeightSteps) {
    m_oPostage.m_fWeight = 0.5f; // on a band's end: that band
    EXPECT_FLOAT_EQ(Cost(), 1.6f);
    m_oPostage.m_fWeight = 1.25f; // exactly one step above
    EXPECT_FLOAT_EQ(Cost(), 0.1f + 4.85f);
    m_oPostage.m_fWeight = 1.26f; // a little more: two
    EXPECT_FLOAT_EQ(Cost(), 0.1f + 5.7f);
    m_oPostage.m_fWeight = 1.3f;
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnWeight(PostageClass::FirstClass), 5.7f);
    m_oPostage.m_fWeight = 1.5f;
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnWeight(PostageClass::FirstClass), 5.7f);
    EXPECT_TRUE(m_oPostage.CanHaveClass(PostageClass::FirstClass));
    EXPECT_FALSE(m_oPostage.CanHaveClass(PostageClass::SecondClass));
    EXPECT_TRUE(m_oPostage.CanHaveClass(PostageClass::Parcel));
    EXPECT_TRUE(m_oPostage.CanHaveClass(PostageClass::Manual));
    EXPECT_FALSE(m_oPostage.CanHaveClass(static_cast<PostageClass>(9)));
    m_oPostage.m_eClass = PostageClass::Manual;
    m_oPostage.m_fManualFee = 2.75f;
    EXPECT_FLOAT_EQ(Cost(), 2.85f);
}

TEST_F(Postage, OverWeightWithoutAStepIsUnavailable) {
    ScopedPrices oNoStep(
        std::string(kPostage).replace(std::string(kPostage).find("FirstClassOverWeightStep,0.25"),
                                      29, "FirstClassOverWeightStep,0"));
    m_oPostage.m_fWeight = 2;
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnWeight(PostageClass::FirstClass), 0.f);
    EXPECT_FALSE(m_oPostage.CanHaveClass(PostageClass::FirstClass));
}

TEST_F(Postage, ExtrasFollowTheService) {
    m_oPostage.m_eClass = PostageClass::SecondClass;
    m_oPostage.m_fWeight = 0.2f;
    m_oPostage.m_bRecorded = true;
    m_oPostage.m_bDeliveryProof = true;
    m_oPostage.m_bSendInduvidually = true;
    m_oOutlay.m_lQuantity = 3;
    EXPECT_FLOAT_EQ(Cost(), 3 * (1 + 0.1f + 0.7f + 0.6f));

    m_oPostage.m_bRecorded = false; // proof needs recorded delivery
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnProofOfDelivery(), 0.f);
    m_oPostage.m_eInsurance = InsuranceBand::Band3; // only parcels carry higher bands
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnInsurance(InsuranceBand::Band3), 0.f);
    m_oPostage.m_eClass = PostageClass::Parcel;
    m_oPostage.m_bRecorded = true;
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnRecordedDelivery(), 0.f);
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcOnInsurance(InsuranceBand::Band3), 2.5f);
    EXPECT_FALSE(m_oPostage.CanHaveInsurance(static_cast<InsuranceBand>(4)));
}

TEST_F(Postage, MarkUpAndUnusedPostage) {
    m_oPostage.m_bUse = false;
    m_oPostage.m_bMakeProfit = true;
    m_oPostage.m_fProfit = 1.5f;
    EXPECT_FLOAT_EQ(Cost(), 0.f);
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcProfit(), 1.5f); // charged even without postage
    m_oPostage.m_bSendInduvidually = true;
    m_oOutlay.m_lQuantity = 2;
    EXPECT_FLOAT_EQ(m_oPostage.DoCalcProfit(), 3.f);
}

TEST_F(Postage, NextServiceAndBand) {
    EXPECT_EQ(clsPostage::GetNextClass(PostageClass::Manual), PostageClass::SecondClass);
    EXPECT_EQ(clsPostage::GetNextClass(PostageClass::FirstClass), PostageClass::SecondClass);
    EXPECT_EQ(clsPostage::GetNextInsurance(InsuranceBand::Band4), InsuranceBand::Band1);
    EXPECT_EQ(clsPostage::GetNextInsurance(InsuranceBand::Band2), InsuranceBand::Band3);
}

TEST_F(Postage, ServicesAreUkOnly) {
    SetRegion(RegionUS);
    m_oPostage.m_fWeight = 0.2f;
    EXPECT_FALSE(m_oPostage.CanHaveClass(PostageClass::FirstClass));
    EXPECT_TRUE(m_oPostage.CanHaveClass(PostageClass::Manual));
}

TEST(Outlay, TotalWithAndWithoutTax) {
    ScopedPrices o("LocalTax,17.5\n");
    clsOutlay oOutlay;
    oOutlay.m_fOutlay = 10;
    oOutlay.m_lQuantity = 3;
    EXPECT_FLOAT_EQ(oOutlay.DoCalc(), 30.f);
    oOutlay.m_bAddTax = true;
    EXPECT_FLOAT_EQ(oOutlay.DoCalc(), 35.25f);
    oOutlay.m_lQuantity = 0;
    EXPECT_FLOAT_EQ(oOutlay.DoCalc(), 0.f);
    ScopedPrices oNoTax("Nothing,1\n");
    oOutlay.m_lQuantity = 3;
    EXPECT_FLOAT_EQ(oOutlay.DoCalc(), 30.f);
    oOutlay.m_fOutlay = 3e38f; // too large for an amount
    EXPECT_THROW(oOutlay.DoCalc(), clsError);
}

} // namespace

namespace {
TEST(PostageWithoutServices, MissingServiceRangesMeanNoPriceNotAnError) {
    ScopedPrices o("InsuranceBandValue1,0.5\n", RegionUS);
    clsPostage oPostage;
    oPostage.m_bUse = true;
    oPostage.m_fWeight = 0.5f;
    EXPECT_FLOAT_EQ(oPostage.DoCalc(nullptr), 0.5f);
    EXPECT_FALSE(oPostage.CanHaveClass(PostageClass::FirstClass));
    EXPECT_FALSE(oPostage.CanHaveClass(PostageClass::Parcel));
}
} // namespace
