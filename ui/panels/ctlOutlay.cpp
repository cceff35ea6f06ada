#include "ctlOutlay.h"

#include "basNumberText.h"
#include "clsAuctionType.h"
#include "clsOutlay.h"
#include "clsPrices.h"
#include "ctlNumericText.h"

#include <QCheckBox>
#include <QLabel>
#include <QScopedValueRollback>

#include <algorithm>
#include <initializer_list>

ctlOutlay::ctlOutlay(QWidget* oParent) : ctlSectionPanel(oParent, {"Outlay", 4680, 855, true}) {
    // Three columns: the caption, the field and what stands beside it (a box or a hint).
    constexpr int32_t lFieldLeft = 1800, lBesideLeft = 3480;
    const auto Caption = [](const char* sName, const char* sCaption, QLabel** pp = nullptr) {
        return clsControlRow{.m_eKind = RowKind::Label,
                             .m_sName = sName,
                             .m_sCaption = sCaption,
                             .m_lWidth = lFieldLeft - 105,
                             .m_oKeep = pp};
    };
    const auto Field = [](const char* sName, ctlNumericText** pp) {
        return clsControlRow{.m_eKind = RowKind::Numeric,
                             .m_sName = sName,
                             .m_lLeft = lFieldLeft,
                             .m_lTop = kSameRow,
                             .m_lWidth = lBesideLeft - 105 - lFieldLeft,
                             .m_lHeight = 285,
                             .m_oKeep = pp};
    };
    const auto Hint = [](const char* sName, QLabel** pp) {
        return clsControlRow{.m_eKind = RowKind::Label,
                             .m_sName = sName,
                             .m_lLeft = lBesideLeft,
                             .m_lTop = kSameRow,
                             .m_lWidth = 1190,
                             .m_oKeep = pp};
    };
    AddRows({
        Caption("lblOutlay", "&Outlay"),
        Field("txtOutlay", &m_txtOutlay),
        {.m_eKind = RowKind::CheckBox,
         .m_sName = "chkOutlayInclTax",
         .m_sCaption = "&Add Tax",
         .m_lLeft = lBesideLeft,
         .m_lTop = kSameRow,
         .m_lWidth = 1095,
         .m_oKeep = &m_chkOutlayInclTax},
        ShowRow("chkShowOutlay", "Outlay"),
        Caption("lblStartingPrice", "&Starting Price", &m_lblStartingPrice),
        Field("txtStartingPrice", &m_txtStartingPrice),
        Hint("lblStartingPriceHint", &m_alblHints[0]),
        ShowRow("chkShowStartingPrice", "Start"),
        Caption("lblReservePrice", "&Reserve Price", &m_lblReservePrice),
        Field("txtReservePrice", &m_txtReservePrice),
        Hint("lblReservePriceHint", &m_alblHints[1]),
        ShowRow("chkShowReservePrice", "Reserve"),
        Caption("lblEstimatedEndPrice", "&Estimated End Price", &m_lblEstimatedEndPrice),
        Field("txtEstimatedEndPrice", &m_txtEstimatedEndPrice),
        Hint("lblEstimatedEndPriceHint", &m_alblHints[2]),
        ShowRow("chkShowEstimatedEndPrice", "Estimate"),
        Caption("lblQuantity", "&Quantity"),
        Field("txtQuantity", &m_txtQuantity),
        ShowRow("chkShowQuantity", "Quantity"),
    });
    for (ctlNumericText* oField :
         {m_txtOutlay, m_txtStartingPrice, m_txtReservePrice, m_txtEstimatedEndPrice}) {
        oField->ShowMoney(true);
        oField->DecimalPlaces(2);
    }
    // A reserve is either none or at least the least eBay allows.
    m_txtReservePrice->Min(50);
    m_txtReservePrice->MinAllowZero(true);
    m_txtReservePrice->MinReason(tr("eBay's lowest reserve is %1"));
    m_txtQuantity->Text("0");
    for (QLabel* oHint : m_alblHints) {
        oHint->setTextFormat(Qt::PlainText);
        QFont oFont = oHint->font();
        oFont.setItalic(true);
        oHint->setFont(oFont);
    }
}

void ctlOutlay::ApplyHints(const std::vector<clsFeeHint>& aoHints) {
    for (size_t i = 0; i < m_alblHints.size(); ++i) {
        QLabel* oHint = m_alblHints[i];
        const auto itHint = std::find_if(aoHints.begin(), aoHints.end(), [i](const clsFeeHint& o) {
            return size_t(o.m_eField) == i;
        });
        if (itHint == aoHints.end()) {
            oHint->clear();
            oHint->setToolTip(QString());
            oHint->setAccessibleName(QString());
            continue;
        }
        // The short form fits beside the field; the whole saving is on the tooltip.
        const QString sText = QString::fromStdString(itHint->m_sText);
        oHint->setText(tr("Try %1").arg(MoneyText(itHint->m_fSuggestedPrice)));
        oHint->setToolTip(sText);
        oHint->setAccessibleName(sText);
    }
}

void ctlOutlay::ApplyOutlay(clsOutlay& oOutlay, clsAuctionType* oAuctionType) {
    const QScopedValueRollback<bool> oApplying(m_bApplying, true);
    m_oOutlay = &oOutlay;
    if (oAuctionType) m_oAuctionType = oAuctionType;

    float fReserveMin = 0;
    if (GetPrices().GetPrice("ReserveEnterMin", fReserveMin, ShopDuration::None))
        m_txtReservePrice->Min(fReserveMin);

    m_txtOutlay->Value(oOutlay.m_fOutlay);
    m_txtStartingPrice->Value(oOutlay.m_fStartingPrice);
    m_txtReservePrice->Value(oOutlay.m_fReservePrice);
    m_txtEstimatedEndPrice->Value(oOutlay.m_fEstimatedEndPrice);
    m_txtQuantity->Value(float(oOutlay.m_lQuantity));
    m_chkOutlayInclTax->setChecked(oOutlay.m_bAddTax);

    const bool bBuyItNowOnly = m_oAuctionType && m_oAuctionType->m_bBuyItNowOnly;
    SetCaption(m_lblEstimatedEndPrice,
               bBuyItNowOnly ? tr("Buy it Now Price") : tr("Estimated End Price"));
    for (QWidget* oCtrl : std::initializer_list<QWidget*>{m_lblStartingPrice, m_txtStartingPrice,
                                                          m_lblReservePrice, m_txtReservePrice})
        Enable(oCtrl, !bBuyItNowOnly);
}

void ctlOutlay::WriteBack() {
    if (!m_oOutlay) return;
    // The quantity, the one field that may not be storable, is read before anything is
    // written: then it leaves the model as it was.
    int32_t lQuantity = 0;
    if (!m_txtQuantity->WholeValue(lQuantity)) return;

    m_oOutlay->m_fOutlay = m_txtOutlay->Value();
    m_oOutlay->m_fStartingPrice = m_txtStartingPrice->Value();
    m_oOutlay->m_fReservePrice = m_txtReservePrice->Value();
    m_oOutlay->m_fEstimatedEndPrice = m_txtEstimatedEndPrice->Value();
    m_oOutlay->m_lQuantity = lQuantity;
    m_oOutlay->m_bAddTax = m_chkOutlayInclTax->isChecked();
    m_oOutlay->m_bDirty = true;
    emit Changed();
}
