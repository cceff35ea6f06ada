#include "ctlSellingFeatures.h"

#include "basControls.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "clsPriceRange.h"
#include "clsPrices.h"
#include "clsSellingFeatures.h"
#include "ctlNumericText.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <exception>
#include <string>

namespace {

struct clsFeatureRow {
    const char* m_sFeature; // the box is "chk" + this, its frame "fra" + this
    const char* m_sCaption;
    const char* m_sTag;
    const char* m_sShowBox;
    int32_t m_lBit;
    bool m_bFramed; // alone in a frame, so that greying makes it inert
};

// In row order.
const clsFeatureRow kFeatures[] = {
    {"HomePageFeatured", "&Home Page Featured", "HomePageFeatured", "chkShowHomePageFeatured",
     SellingFeature::HomePageFeatured, true},
    {"FeaturePlus", "&Feature Plus", "FeaturePlus", "chkShowFeaturePlus",
     SellingFeature::FeaturePlus, true},
    {"Highlight", "H&ighlight", "chkHighlight", "chkShowHighlight", SellingFeature::Highlight,
     false},
    {"ItemSubtitle", "Item &Subtitle", "ItemSubtitle", "chkShowItemSubtitle",
     SellingFeature::ItemSubtitle, true},
    {"Border", "&Border", "Border", "chkShowBorder", SellingFeature::Border, true},
    {"Bold", "B&old", "chkBold", "chkShowBold", SellingFeature::Bold, false},
    {"Gallery", "&Gallery", "chkGallery", "chkShowGallery", SellingFeature::Gallery, false},
    {"FeaturedGallery", "F&eatured Gallery", "FeaturedGallery", "chkShowFeaturedGallery",
     SellingFeature::FeaturedGallery, true},
    {"BuyItNow", "Buy It &Now", "BuyItNow", "chkShowBuyItNow", SellingFeature::BuyItNow, true},
    {"ScheduledListing", "Scheduled &Listing", "ScheduledListing", "chkShowScheduledListing",
     SellingFeature::ScheduledListing, true},
    {"ListIn2Categories", "List in &2 Categories", "ListIn2Categories", "chkShowListIn2Categories",
     SellingFeature::ListIn2Categories, true},
    {"SlideShow", "Sli&de Show", "chkSlideShow", "chkShowSlideShow", SellingFeature::SlideShow,
     false},
    {"SuperSizedPicures", "Super Sized &Pictures", "chkSuperSizedPicures",
     "chkShowSuperSizedPictures", SellingFeature::SuperSizedPictures, false},
    {"ListingDesigner", "Lis&ting Designer", "ListingDesigner", "chkShowListingDesigner",
     SellingFeature::ListingDesigner, true},
    {"FeaturedInSearch", "Fe&atured in Search", "FeaturedInSearch", "chkShowFeaturedInSearch",
     SellingFeature::FeaturedInSearch, true},
    {"10DayDuration", "&10 Day Duration", "10DayDuration", "chkShow10DayDuration",
     SellingFeature::TenDayDuration, true},
    {"ListingItem", "Listing Ite&m", "ListingItem", "chkShowListingItem",
     SellingFeature::ListingItem, true},
    {"GiftServices", "Gift Se&rvices", "GiftServices", "chkShowGiftServices",
     SellingFeature::GiftServices, true},
    {"CarAd", "&CARad", "CarAd", "chkShowCarAd", SellingFeature::CarAd, true},
    {"PreviewPicture", "Pre&view Picture", "PreviewPicture", "chkShowPreviewPicture",
     SellingFeature::PreviewPicture, true},
    {"PicturePack", "Pict&ure Pack", "chkPicturePack", "chkShowPicturePack",
     SellingFeature::PicturePack, false},
};

constexpr int32_t kBoxWidth = 2535;
constexpr float kNoPackMax = 100;

} // namespace

ctlSellingFeatures::ctlSellingFeatures(QWidget* oParent)
    : ctlSectionPanel(oParent, {"SellingFeatures", 2760, 975, true}) {
    m_achkFeatures.resize(std::size(kFeatures));
    for (size_t i = 0; i < std::size(kFeatures); ++i) {
        const clsFeatureRow& oRow = kFeatures[i];
        const std::string sBox = "chk" + std::string(oRow.m_sFeature);
        const std::string sFrame = "fra" + std::string(oRow.m_sFeature);
        const clsControlRow oBox{.m_eKind = RowKind::CheckBox,
                                 .m_sName = sBox.c_str(),
                                 .m_sCaption = oRow.m_sCaption,
                                 .m_lLeft = oRow.m_bFramed ? 0 : 120,
                                 .m_lWidth = kBoxWidth,
                                 .m_sContainer = oRow.m_bFramed ? sFrame.c_str() : nullptr,
                                 .m_oKeep = &m_achkFeatures[i]};
        if (oRow.m_bFramed)
            AddRows({{.m_eKind = RowKind::Frame,
                      .m_sName = sFrame.c_str(),
                      .m_lLeft = 120,
                      .m_lWidth = kBoxWidth},
                     oBox});
        else
            AddRows({oBox});
        // The box found level with this Show box may be the frame: name it by the caption.
        QCheckBox* chkShow = nullptr;
        AddRows({ShowRow(oRow.m_sShowBox, oRow.m_sTag, &chkShow)});
        chkShow->setAccessibleName(
            tr("Show %1").arg(StripAmpersand(QString::fromUtf8(oRow.m_sCaption))));
    }
    AddRows({
        {.m_eKind = RowKind::Label,
         .m_sName = "lblExtraPictures",
         .m_sCaption = "E&xtra Pictures",
         .m_lLeft = 120,
         .m_lWidth = 1215},
        {.m_eKind = RowKind::Numeric,
         .m_sName = "txtExtraPictures",
         .m_lLeft = 1440,
         .m_lTop = kSameRow,
         .m_lWidth = 1215,
         .m_lHeight = 285,
         .m_oKeep = &m_txtExtraPictures},
        ShowRow("chkShowExtraPictures", "ExtraPictures"),
        TotalRow(kBoxWidth, &m_lblTotal),
        ShowRow("chkShowTotal", "Total"),
    });
    SetPictureBounds(false);
}

