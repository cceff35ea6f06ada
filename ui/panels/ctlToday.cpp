#include "ctlToday.h"

#include "basControls.h"
#include "basNumberText.h"
#include "clsOutlay.h"
#include "clsTodayFigures.h"
#include "clsTodayInputs.h"
#include "clsTodaySchedule.h"
#include "ctlNumericText.h"

#include <QAbstractItemView>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopedValueRollback>

namespace {

enum Performance : int32_t { AboveStandard = 0, TopRated = 1, BelowStandard = 2 };

// Today's fees by kind, in the order of clsTodayFigures: a caption and its amount a row.
struct clsFeeRow {
    const char* m_sName;
    const char* m_sAmountName;
    const char* m_sCaption;
    float clsTodayFigures::*m_pfAmount;
};
const clsFeeRow kFeeRows[] = {
    {"lblFeeInsertion", "lblFeeInsertionAmount", "Insertion Fee",
     &clsTodayFigures::m_fInsertionFee},
    {"lblFeeFinalValue", "lblFeeFinalValueAmount", "Final Value Fee",
     &clsTodayFigures::m_fFinalValueFee},
    {"lblFeePerOrder", "lblFeePerOrderAmount", "Per-order Fee", &clsTodayFigures::m_fPerOrderFee},
    {"lblFeeRegulatory", "lblFeeRegulatoryAmount", "Regulatory Fee",
     &clsTodayFigures::m_fRegulatoryFee},
    {"lblFeeInternational", "lblFeeInternationalAmount", "International Fee",
     &clsTodayFigures::m_fInternationalFee},
    {"lblFeeBelowStandard", "lblFeeBelowStandardAmount", "Below Standard",
     &clsTodayFigures::m_fBelowStandardFee},
    {"lblFeeTopRated", "lblFeeTopRatedAmount", "Top Rated Discount",
     &clsTodayFigures::m_fTopRatedDiscount},
    {"lblFeeAd", "lblFeeAdAmount", "Promoted Listing Fee", &clsTodayFigures::m_fAdFee},
    {"lblFeeVAT", "lblFeeVATAmount", "VAT on Fees", &clsTodayFigures::m_fVatOnFees},
};
constexpr int32_t kFeesTop = 3760;
constexpr int32_t kFeePitch = 280;

constexpr int32_t kCaptionLeft = 120;
constexpr int32_t kCaptionWidth = 1440;
constexpr int32_t kFieldLeft = 1620;
constexpr int32_t kFieldWidth = 2280;
constexpr int32_t kAmountLeft = 2520;
constexpr int32_t kAmountWidth = 1380;

} // namespace

