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

// The listing upgrades chosen and what they cost together. Prices are reloaded on every
// calculation, by the kind of sale and, for a shop listing, its duration.
class clsSellingFeatures {
public:
    clsSellingFeatures();

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
    void Serialize(std::string& sData, bool bSave);
    void Clear();

    // The scalar upgrade price pieces ("HomePage", "Plus" ... "CarAd") in loading order;
    // with a prefix and shop suffix they name the prices a price file must hold.
    static std::span<const std::string_view> PricePieces();

private:
    float HomePageFee() const;
    float BuyItNowFee() const;
    // Index of the price name prefix: "Feature", "FeatureMotor", "FeatureMotorPoketBikes",
    // "FeatureMotorParts" or "FeatureRealEstate".
    int PrefixIndex() const;
    // The shop duration whose suffix the upgrade prices carry: None unless a shop listing.
    ShopDuration UpgradeDuration() const;

    int32_t m_lFeatures = 0;
    const clsAuctionType* m_oAuctionType = nullptr;
    const clsOutlay* m_oOutlay = nullptr;
    std::string m_sDefaults;
};
