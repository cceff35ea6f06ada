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
    {"HomePageFeatured", "Home Page Featured", "HomePageFeatured", "chkShowHomePageFeatured",
     SellingFeature::HomePageFeatured, true},
    {"FeaturePlus", "Feature Plus", "FeaturePlus", "chkShowFeaturePlus",
     SellingFeature::FeaturePlus, true},
    {"Highlight", "Highlight", "chkHighlight", "chkShowHighlight", SellingFeature::Highlight,
     false},
    {"ItemSubtitle", "Item Subtitle", "ItemSubtitle", "chkShowItemSubtitle",
     SellingFeature::ItemSubtitle, true},
    {"Border", "Border", "Border", "chkShowBorder", SellingFeature::Border, true},
    {"Bold", "Bold", "chkBold", "chkShowBold", SellingFeature::Bold, false},
    {"Gallery", "Gallery", "chkGallery", "chkShowGallery", SellingFeature::Gallery, false},
    {"FeaturedGallery", "Featured Gallery", "FeaturedGallery", "chkShowFeaturedGallery",
     SellingFeature::FeaturedGallery, true},
    {"BuyItNow", "Buy It Now", "BuyItNow", "chkShowBuyItNow", SellingFeature::BuyItNow, true},
    {"ScheduledListing", "Scheduled Listing", "ScheduledListing", "chkShowScheduledListing",
     SellingFeature::ScheduledListing, true},
    {"ListIn2Categories", "List in 2 Categories", "ListIn2Categories", "chkShowListIn2Categories",
     SellingFeature::ListIn2Categories, true},
    {"SlideShow", "Slide Show", "chkSlideShow", "chkShowSlideShow", SellingFeature::SlideShow,
     false},
    {"SuperSizedPicures", "Super Sized Pictures", "chkSuperSizedPicures",
     "chkShowSuperSizedPictures", SellingFeature::SuperSizedPictures, false},
    {"ListingDesigner", "Listing Designer", "ListingDesigner", "chkShowListingDesigner",
     SellingFeature::ListingDesigner, true},
    {"FeaturedInSearch", "Featured in Search", "FeaturedInSearch", "chkShowFeaturedInSearch",
     SellingFeature::FeaturedInSearch, true},
    {"10DayDuration", "10 Day Duration", "10DayDuration", "chkShow10DayDuration",
     SellingFeature::TenDayDuration, true},
    {"ListingItem", "Listing Item", "ListingItem", "chkShowListingItem",
     SellingFeature::ListingItem, true},
    {"GiftServices", "Gift Services", "GiftServices", "chkShowGiftServices",
     SellingFeature::GiftServices, true},
    {"CarAd", "CARad", "CarAd", "chkShowCarAd", SellingFeature::CarAd, true},
    {"PreviewPicture", "Preview Picture", "PreviewPicture", "chkShowPreviewPicture",
     SellingFeature::PreviewPicture, true},
    {"PicturePack", "Picture Pack", "chkPicturePack", "chkShowPicturePack",
     SellingFeature::PicturePack, false},
};

constexpr int32_t kFirstTop = 360;
constexpr int32_t kRowStep = 280;
constexpr int32_t kBoxWidth = 2535;
constexpr float kNoPackMax = 100;

QString BoxName(const clsFeatureRow& oRow) {
    return QStringLiteral("chk") + QLatin1String(oRow.m_sFeature);
}

} // namespace