ctlToday::ctlToday(QWidget* oParent) : ctlSectionPanel(oParent, {"Today", 4020, 855, true}) {
    // A row of its own at the left: a caption, an option or a box.
    const auto Line = [](RowKind eKind, const char* sName, const char* sCaption, int32_t lTop,
                         int32_t lWidth, int32_t lValue = 0, clsControlRef oKeep = {}) {
        return clsControlRow{.m_eKind = eKind,
                             .m_sName = sName,
                             .m_sCaption = sCaption,
                             .m_lLeft = kCaptionLeft,
                             .m_lTop = lTop,
                             .m_lWidth = lWidth,
                             .m_lValue = lValue,
                             .m_oKeep = oKeep};
    };
    const auto Caption = [&Line](const char* sName, const char* sCaption, int32_t lTop) {
        return Line(RowKind::Label, sName, sCaption, lTop, kCaptionWidth);
    };
    // The field a caption names, level with it.
    const auto Field = [](RowKind eKind, const char* sName, int32_t lWidth, clsControlRef oKeep) {
        return clsControlRow{.m_eKind = eKind,
                             .m_sName = sName,
                             .m_lLeft = kFieldLeft,
                             .m_lTop = kSameRow,
                             .m_lWidth = lWidth,
                             .m_lHeight = 285,
                             .m_oKeep = oKeep};
    };
    // A figure's amount, level with its caption.
    const auto Amount = [](const char* sName, QLabel** ppKeep = nullptr) {
        return clsControlRow{.m_eKind = RowKind::Label,
                             .m_sName = sName,
                             .m_lLeft = kAmountLeft,
                             .m_lTop = kSameRow,
                             .m_lWidth = kAmountWidth,
                             .m_oKeep = ppKeep};
    };
    constexpr int32_t kLineWidth = 3780;
    constexpr int32_t kFigureWidth = 2340;
    AddRows({
        Caption("lblAccount", "&Seller", 345),
        Field(RowKind::ComboBox, "cboAccount", kFieldWidth, &m_cboAccount),
        ShowRow("chkShowAccount", "Account"),
        Caption("lblCategory", "Ca&tegory", 665),
        Field(RowKind::ComboBox, "cboCategory", kFieldWidth, &m_cboCategory),
        ShowRow("chkShowCategory", "Category"),
        Caption("lblRegion", "Buyer &In", 985),
        Field(RowKind::ComboBox, "cboRegion", kFieldWidth, &m_cboRegion),
        ShowRow("chkShowRegion", "Region"),
        Caption("lblAdRate", "Ad &Rate %", 1305),
        Field(RowKind::Numeric, "txtAdRate", 1095, &m_txtAdRate),
        ShowRow("chkShowAdRate", "AdRate"),
        Caption("lblSalesTax", "Sales Ta&x %", 1625),
        Field(RowKind::Numeric, "txtSalesTax", 1095, &m_txtSalesTax),
        ShowRow("chkShowSalesTax", "SalesTax"),
        Caption("lblListings", "&Listed This Month", 1945),
        Field(RowKind::Numeric, "txtListings", 1095, &m_txtListings),
        ShowRow("chkShowListings", "Listings"),
        Line(RowKind::OptionButton, "optPerformanceStandard", "&Above Standard", 2280, kLineWidth,
             AboveStandard),
        Line(RowKind::OptionButton, "optPerformanceTopRated", "T&op Rated", 2560, kLineWidth,
             TopRated),
        Line(RowKind::OptionButton, "optPerformanceBelow", "&Below Standard", 2840, kLineWidth,
             BelowStandard),
        ShowRow("chkShowPerformance", "Performance"),
        Line(RowKind::CheckBox, "chkVatRegistered", "&VAT Registered (reclaims VAT)", 3120,
             kLineWidth, 0, &m_chkVatRegistered),
        ShowRow("chkShowVatRegistered", "chkVatRegistered"),
        Line(RowKind::CheckBox, "chkOneOrder", "All Bought in O&ne Order", 3400, kLineWidth, 0,
             &m_chkOneOrder),
        ShowRow("chkShowOneOrder", "chkOneOrder"),
    });
    int32_t lTop = kFeesTop;
    for (const clsFeeRow& oRow : kFeeRows) {
        AddRows({Line(RowKind::Label, oRow.m_sName, oRow.m_sCaption, lTop, kFigureWidth),
                 Amount(oRow.m_sAmountName)});
        lTop += kFeePitch;
    }
    AddRows({
        ShowRow("chkShowFees", "lblFee"),
        Line(RowKind::Label, "lblBuyerProtection", "Buyer Protection Fee", 6360, kFigureWidth),
        Amount("lblBuyerProtectionAmount", &m_lblBuyerProtectionAmount),
        Line(RowKind::Label, "lblBuyerPays", "Buyer Pays", 6640, kFigureWidth),
        Amount("lblBuyerPaysAmount", &m_lblBuyerPaysAmount),
        ShowRow("chkShowBuyer", "lblBuyer"),
        {.m_eKind = RowKind::Label,
         .m_sName = "lblNotes",
         .m_lLeft = kCaptionLeft,
         .m_lTop = 6960,
         .m_lWidth = kLineWidth,
         .m_lHeight = 1275,
         .m_oKeep = &m_lblNotes},
        ShowRow("chkShowNotes", "Notes"),
        TotalRow(kLineWidth, &m_lblTotal, 8300),
        ShowRow("chkShowTotal", "Total"),
    });
    m_cboAccount->setToolTip(tr("Who sells: a UK private or business seller, or the US Store "
                                "subscription"));
    m_cboRegion->setToolTip(tr("Where the buyer lives: outside the home country an "
                               "international fee is added"));

    // The category is found by typing any part of its name.
    m_cboCategory->setEditable(true);
    m_cboCategory->setInsertPolicy(QComboBox::NoInsert);
    m_cboCategory->setToolTip(tr("Type part of the category's name, or a word such as "
                                 "\"watch\", and choose from the list"));
    auto* oCompleter = new QCompleter(m_cboCategory->model(), m_cboCategory);
    oCompleter->setFilterMode(Qt::MatchContains);
    oCompleter->setCaseSensitivity(Qt::CaseInsensitive);
    oCompleter->setCompletionMode(QCompleter::PopupCompletion);
    m_cboCategory->setCompleter(oCompleter);
    connect(oCompleter, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString&) { OnCategoryTyped(); });
    connect(m_cboCategory->lineEdit(), &QLineEdit::editingFinished, this,
            [this] { OnCategoryTyped(); });

    m_txtAdRate->DecimalPlaces(1);
    m_txtAdRate->Min(0);
    m_txtAdRate->Max(100);
    m_txtAdRate->setToolTip(tr("Promoted listing (general strategy) ad rate, a percentage of the "
                               "sale total; 0 when the listing is not promoted"));
    m_txtSalesTax->DecimalPlaces(2);
    m_txtSalesTax->Min(0);
    m_txtSalesTax->Max(100);
    m_txtSalesTax->setToolTip(tr("Sales tax eBay collects from the buyer; it is part of the "
                                 "total the fees are worked on"));
    m_txtListings->DecimalPlaces(0);
    m_txtListings->Min(0);
    m_txtListings->setToolTip(tr("Listings already made this month: beyond the free allowance "
                                 "each listing pays an insertion fee"));

    // Amounts line up on the right and are read out under their caption.
    auto AlignAmount = [this](const char* sName, const char* sAmountName) {
        auto* oAmount = ControlAs<QLabel>(QLatin1String(sAmountName));
        oAmount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        oAmount->setAccessibleName(ControlAs<QLabel>(QLatin1String(sName))->text());
    };
    for (const clsFeeRow& oRow : kFeeRows)
        AlignAmount(oRow.m_sName, oRow.m_sAmountName);
    AlignAmount("lblBuyerProtection", "lblBuyerProtectionAmount");
    AlignAmount("lblBuyerPays", "lblBuyerPaysAmount");
    ControlAs<QLabel>("lblBuyerProtection")
        ->setToolTip(tr("Added by eBay to the price a buyer of a private seller pays; the "
                        "seller receives the item price"));
    m_lblNotes->setWordWrap(true);
    m_lblNotes->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

