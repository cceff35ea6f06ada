#pragma once

#include "ctlSectionPanel.h"

#include <string>

class QCheckBox;
class QComboBox;
class QLabel;
class ctlNumericText;
class clsOutlay;
class clsTodayInputs;
class clsTodaySchedule;
struct clsTodayFigures;

// The inputs of today's eBay fees that the 2008 panels do not hold: the seller's account
// (UK private or business, US Store level), the category (searchable), the buyer's region, the
// promoted listing ad rate, sales tax, listings already made this month, seller performance,
// VAT registration and whether the items go in one order; below them today's fees by kind
// and, for a UK private seller, what the buyer pays with the Buyer Protection fee. Inputs
// that mean nothing for the account are greyed.
class ctlToday : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlToday(QWidget* oParent = nullptr);

    // Fills the panel from the auction's inputs and the figures of its last calculation
    // under the schedule; does nothing without one.
    void ApplyToday(clsTodayInputs& oInputs, const clsTodayFigures& oFigures, clsOutlay& oOutlay,
                    const clsTodaySchedule* oSchedule);

protected:
    void OnClick(QWidget* oCtrl) override;
    void WriteBack() override;

private:
    void FillChoices(const clsTodaySchedule& oSchedule);
    // The category the typed text names: the item of that name, else the first the schedule
    // finds by the words typed; -1 when none.
    int CategoryIndexOf(const QString& sText) const;
    void OnCategoryTyped();
    void ShowFigures(const clsTodayFigures& oFigures, bool bBuyerProtection);

    clsTodayInputs* m_oInputs = nullptr;
    clsOutlay* m_oOutlay = nullptr;
    const clsTodaySchedule* m_oSchedule = nullptr;
    // The schedule the lists were filled from ("UK 2026-12-08").
    std::string m_sFilledFrom;
    QComboBox* m_cboAccount = nullptr;
    QComboBox* m_cboCategory = nullptr;
    QComboBox* m_cboRegion = nullptr;
    ctlNumericText* m_txtAdRate = nullptr;
    ctlNumericText* m_txtSalesTax = nullptr;
    ctlNumericText* m_txtListings = nullptr;
    QCheckBox* m_chkVatRegistered = nullptr;
    QCheckBox* m_chkOneOrder = nullptr;
    QLabel* m_lblBuyerProtectionAmount = nullptr;
    QLabel* m_lblBuyerPaysAmount = nullptr;
    QLabel* m_lblNotes = nullptr;
    QLabel* m_lblTotal = nullptr;
};
