#include "clsSellingFeatures.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsAuctionType.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPriceCache.h"
#include "clsPrices.h"

#include <array>

namespace {

constexpr std::string_view kMarker = "[FEATURES]";

using S = clsSellingFeatures;

// The member each listing upgrade's price is loaded into, row by row as kUpgrades (none for
// one priced from a range); the pieces are checked against the table's when compiling.
struct clsPriceMember {
    std::string_view sPiece;
    float S::*pPrice;
};
constexpr std::array<clsPriceMember, kUpgradeCount> kPriceMembers = {{
    {"HomePage", &S::m_fHomePageFeatures},
    {"HomePageMulti", &S::m_fHomePageFeaturesMulti},
    {"Plus", &S::m_fFeaturePlus},
    {"Highlight", &S::m_fHighlight},
    {"ItemSubtitle", &S::m_fItemSubtitle},
    {"Bold", &S::m_fBold},
    {"Gallery", &S::m_fGallery},
    {"FeaturedGallery", &S::m_fFeaturedGallery},
    {"ScheduledListings", &S::m_fScheduledListing},
    {"ListIn2Categories", &S::m_fListIn2Catagories},
    {"ListingDesigner", &S::m_fListingDesigner},
    {"SlideShow", &S::m_fSlideShow},
    {"SupersizePictures", &S::m_fSuperSizePictures},
    {"ExtraImage", &S::m_fExtraImage},
    {"FeaturedInSearch", &S::m_fFeaturedInSearch},
    {"10DayDuration", &S::m_f10DayDuration},
    {"GiftServices", &S::m_fGiftServices},
    {"PreviewPicture", &S::m_fPreviewPicture},
    {"Border", &S::m_fBorder},
    {"ListingItem", &S::m_fListingItem},
    {"CarAd", &S::m_fCarAd},
    {"BuyItNow", nullptr},
    {"PicturePack", nullptr},
}};
static_assert(
    [] {
        for (size_t i = 0; i < kUpgrades.size(); ++i)
            if (kPriceMembers[i].sPiece != kUpgrades[i].sPiece ||
                (kPriceMembers[i].pPrice == nullptr) != kUpgrades[i].ByRange())
                return false;
        return true;
    }(),
    "kPriceMembers must follow kUpgrades row by row, a member for every upgrade priced by one "
    "number");

using C = UpgradeCharge;

// The upgrades added one by one, in the order of their bits: the order their prices are
// added up in. Bit and member side by side, so the sum reads one row per upgrade.
struct clsAddedUpgrade {
    int32_t lFeature = 0;
    float S::*pPrice = nullptr; // none: Buy It Now, from its range
};
constexpr auto kAddedInOrder = [] {
    std::array<clsAddedUpgrade, kUpgrades.size()> aoRows{};
    size_t nRows = 0;
    for (int nBit = 0; nBit < 31; ++nBit)
        for (size_t i = 0; i < kUpgrades.size(); ++i)
            if (kUpgrades[i].lFeature == (1 << nBit) &&
                (kUpgrades[i].eCharge == C::Added || kUpgrades[i].eCharge == C::ByEndPrice))
                aoRows[nRows++] = {kUpgrades[i].lFeature, kPriceMembers[i].pPrice};
    return std::pair{aoRows, nRows};
}();

constexpr size_t RowOf(int32_t lFeature) {
    size_t i = 0;
    while (i < kUpgrades.size() && kUpgrades[i].lFeature != lFeature)
        ++i;
    return i;
}
constexpr size_t kBuyItNowRow = RowOf(SellingFeature::BuyItNow);
constexpr size_t kPicturePackRow = RowOf(SellingFeature::PicturePack);
static_assert(kPicturePackRow < kUpgrades.size() && kBuyItNowRow < kUpgrades.size());

} // namespace

void clsSellingFeatures::RemoveFeature(int32_t lFeatureID) {
    if (HasFeature(lFeatureID)) m_lFeatures ^= lFeatureID;
}

void clsSellingFeatures::SetFeature(int32_t lFeatureID, bool bAdd) {
    if (bAdd)
        AddFeature(lFeatureID);
    else
        RemoveFeature(lFeatureID);
}