void ctlToday::FillChoices(const clsTodaySchedule& oSchedule) {
    const std::string sFrom = oSchedule.Site() + " " + oSchedule.DataDate();
    if (sFrom == m_sFilledFrom) return;
    m_sFilledFrom = sFrom;
    auto Fill = [](QComboBox* oBox, const auto& aoChoices) {
        oBox->clear();
        for (const auto& oChoice : aoChoices)
            oBox->addItem(QString::fromStdString(oChoice.m_sName),
                          QString::fromStdString(oChoice.m_sKey));
    };
    Fill(m_cboAccount, oSchedule.Accounts());
    Fill(m_cboRegion, oSchedule.BuyerRegions());
    Fill(m_cboCategory, oSchedule.Categories());
    // Long category names are read in full in the list.
    m_cboCategory->view()->setMinimumWidth(TwipsToPixels(4200));
}

void ctlToday::ApplyToday(clsTodayInputs& oInputs, const clsTodayFigures& oFigures,
                          clsOutlay& oOutlay, const clsTodaySchedule* oSchedule) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oInputs = &oInputs;
    m_oOutlay = &oOutlay;
    m_oSchedule = oSchedule;
    if (!oSchedule) return;
    FillChoices(*oSchedule);

    // An unknown or empty key shows the schedule's default, as the sums take it.
    // Keys compare without regard to letter case, as the schedule's names do.
    auto Select = [](QComboBox* oBox, const std::string& sKey, int iDefault) {
        const QString sWanted = QString::fromStdString(sKey);
        int iFound = iDefault;
        for (int i = 0; i < oBox->count(); ++i)
            if (oBox->itemData(i).toString().compare(sWanted, Qt::CaseInsensitive) == 0) {
                iFound = i;
                break;
            }
        oBox->setCurrentIndex(iFound);
    };
    Select(m_cboAccount, oInputs.m_sAccount, 0);
    Select(m_cboRegion, oInputs.m_sBuyerRegion, 0);
    if (!m_cboCategory->lineEdit()->hasFocus()) {
        Select(m_cboCategory, oInputs.m_sCategory.empty() ? "default" : oInputs.m_sCategory,
               std::max(m_cboCategory->findData(QStringLiteral("default")), 0));
        // A long name is read from its start.
        m_cboCategory->lineEdit()->setCursorPosition(0);
    }
    m_txtAdRate->Value(oInputs.m_fAdRate);
    m_txtSalesTax->Value(oInputs.m_fSalesTaxPercent);
    m_txtListings->Value(float(oInputs.m_lListingsThisMonth));
    const int32_t lPerformance = oInputs.m_bBelowStandard ? BelowStandard
                                 : oInputs.m_bTopRated    ? TopRated
                                                          : AboveStandard;
    SetOptions(lPerformance);
    m_chkVatRegistered->setChecked(oInputs.m_bVatRegistered);
    m_chkOneOrder->setChecked(oInputs.m_bOneOrder);

    const clsTodayApplies oApplies =
        oSchedule->Applies(m_cboAccount->currentData().toString().toStdString());
    // A field greys with its caption.
    auto Field = [this](QWidget* oField, const char* sCaption, bool bEnabled) {
        Enable(oField, bEnabled);
        Enable(Control(QLatin1String(sCaption)), bEnabled);
    };
    Field(m_cboCategory, "lblCategory", oApplies.m_bSellingFees);
    Field(m_cboRegion, "lblRegion", oApplies.m_bInternational);
    Field(m_txtAdRate, "lblAdRate", oApplies.m_bAdRate);
    Field(m_txtSalesTax, "lblSalesTax", oApplies.m_bSalesTax);
    Enable(Control("optPerformanceTopRated"), oApplies.m_bTopRated);
    Enable(Control("optPerformanceBelow"), oApplies.m_bBelowStandard);
    Enable(m_chkVatRegistered, oApplies.m_bVat);
    Enable(m_chkOneOrder, oOutlay.m_lQuantity > 1);
    // Greying unticks a box on screen; the auction keeps the choice for when it applies again.
    if (oApplies.m_bVat) m_chkVatRegistered->setChecked(oInputs.m_bVatRegistered);
    if (oOutlay.m_lQuantity > 1) m_chkOneOrder->setChecked(oInputs.m_bOneOrder);
    ShowFigures(oFigures, oApplies.m_bBuyerProtection);
}