QCheckBox* ctlSellingFeatures::Box(int32_t lBit) const {
    for (size_t i = 0; i < std::size(kFeatures); ++i)
        if (kFeatures[i].m_lBit == lBit) return m_achkFeatures[i];
    return nullptr;
}

void ctlSellingFeatures::ApplyFeatures(clsSellingFeatures& oFeatures, clsAuctionType& oAuctionType,
                                       clsOutlay& oOutlay) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oFeatures = &oFeatures;
    float fTotal = 0;
    try {
        // Also loads the prices for the kind of sale, which decide the enabling below.
        fTotal = oFeatures.DoCalc(&oAuctionType, &oOutlay);
    } catch (const std::exception&) {
        // Without prices every upgrade stays as it was and the total shows nothing.
    }

    for (size_t i = 0; i < std::size(kFeatures); ++i)
        m_achkFeatures[i]->setChecked(oFeatures.HasFeature(kFeatures[i].m_lBit));

    const bool bShop = oAuctionType.m_bShopInventory;
    const auto Offered = [](float fFee) { return fFee >= 0; };
    Enable(Box(SellingFeature::HomePageFeatured), Offered(oFeatures.m_fHomePageFeatures) && !bShop);
    Enable(Box(SellingFeature::FeaturePlus), Offered(oFeatures.m_fFeaturePlus) && !bShop);
    Enable(Box(SellingFeature::ItemSubtitle), Offered(oFeatures.m_fItemSubtitle) && !bShop);
    Enable(Box(SellingFeature::FeaturedGallery), Offered(oFeatures.m_fFeaturedGallery) && !bShop);
    Enable(Box(SellingFeature::BuyItNow),
           Offered(oFeatures.m_fBuyItNow) && !oAuctionType.m_bBuyItNowOnly && !bShop);
    Enable(Box(SellingFeature::ScheduledListing), Offered(oFeatures.m_fScheduledListing));
    Enable(Box(SellingFeature::ListIn2Categories), Offered(oFeatures.m_fListIn2Catagories));
    Enable(Box(SellingFeature::ListingDesigner), Offered(oFeatures.m_fListingDesigner));
    Enable(Box(SellingFeature::FeaturedInSearch), Offered(oFeatures.m_fFeaturedInSearch) && bShop);
    Enable(Box(SellingFeature::ListingItem), oAuctionType.IsVehicle(false));
    Enable(Box(SellingFeature::GiftServices), Offered(oFeatures.m_fGiftServices));
    Enable(Box(SellingFeature::CarAd), Offered(oFeatures.m_fCarAd) && oAuctionType.IsVehicle(true));
    Enable(Box(SellingFeature::PreviewPicture), Offered(oFeatures.m_fPreviewPicture));

    SetPictureBounds(oFeatures.HasFeature(SellingFeature::PicturePack));
    m_txtExtraPictures->Value(float(oFeatures.m_lPicturePackQty));
    SetSectionTotal(m_lblTotal, fTotal);

    // An upgrade greyed out just now is no longer chosen: written back at once, so that it
    // is not charged.
    for (size_t i = 0; i < std::size(kFeatures); ++i)
        if (oFeatures.HasFeature(kFeatures[i].m_lBit) && !m_achkFeatures[i]->isChecked()) {
            WriteBack();
            break;
        }
}

void ctlSellingFeatures::SetPictureBounds(bool bPicturePack) {
    float fMin = 0;
    float fMax = kNoPackMax;
    clsPriceRange oFirst;
    clsPriceRange oLast;
    try {
        if (bPicturePack && GetPrices().GetRange("PicturePack", 1, oFirst, ShopDuration::None) &&
            GetPrices().GetRange("PicturePack", oFirst.m_nCount, oLast, ShopDuration::None)) {
            fMin = oFirst.m_fStart;
            // An open last band sets no upper bound.
            fMax = oLast.m_fEnd < 0 ? -1 : oLast.m_fEnd;
        }
    } catch (const std::exception&) {
        // A malformed range: the field keeps the bounds of no pack.
    }
    m_txtExtraPictures->Min(fMin);
    m_txtExtraPictures->Max(fMax);
}

void ctlSellingFeatures::OnClick(QWidget* oCtrl) {
    if (QCheckBox* chkPicturePack = Box(SellingFeature::PicturePack); oCtrl == chkPicturePack) {
        SetPictureBounds(chkPicturePack->isChecked());
        // A count outside the new bounds moves to the nearer one.
        m_txtExtraPictures->Value(m_txtExtraPictures->Value());
    }
    WriteBack();
}

void ctlSellingFeatures::WriteBack() {
    if (!m_oFeatures) return;
    int32_t lQuantity = 0;
    if (!m_txtExtraPictures->WholeValue(lQuantity)) return;
    for (size_t i = 0; i < std::size(kFeatures); ++i)
        m_oFeatures->SetFeature(kFeatures[i].m_lBit, m_achkFeatures[i]->isChecked());
    m_oFeatures->m_lPicturePackQty = lQuantity;
    m_oFeatures->m_bDirty = true;
    try {
        SetSectionTotal(m_lblTotal, m_oFeatures->DoCalc(nullptr, nullptr));
    } catch (const std::exception&) {
        // Never applied with a kind of sale: the host's refresh shows the total.
    }
    emit Changed();
}
