#include "clsSellingFeatures.h"

#include "basCommon.h"
#include "basNumbers.h"
#include "clsAuctionSection.h"
#include "clsAuctionType.h"
#include "clsError.h"
#include "clsOutlay.h"
#include "clsPrices.h"

#include <array>

namespace {

constexpr std::string_view kMarker = "[FEATURES]";

constexpr std::array<std::string_view, 5> kPrefixes = {
    "Feature", "FeatureMotor", "FeatureMotorPoketBikes", "FeatureMotorParts", "FeatureRealEstate"};

// Scalar upgrade pieces, in the order their prices are loaded.
constexpr std::array<std::string_view, 21> kPieces = {"HomePage",
                                                      "HomePageMulti",
                                                      "Plus",
                                                      "Highlight",
                                                      "ItemSubtitle",
                                                      "Bold",
                                                      "Gallery",
                                                      "FeaturedGallery",
                                                      "ScheduledListings",
                                                      "ListIn2Categories",
                                                      "ListingDesigner",
                                                      "SlideShow",
                                                      "SupersizePictures",
                                                      "ExtraImage",
                                                      "FeaturedInSearch",
                                                      "10DayDuration",
                                                      "GiftServices",
                                                      "PreviewPicture",
                                                      "Border",
                                                      "ListingItem",
                                                      "CarAd"};
constexpr size_t kBuyItNow = kPieces.size();
constexpr size_t kPicturePack = kPieces.size() + 1;

// Every price name a prefix can form, built once: the prices are reloaded on every
// calculation, so the names must not be built anew each time.
const std::string& FeatureName(int nPrefix, size_t nPiece) {
    static const auto aasNames = [] {
        std::array<std::array<std::string, kPieces.size() + 2>, kPrefixes.size()> aas;
        for (size_t p = 0; p < kPrefixes.size(); ++p) {
            for (size_t i = 0; i < kPieces.size(); ++i)
                aas[p][i] = std::string(kPrefixes[p]) + std::string(kPieces[i]);
            aas[p][kBuyItNow] = std::string(kPrefixes[p]) + "BuyItNow";
            aas[p][kPicturePack] = std::string(kPrefixes[p]) + "PicturePack";
        }
        return aas;
    }();
    return aasNames[size_t(nPrefix)][nPiece];
}

} // namespace

clsSellingFeatures::clsSellingFeatures() {
    Serialize(m_sDefaults, true);
}

std::span<const std::string_view> clsSellingFeatures::PricePieces() {
    return kPieces;
}

void clsSellingFeatures::RemoveFeature(int32_t lFeatureID) {
    if (HasFeature(lFeatureID)) m_lFeatures ^= lFeatureID;
}

void clsSellingFeatures::SetFeature(int32_t lFeatureID, bool bAdd) {
    if (bAdd)
        AddFeature(lFeatureID);
    else
        RemoveFeature(lFeatureID);
}

int clsSellingFeatures::PrefixIndex() const {
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
    const int nPrefix = PrefixIndex();
    const ShopDuration eShop = UpgradeDuration();
    float* const apMembers[kPieces.size()] = {&m_fHomePageFeatures,
                                              &m_fHomePageFeaturesMulti,
                                              &m_fFeaturePlus,
                                              &m_fHighlight,
                                              &m_fItemSubtitle,
                                              &m_fBold,
                                              &m_fGallery,
                                              &m_fFeaturedGallery,
                                              &m_fScheduledListing,
                                              &m_fListIn2Catagories,
                                              &m_fListingDesigner,
                                              &m_fSlideShow,
                                              &m_fSuperSizePictures,
                                              &m_fExtraImage,
                                              &m_fFeaturedInSearch,
                                              &m_f10DayDuration,
                                              &m_fGiftServices,
                                              &m_fPreviewPicture,
                                              &m_fBorder,
                                              &m_fListingItem,
                                              &m_fCarAd};
    const clsPrices& oPrices = GetPrices();
    for (size_t i = 0; i < kPieces.size(); ++i)
        oPrices.GetPrice(FeatureName(nPrefix, i), *apMembers[i], eShop);
}

float clsSellingFeatures::HomePageFee() const {
    if (GetRegion() == RegionUS && m_oOutlay && m_oOutlay->m_lQuantity > 1)
        return m_fHomePageFeaturesMulti;
    return m_fHomePageFeatures;
}

float clsSellingFeatures::BuyItNowFee() const {
    if (!m_oOutlay) return 0;
    clsPriceRange oRange;
    return GetPrices().HitTestRanges(FeatureName(PrefixIndex(), kBuyItNow),
                                     m_oOutlay->m_fEstimatedEndPrice, oRange, ShopDuration::None)
               ? oRange.m_fValue
               : 0.0f;
}

float clsSellingFeatures::DoCalc(const clsAuctionType* oAuctionType, const clsOutlay* oOutlay) {
    if (oAuctionType) m_oAuctionType = oAuctionType;
    if (oOutlay) m_oOutlay = oOutlay;
    LoadFeaturePrices();

    struct Charge {
        int32_t lFeature;
        const float* pPrice;
    };
    const Charge aCharges[] = {
        {SellingFeature::FeaturePlus, &m_fFeaturePlus},
        {SellingFeature::Highlight, &m_fHighlight},
        {SellingFeature::ItemSubtitle, &m_fItemSubtitle},
        {SellingFeature::Bold, &m_fBold},
        {SellingFeature::Gallery, &m_fGallery},
        {SellingFeature::FeaturedGallery, &m_fFeaturedGallery},
        {SellingFeature::BuyItNow, nullptr},
        {SellingFeature::SlideShow, &m_fSlideShow},
        {SellingFeature::SuperSizedPictures, &m_fSuperSizePictures},
        {SellingFeature::ListingDesigner, &m_fListingDesigner},
        {SellingFeature::FeaturedInSearch, &m_fFeaturedInSearch},
        {SellingFeature::TenDayDuration, &m_f10DayDuration},
        {SellingFeature::GiftServices, &m_fGiftServices},
        {SellingFeature::PreviewPicture, &m_fPreviewPicture},
        {SellingFeature::Border, &m_fBorder},
        {SellingFeature::ListingItem, &m_fListingItem},
        {SellingFeature::CarAd, &m_fCarAd},
    };
    float fTotal = 0;
    for (const Charge& oCharge : aCharges) {
        if (HasFeature(oCharge.lFeature))
            fTotal = ToSingle(double(fTotal) + (oCharge.pPrice ? *oCharge.pPrice : BuyItNowFee()));
    }
    if (HasFeature(SellingFeature::PicturePack)) {
        // The pack's price covers its pictures: they are not charged one by one as well.
        clsPriceRange oRange;
        if (GetPrices().HitTestRanges(FeatureName(PrefixIndex(), kPicturePack),
                                      float(m_lPicturePackQty), oRange, UpgradeDuration()))
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

void clsSellingFeatures::Serialize(std::string& sData, bool bSave) {
    using S = clsAuctionSection;
    if (bSave) {
        S::Append(sData, kMarker, {S::WholeText(m_lFeatures), S::WholeText(m_lPicturePackQty)});
        return;
    }
    // An auction text without this section keeps the upgrades as they are.
    const S oSection(sData, kMarker, false);
    oSection.ReadLong(0, m_lFeatures);
    oSection.ReadLong(1, m_lPicturePackQty);
}

void clsSellingFeatures::Clear() {
    Serialize(m_sDefaults, false);
}