void ctlToday::ShowFigures(const clsTodayFigures& oFigures, bool bBuyerProtection) {
    for (const clsFeeRow& oRow : kFeeRows) {
        const float fAmount = oFigures.*oRow.m_pfAmount;
        // A discount is taken off.
        const bool bOff = oRow.m_pfAmount == &clsTodayFigures::m_fTopRatedDiscount;
        ControlAs<QLabel>(QLatin1String(oRow.m_sAmountName))
            ->setText(MoneyText(bOff && fAmount != 0 ? -fAmount : fAmount));
    }
    auto* lblVat = ControlAs<QLabel>("lblFeeVAT");
    lblVat->setText(oFigures.m_bVatReclaimed ? tr("VAT on Fees (reclaimed)") : tr("VAT on Fees"));

    const QString sNone = tr("none");
    m_lblBuyerProtectionAmount->setText(bBuyerProtection ? MoneyText(oFigures.m_fBuyerProtectionFee)
                                                         : sNone);
    m_lblBuyerPaysAmount->setText(MoneyText(oFigures.m_fBuyersPrice));
    for (const char* sName : {"lblBuyerProtection", "lblBuyerProtectionAmount"})
        Control(QLatin1String(sName))->setEnabled(bBuyerProtection);

    // The figures of weaker sources are named, so the user knows what to check on eBay.
    QStringList asNotes;
    for (const clsTodayNote& oNote : oFigures.m_aoNotes)
        asNotes << QString::fromStdString(oNote.Text());
    QLabel* lblNotes = m_lblNotes;
    const QString sDate = QString::fromStdString(oFigures.m_sDataDate);
    if (asNotes.isEmpty()) {
        lblNotes->setText(tr("Every figure used is from eBay's own pages or agreeing "
                             "sources (data of %1).")
                              .arg(sDate));
    } else {
        lblNotes->setText(tr("To check on eBay (data of %1): %2.")
                              .arg(sDate, asNotes.join(QStringLiteral("; "))));
    }
    lblNotes->setToolTip(asNotes.join(QLatin1Char('\n')));
    lblNotes->setAccessibleDescription(lblNotes->toolTip());
    SetSectionTotal(m_lblTotal, oFigures.m_fTotalFees);
}

