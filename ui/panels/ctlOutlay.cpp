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
#include <iterator>

namespace {

const char* const kMoneyFields[] = {"txtOutlay", "txtStartingPrice", "txtReservePrice",
                                    "txtEstimatedEndPrice"};

// Hint labels in the order of clsFeeHint::Field.
const char* const kHints[] = {"lblStartingPriceHint", "lblReservePriceHint",
                              "lblEstimatedEndPriceHint"};

} // namespace

ctlOutlay::ctlOutlay(QWidget* oParent) : ctlSectionPanel(oParent, {"Outlay", 4680, 855, true}) {
    AddRows({
        {"Label", "lblOutlay", "Outlay", "", 0, 360, 1695},
        {"ctlNumericText", "txtOutlay", "", "", 1800, 360, 1575, 285},
        {"CheckBox", "chkOutlayInclTax", "Add Tax", "", 3480, 360, 1095},
        {"Show", "chkShowOutlay", "", "Outlay"},
        {"Label", "lblStartingPrice", "Starting Price", "", 0, 640, 1695},
        {"ctlNumericText", "txtStartingPrice", "", "", 1800, 640, 1575, 285},
        {"Label", "lblStartingPriceHint", "", "", 3480, 640, 1190},
        {"Show", "chkShowStartingPrice", "", "Start"},
        {"Label", "lblReservePrice", "Reserve Price", "", 0, 920, 1695},
        {"ctlNumericText", "txtReservePrice", "", "", 1800, 920, 1575, 285},
        {"Label", "lblReservePriceHint", "", "", 3480, 920, 1190},
        {"Show", "chkShowReservePrice", "", "Reserve"},
        {"Label", "lblEstimatedEndPrice", "Estimated End Price", "", 0, 1200, 1695},
        {"ctlNumericText", "txtEstimatedEndPrice", "", "", 1800, 1200, 1575, 285},
        {"Label", "lblEstimatedEndPriceHint", "", "", 3480, 1200, 1190},
        {"Show", "chkShowEstimatedEndPrice", "", "Estimate"},
        {"Label", "lblQuantity", "Quantity", "", 0, 1480, 1695},
        {"ctlNumericText", "txtQuantity", "", "", 1800, 1480, 1575, 285},
        {"Show", "chkShowQuantity", "", "Quantity"},
    });
    for (const char* sField : kMoneyFields) {
        ctlNumericText* oField = Numeric(QLatin1String(sField));
        oField->ShowMoney(true);
        oField->DecimalPlaces(2);
    }
    // A reserve is either none or at least the least eBay allows.
    Numeric("txtReservePrice")->Min(50);
    Numeric("txtReservePrice")->MinAllowZero(true);
    Numeric("txtReservePrice")->MinReason(tr("eBay's lowest reserve is %1"));
    Numeric("txtQuantity")->Text("0");
    for (const char* sHint : kHints) {
        auto* oHint = ControlAs<QLabel>(QLatin1String(sHint));
        oHint->setTextFormat(Qt::PlainText);
        QFont oFont = oHint->font();
        oFont.setItalic(true);
        oHint->setFont(oFont);
    }
}

void ctlOutlay::ApplyHints(const std::vector<clsFeeHint>& aoHints) {
    for (size_t i = 0; i < std::size(kHints); ++i) {
        auto* oHint = ControlAs<QLabel>(QLatin1String(kHints[i]));
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
        Numeric("txtReservePrice")->Min(fReserveMin);

    Numeric("txtOutlay")->Value(oOutlay.m_fOutlay);
    Numeric("txtStartingPrice")->Value(oOutlay.m_fStartingPrice);
    Numeric("txtReservePrice")->Value(oOutlay.m_fReservePrice);
    Numeric("txtEstimatedEndPrice")->Value(oOutlay.m_fEstimatedEndPrice);
    Numeric("txtQuantity")->Value(float(oOutlay.m_lQuantity));
    CheckBox("chkOutlayInclTax")->setChecked(oOutlay.m_bAddTax);

    const bool bBuyItNowOnly = m_oAuctionType && m_oAuctionType->m_bBuyItNowOnly;
    SetCaption("lblEstimatedEndPrice",
               bBuyItNowOnly ? tr("Buy it Now Price") : tr("Estimated End Price"));
    for (const char* sName :
         {"lblStartingPrice", "txtStartingPrice", "lblReservePrice", "txtReservePrice"})
        Enable(QLatin1String(sName), !bBuyItNowOnly);
}

void ctlOutlay::WriteBack() {
    if (!m_oOutlay) return;
    // Every field is read before anything is written: a field that cannot be stored leaves
    // the model as it was.
    float afMoney[4];
    for (size_t i = 0; i < 4; ++i)
        afMoney[i] = Numeric(QLatin1String(kMoneyFields[i]))->Value();
    int32_t lQuantity = 0;
    if (!Numeric("txtQuantity")->WholeValue(lQuantity)) return;

    m_oOutlay->m_fOutlay = afMoney[0];
    m_oOutlay->m_fStartingPrice = afMoney[1];
    m_oOutlay->m_fReservePrice = afMoney[2];
    m_oOutlay->m_fEstimatedEndPrice = afMoney[3];
    m_oOutlay->m_lQuantity = lQuantity;
    m_oOutlay->m_bAddTax = CheckBox("chkOutlayInclTax")->isChecked();
    m_oOutlay->m_bDirty = true;
    emit Changed();
}