size_t clsSellingFeatures::PrefixIndex() const {
    if (!m_oAuctionType) clsError::Raise(ErrNumber::ObjectNotSet, "clsSellingFeatures");
    if (GetRegion() != RegionUS) return 0;
    switch (m_oAuctionType->m_eAuctionType) {
    case AuctionType::Motor:
        if (m_oAuctionType->m_eMotorType == MotorType::PocketBikes) return 2;
        if (m_oAuctionType->m_eMotorType == MotorType::Parts) return 3;
        return 1;
    case AuctionType::RealEstate:
        return 4;
    default:
        return 0;
    }
}

ShopDuration clsSellingFeatures::UpgradeDuration() const {
    // Only a shop listing has upgrade prices by duration; any other sale pays the plain
    // price, whatever shop duration the auction still carries.
    return m_oAuctionType->m_bShopInventory ? m_oAuctionType->m_eShopDuration : ShopDuration::None;
}

void clsSellingFeatures::LoadFeaturePrices() {
    const size_t nPrefix = PrefixIndex(); // first: without an auction type it raises
    const clsPriceCache::Upgrades& aoPrices =
        GetPrices().Cache().UpgradesFor(nPrefix, UpgradeDuration());
    for (size_t i = 0; i < kPriceMembers.size(); ++i)
        if (kPriceMembers[i].pPrice) aoPrices[i].oValue.Get(this->*kPriceMembers[i].pPrice);
}

float clsSellingFeatures::HomePageFee() const {
    if (GetRegion() == RegionUS && m_oOutlay && m_oOutlay->m_lQuantity > 1)
        return m_fHomePageFeaturesMulti;
    return m_fHomePageFeatures;
}

float clsSellingFeatures::BuyItNowFee() const {
    if (!m_oOutlay) return 0;
    clsPriceRange oRange;
    return GetPrices()
                   .Cache()
                   .UpgradesFor(PrefixIndex(), ShopDuration::None)[kBuyItNowRow]
                   .oRange.HitTest(m_oOutlay->m_fEstimatedEndPrice, oRange)
               ? oRange.m_fValue
               : 0.0f;
}

float clsSellingFeatures::DoCalc(const clsAuctionType* oAuctionType, const clsOutlay* oOutlay) {
    if (oAuctionType) m_oAuctionType = oAuctionType;
    if (oOutlay) m_oOutlay = oOutlay;
    LoadFeaturePrices();

    float fTotal = 0;
    const auto& [aoRows, nRows] = kAddedInOrder;
    for (size_t i = 0; i < nRows; ++i) {
        const clsAddedUpgrade& oUpgrade = aoRows[i];
        if (HasFeature(oUpgrade.lFeature))
            fTotal = ToSingle(double(fTotal) +
                              (oUpgrade.pPrice ? this->*oUpgrade.pPrice : BuyItNowFee()));
    }
    if (HasFeature(SellingFeature::PicturePack)) {
        // The pack's price covers its pictures: they are not charged one by one as well.
        clsPriceRange oRange;
        if (GetPrices()
                .Cache()
                .UpgradesFor(PrefixIndex(), UpgradeDuration())[kPicturePackRow]
                .oRange.HitTest(float(m_lPicturePackQty), oRange))
            fTotal = ToSingle(double(fTotal) + oRange.m_fValue);
    } else {
        fTotal = ToSingle(fTotal + double(m_fExtraImage) * m_lPicturePackQty);
    }
    if (HasFeature(SellingFeature::ListIn2Categories))
        fTotal = ToSingle(double(fTotal) * m_fListIn2Catagories);
    if (HasFeature(SellingFeature::HomePageFeatured))
        fTotal = ToSingle(double(fTotal) + HomePageFee());
    if (HasFeature(SellingFeature::ScheduledListing))
        fTotal = ToSingle(double(fTotal) + m_fScheduledListing);
    return fTotal;
}

void clsSellingFeatures::Save(std::string& sData) const {
    clsAuctionSection::Writer(sData, kMarker).Whole(m_lFeatures).Whole(m_lPicturePackQty).End();
}

void clsSellingFeatures::Load(std::string_view sData) {
    // An auction text without this section keeps the upgrades as they are.
    const clsAuctionSection oSection(sData, kMarker, false);
    oSection.ReadLong(0, m_lFeatures);
    oSection.ReadLong(1, m_lPicturePackQty);
}

void clsSellingFeatures::Clear() {
    Load(clsAuctionSection::Defaults<clsSellingFeatures>());
}
