#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The price names of the fee components, in one place below them all: the price cache looks
// every name up when a price table loads, and the components read the numbers from the cache.

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
// piece of its price names ("Bold" -> "FeatureBold30") and how it is charged.
struct clsUpgrade {
    int32_t lFeature;
    std::string_view sPiece;
    UpgradeCharge eCharge;

    // Priced from a range of bands rather than by one number.
    constexpr bool ByRange() const {
        return eCharge == UpgradeCharge::ByEndPrice || eCharge == UpgradeCharge::ByPictureCount;
    }
};

// Every listing upgrade, one row each, in the order their prices are listed; with a prefix
// and shop suffix the pieces name the prices a price file must hold. A new one is a bit, a
// row here and its price member in clsSellingFeatures (and a row in the selling features
// panel).
inline constexpr size_t kUpgradeCount = 23;
inline constexpr std::array<clsUpgrade, kUpgradeCount> kUpgrades = {{
    {SellingFeature::HomePageFeatured, "HomePage", UpgradeCharge::AfterMultiplier},
    {0, "HomePageMulti", UpgradeCharge::AfterMultiplier}, // US, several items
    {SellingFeature::FeaturePlus, "Plus", UpgradeCharge::Added},
    {SellingFeature::Highlight, "Highlight", UpgradeCharge::Added},
    {SellingFeature::ItemSubtitle, "ItemSubtitle", UpgradeCharge::Added},
    {SellingFeature::Bold, "Bold", UpgradeCharge::Added},
    {SellingFeature::Gallery, "Gallery", UpgradeCharge::Added},
    {SellingFeature::FeaturedGallery, "FeaturedGallery", UpgradeCharge::Added},
    {SellingFeature::ScheduledListing, "ScheduledListings", UpgradeCharge::AfterMultiplier},
    {SellingFeature::ListIn2Categories, "ListIn2Categories", UpgradeCharge::Multiplier},
    {SellingFeature::ListingDesigner, "ListingDesigner", UpgradeCharge::Added},
    {SellingFeature::SlideShow, "SlideShow", UpgradeCharge::Added},
    {SellingFeature::SuperSizedPictures, "SupersizePictures", UpgradeCharge::Added},
    {0, "ExtraImage", UpgradeCharge::PerPicture},
    {SellingFeature::FeaturedInSearch, "FeaturedInSearch", UpgradeCharge::Added},
    {SellingFeature::TenDayDuration, "10DayDuration", UpgradeCharge::Added},
    {SellingFeature::GiftServices, "GiftServices", UpgradeCharge::Added},
    {SellingFeature::PreviewPicture, "PreviewPicture", UpgradeCharge::Added},
    {SellingFeature::Border, "Border", UpgradeCharge::Added},
    {SellingFeature::ListingItem, "ListingItem", UpgradeCharge::Added},
    {SellingFeature::CarAd, "CarAd", UpgradeCharge::Added},
    {SellingFeature::BuyItNow, "BuyItNow", UpgradeCharge::ByEndPrice},
    {SellingFeature::PicturePack, "PicturePack", UpgradeCharge::ByPictureCount},
}};

// "Feature", "FeatureMotor", "FeatureMotorPoketBikes", "FeatureMotorParts",
// "FeatureRealEstate": the price name prefixes of the upgrades by kind of sale (US).
inline constexpr size_t kPrefixCount = 5;
inline constexpr std::array<std::string_view, kPrefixCount> kPricePrefixes = {
    "Feature", "FeatureMotor", "FeatureMotorPoketBikes", "FeatureMotorParts", "FeatureRealEstate"};

// US real estate sales; the values are stored in auction files.
enum class RealEstateType : int32_t { TimeshareLand = 0, AllOther = 1 };
enum class RealEstateSaleFormat : int32_t {
    Auction10Day = 0,
    Auction30Day = 1,
    Ad30Day = 2,
    Ad90Day = 3,
};

// "AuctionTypeRealEstate" + "Timeshare"/"Other" + "Auction10"/"Auction30"/"Ad30"/"Ad90"; a
// value outside the lists adds no piece.
inline std::string RealEstateListingKey(RealEstateType eType, RealEstateSaleFormat eFormat) {
    constexpr std::array<std::string_view, 2> asTypes = {"Timeshare", "Other"};
    constexpr std::array<std::string_view, 4> asFormats = {"Auction10", "Auction30", "Ad30",
                                                           "Ad90"};
    std::string sKey = "AuctionTypeRealEstate";
    const auto nType = static_cast<size_t>(eType);
    const auto nFormat = static_cast<size_t>(eFormat);
    if (nType < asTypes.size()) sKey += asTypes[nType];
    if (nFormat < asFormats.size()) sKey += asFormats[nFormat];
    return sKey;
}