int ctlToday::CategoryIndexOf(const QString& sText) const {
    const QString sTyped = sText.trimmed();
    const int i = m_cboCategory->findText(sTyped, Qt::MatchFixedString);
    if (i >= 0) return i;
    if (!m_oSchedule || sTyped.isEmpty()) return -1;
    const auto aoFound = m_oSchedule->FindCategories(sTyped.toStdString());
    if (aoFound.empty()) return -1;
    return m_cboCategory->findData(QString::fromStdString(aoFound.front()->m_sKey));
}

void ctlToday::OnCategoryTyped() {
    if (m_bApplying || !m_oInputs) return;
    const int i = CategoryIndexOf(m_cboCategory->currentText());
    const QString sKey =
        m_cboCategory->itemData(i >= 0 ? i : m_cboCategory->currentIndex()).toString();
    {
        const QScopedValueRollback<bool> oApplying(m_bApplying, true);
        // Text that names no category goes back to the category chosen.
        m_cboCategory->setCurrentIndex(i >= 0 ? i : m_cboCategory->currentIndex());
        m_cboCategory->setEditText(m_cboCategory->itemText(m_cboCategory->currentIndex()));
    }
    // Leaving the box without a change changes nothing (no category is the default one).
    const QString sWas = m_oInputs->m_sCategory.empty()
                             ? QStringLiteral("default")
                             : QString::fromStdString(m_oInputs->m_sCategory);
    if (sKey.compare(sWas, Qt::CaseInsensitive) != 0) WriteBack();
}

void ctlToday::OnClick(QWidget* oCtrl) {
    // The category is written when its text is settled (OnCategoryTyped).
    if (oCtrl == m_cboCategory) {
        OnCategoryTyped();
        return;
    }
    WriteBack();
}

void ctlToday::WriteBack() {
    if (!m_oInputs || !m_oSchedule) return;
    clsTodayInputs& o = *m_oInputs;
    o.m_sAccount = m_cboAccount->currentData().toString().toStdString();
    o.m_sBuyerRegion = m_cboRegion->currentData().toString().toStdString();
    o.m_sCategory = m_cboCategory->currentData().toString().toStdString();
    // Greyed controls show no choice; the auction keeps the one made.
    if (m_txtAdRate->isEnabled()) o.m_fAdRate = m_txtAdRate->Value();
    if (m_txtSalesTax->isEnabled()) o.m_fSalesTaxPercent = m_txtSalesTax->Value();
    int32_t lListings = 0;
    if (m_txtListings->WholeValue(lListings)) o.m_lListingsThisMonth = lListings;
    int32_t lPerformance = 0;
    if (SelectedOption(lPerformance)) {
        o.m_bTopRated = lPerformance == TopRated;
        o.m_bBelowStandard = lPerformance == BelowStandard;
    }
    if (m_chkVatRegistered->isEnabled()) o.m_bVatRegistered = m_chkVatRegistered->isChecked();
    if (m_chkOneOrder->isEnabled()) o.m_bOneOrder = m_chkOneOrder->isChecked();
    o.m_bDirty = true;
    emit Changed();
}
