#pragma once

#include "basPriceNames.h"
#include "clsPriceRange.h"

#include <cstdint>
#include <string>
#include <string_view>

class clsAuctionType;
class clsOutlay;

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

private:
    float HomePageFee() const;
    float BuyItNowFee() const;
    // Index of the price name prefix in kPricePrefixes.
    size_t PrefixIndex() const;
    // The shop duration whose suffix the upgrade prices carry: None unless a shop listing.
    ShopDuration UpgradeDuration() const;

    int32_t m_lFeatures = 0;
    const clsAuctionType* m_oAuctionType = nullptr;
    const clsOutlay* m_oOutlay = nullptr;
};
