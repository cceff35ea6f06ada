#pragma once

#include "clsPriceRange.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

class clsAuctionType;
class clsOutlay;

// Listing upgrades as bits of the stored feature set.
struct SellingFeature {
    enum : int32_t {
        HomePageFeatured = 1,
        FeaturePlus = 2,
        Highlight = 4,
        ItemSubtitle = 8,
        Bold = 16,
        Gallery = 32,
        FeaturedGallery = 64,
        BuyItNow = 128,
        ScheduledListing = 256,
        ListIn2Categories = 512,
        SlideShow = 1024,
        SuperSizedPictures = 2048,
        PicturePack = 4096,
        ListingDesigner = 8192,
        FeaturedInSearch = 16384,
        TenDayDuration = 32768,
        GiftServices = 65536,
        PreviewPicture = 131072,
        Border = 262144,
        ListingItem = 524288,
        CarAd = 1048576,
    };
};

class clsSellingFeatures;

// How a listing upgrade is charged.
enum class UpgradeCharge {
    Added,           // its price, added in the order of the bits
    ByEndPrice,      // the band of its range (no shop suffix) at the expected end price
    ByPictureCount,  // the band of its range at the picture count
    PerPicture,      // its price for every picture, unless a picture pack covers them
    Multiplier,      // multiplies the total of the upgrades above
    AfterMultiplier, // added after the multiplier
};

// One listing upgrade: its bit in the stored set (0 for a price with no bit of its own), the
// piece of its price names ("Bold" -> "FeatureBold30"), the member its price is loaded into
// (none for one priced from a range) and how it is charged.
struct clsUpgrade {
    int32_t lFeature;
    std::string_view sPiece;
    float clsSellingFeatures::*pPrice;
    UpgradeCharge eCharge;
};

// The listing upgrades chosen and what they cost together. Prices are reloaded on every
// calculation, by the kind of sale and, for a shop listing, its duration.
class clsSellingFeatures {
public:
    float m_fHomePageFeatures = 0;
    float m_fHomePageFeaturesMulti = 0;
    float m_fFeaturePlus = 0;
    float m_fHighlight = 0;
    float m_fItemSubtitle = 0;
    float m_fBold = 0;
    float m_fGallery = 0;
    float m_fFeaturedGallery = 0;
    float m_fBuyItNow = 0; // never loaded: the Buy It Now fee comes from its range
    float m_fScheduledListing = 0;
    float m_fListIn2Catagories = 0; // multiplier, for example 2
    float m_fListingDesigner = 0;
    float m_fSlideShow = 0;
    float m_fSuperSizePictures = 0;
    float m_fExtraImage = 0;
    int32_t m_lPicturePackQty = 0;
    float m_fFeaturedInSearch = 0;
    float m_f10DayDuration = 0;
    float m_fGiftServices = 0;
    float m_fPreviewPicture = 0;
    float m_fBorder = 0;
    float m_fListingItem = 0;
    float m_fCarAd = 0;
    bool m_bDirty = false;

    void AddFeature(int32_t lFeatureID) { m_lFeatures |= lFeatureID; }
    void RemoveFeature(int32_t lFeatureID);
    void SetFeature(int32_t lFeatureID, bool bAdd);
    // True when every bit of lFeatureID is chosen: HasFeature(Bold | Gallery).
    bool HasFeature(int32_t lFeatureID) const { return (m_lFeatures & lFeatureID) == lFeatureID; }
    int32_t Features() const { return m_lFeatures; }

    // Total of the chosen upgrades. A null argument keeps the object of an earlier call;
    // with no auction type ever given the price names cannot be formed: an object error.
    float DoCalc(const clsAuctionType* oAuctionType, const clsOutlay* oOutlay);
    // The upgrade prices for the kind of sale (first step of DoCalc; panels read them).
    void LoadFeaturePrices();
    // The [FEATURES] section of the auction text.
    void Save(std::string& sData) const;
    void Load(std::string_view sData);
    void Clear();

    // Every listing upgrade, one row each, in the order their prices are listed; with a
    // prefix and shop suffix the pieces name the prices a price file must hold.
    static constexpr size_t kUpgradeCount = 23;
    static std::span<const clsUpgrade> Upgrades();
    // "Feature", "FeatureMotor", "FeatureMotorPoketBikes", "FeatureMotorParts",
    // "FeatureRealEstate": the price name prefixes by kind of sale (US).
    static constexpr size_t kPrefixCount = 5;
    static std::span<const std::string_view> PricePrefixes();

private:
    float HomePageFee() const;
    float BuyItNowFee() const;
    // Index of the price name prefix in PricePrefixes().
    size_t PrefixIndex() const;
    // The shop duration whose suffix the upgrade prices carry: None unless a shop listing.
    ShopDuration UpgradeDuration() const;

    int32_t m_lFeatures = 0;
    const clsAuctionType* m_oAuctionType = nullptr;
    const clsOutlay* m_oOutlay = nullptr;
};