ctlSellingFeatures::ctlSellingFeatures(QWidget* oParent)
    : ctlSectionPanel(oParent, {"SellingFeatures", 2760, 975, true}) {
    int32_t lTop = kFirstTop;
    for (const clsFeatureRow& oRow : kFeatures) {
        const std::string sBox = BoxName(oRow).toStdString();
        const std::string sFrame = "fra" + std::string(oRow.m_sFeature);
        if (oRow.m_bFramed) {
            AddRows({
                {"Frame", sFrame.c_str(), "", "", 120, lTop, kBoxWidth},
                {"CheckBox", sBox.c_str(), oRow.m_sCaption, "", 0, 0, kBoxWidth, 255, 0,
                 sFrame.c_str()},
            });
        } else {
            AddRows({{"CheckBox", sBox.c_str(), oRow.m_sCaption, "", 120, lTop, kBoxWidth}});
        }
        AddRows({{"Show", oRow.m_sShowBox, "", oRow.m_sTag}});
        // The box found level with this Show box may be the frame: name it by the caption.
        Control(QLatin1String(oRow.m_sShowBox))
            ->setAccessibleName(tr("Show %1").arg(QLatin1String(oRow.m_sCaption)));
        lTop += kRowStep;
    }
    AddRows({
        {"Label", "lblExtraPictures", "Extra Pictures", "", 120, lTop, 1215},
        {"ctlNumericText", "txtExtraPictures", "", "", 1440, lTop, 1215, 285},
        {"Show", "chkShowExtraPictures", "", "ExtraPictures"},
        {"Label", "lblTotal", "Section Total ", "", 120, lTop + kRowStep, kBoxWidth},
        {"Show", "chkShowTotal", "", "Total"},
    });
    SetPictureBounds(false);
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

    for (const clsFeatureRow& oRow : kFeatures)
        CheckBox(BoxName(oRow))->setChecked(oFeatures.HasFeature(oRow.m_lBit));

    const bool bShop = oAuctionType.m_bShopInventory;
    const auto Offered = [](float fFee) { return fFee >= 0; };
    Enable("chkHomePageFeatured", Offered(oFeatures.m_fHomePageFeatures) && !bShop);
    Enable("chkFeaturePlus", Offered(oFeatures.m_fFeaturePlus) && !bShop);
    Enable("chkItemSubtitle", Offered(oFeatures.m_fItemSubtitle) && !bShop);
    Enable("chkFeaturedGallery", Offered(oFeatures.m_fFeaturedGallery) && !bShop);
    Enable("chkBuyItNow",
           Offered(oFeatures.m_fBuyItNow) && !oAuctionType.m_bBuyItNowOnly && !bShop);
    Enable("chkScheduledListing", Offered(oFeatures.m_fScheduledListing));
    Enable("chkListIn2Categories", Offered(oFeatures.m_fListIn2Catagories));
    Enable("chkListingDesigner", Offered(oFeatures.m_fListingDesigner));
    Enable("chkFeaturedInSearch", Offered(oFeatures.m_fFeaturedInSearch) && bShop);
    Enable("chkListingItem", oAuctionType.IsVehicle(false));
    Enable("chkGiftServices", Offered(oFeatures.m_fGiftServices));
    Enable("chkCarAd", Offered(oFeatures.m_fCarAd) && oAuctionType.IsVehicle(true));
    Enable("chkPreviewPicture", Offered(oFeatures.m_fPreviewPicture));

    SetPictureBounds(oFeatures.HasFeature(SellingFeature::PicturePack));
    Numeric("txtExtraPictures")->Value(float(oFeatures.m_lPicturePackQty));
    SetSectionTotal(ControlAs<QLabel>("lblTotal"), fTotal);

    // An upgrade greyed out just now is no longer chosen: written back at once, so that it
    // is not charged.
    for (const clsFeatureRow& oRow : kFeatures)
        if (oFeatures.HasFeature(oRow.m_lBit) && !CheckBox(BoxName(oRow))->isChecked()) {
            WriteBack();
            break;
        }
}

void ctlSellingFeatures::SetPictureBounds(bool bPicturePack) {
    ctlNumericText* txtExtraPictures = Numeric("txtExtraPictures");
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
    txtExtraPictures->Min(fMin);
    txtExtraPictures->Max(fMax);
}

void ctlSellingFeatures::OnClick(QWidget* oCtrl) {
    if (oCtrl->objectName() == QLatin1String("chkPicturePack")) {
        SetPictureBounds(CheckBox("chkPicturePack")->isChecked());
        // A count outside the new bounds moves to the nearer one.
        ctlNumericText* txtExtraPictures = Numeric("txtExtraPictures");
        txtExtraPictures->Value(txtExtraPictures->Value());
    }
    WriteBack();
}

void ctlSellingFeatures::WriteBack() {
    if (!m_oFeatures) return;
    int32_t lQuantity = 0;
    if (!Numeric("txtExtraPictures")->WholeValue(lQuantity)) return;
    for (const clsFeatureRow& oRow : kFeatures)
        m_oFeatures->SetFeature(oRow.m_lBit, CheckBox(BoxName(oRow))->isChecked());
    m_oFeatures->m_lPicturePackQty = lQuantity;
    m_oFeatures->m_bDirty = true;
    try {
        SetSectionTotal(ControlAs<QLabel>("lblTotal"), m_oFeatures->DoCalc(nullptr, nullptr));
    } catch (const std::exception&) {
        // Never applied with a kind of sale: the host's refresh shows the total.
    }
    emit Changed();
}
