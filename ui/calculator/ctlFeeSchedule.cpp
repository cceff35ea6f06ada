#include "ctlFeeSchedule.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basSettings.h"
#include "clsError.h"
#include "clsTodaySchedule.h"

#include <QButtonGroup>
#include <QLabel>
#include <QRadioButton>

ctlFeeSchedule::ctlFeeSchedule(QWidget* oParent) : QWidget(oParent) {
    setObjectName(QStringLiteral("ctlFeeSchedule"));
    SetInvertedPalette(this);
    SetPanelFont(this);
    auto* lblSchedule = new QLabel(tr("eBay Fees"), this);
    lblSchedule->setObjectName(QStringLiteral("lblSchedule"));
    QFont oBold = lblSchedule->font();
    oBold.setBold(true);
    lblSchedule->setFont(oBold);
    SetControlGeometry(lblSchedule, 0, 0, 1200, 255);

    m_grpSchedule = new QButtonGroup(this);
    auto AddOption = [this](const char* sName, const QString& sCaption, FeeSchedule eSchedule,
                            int32_t lLeft, int32_t lWidth) {
        auto* oOption = new QRadioButton(sCaption, this);
        oOption->setObjectName(QLatin1String(sName));
        oOption->setAccessibleName(sCaption);
        SetControlGeometry(oOption, lLeft, 0, lWidth, 255);
        m_grpSchedule->addButton(oOption, int(eSchedule));
        return oOption;
    };
    AddOption("optSchedule2008", tr("2008"), FeeSchedule::Y2008, 1200, 900)
        ->setToolTip(tr("eBay's fees of 2008 with PayPal and Royal Mail, from the price file"));
    AddOption("optScheduleToday", tr("Today (2024-2026)"), FeeSchedule::Today, 2100, 2100)
        ->setToolTip(tr("eBay's fees as they are today: final value fee on the sale total, "
                        "per-order fee, surcharges, promoted listing fee and VAT"));
    connect(m_grpSchedule, &QButtonGroup::idClicked, this, &ctlFeeSchedule::OnChosen);

    m_lblScheduleNote = new QLabel(this);
    m_lblScheduleNote->setObjectName(QStringLiteral("lblScheduleNote"));
    m_lblScheduleNote->setWordWrap(true);
    m_lblScheduleNote->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SetControlGeometry(m_lblScheduleNote, 0, 300, 4200, 765);
    SetControlGeometry(this, 0, 0, 4200, 1065);
    for (QWidget* o : findChildren<QWidget*>())
        ColourControl(o);
    ApplySchedule();
}

void ctlFeeSchedule::ApplySchedule() {
    const FeeSchedule eSchedule = GetFeeSchedule();
    if (QAbstractButton* oOption = m_grpSchedule->button(int(eSchedule))) oOption->setChecked(true);
    const clsTodaySchedule* oToday = GetTodaySchedule();
    QString sNote;
    if (oToday) {
        sNote = tr("Today's %1 fees, data of %2. Some figures are third-party or unknown, "
                   "not read on eBay's own pages: the notes below name those used.")
                    .arg(QString::fromStdString(oToday->Site()),
                         QString::fromStdString(oToday->DataDate()));
    } else {
        sNote = tr("Today's fees hold some third-party or unknown figures, marked as such "
                   "where they are used.");
    }
    m_lblScheduleNote->setText(sNote);
    m_lblScheduleNote->setAccessibleName(sNote);
}

void ctlFeeSchedule::OnChosen(int lSchedule) {
    const auto eSchedule = FeeSchedule(lSchedule);
    if (eSchedule == GetFeeSchedule()) return;
    try {
        UseFeeSchedule(eSchedule);
    } catch (const clsError& oError) {
        // The schedule in use stays, and so does the choice shown.
        ShowMessage(std::string(eSchedule == FeeSchedule::Today
                                    ? "Today's fees cannot be used:\r\n\r\n"
                                    : "The 2008 fees cannot be used:\r\n\r\n") +
                        oError.Description(),
                    MsgBox::Exclamation, GetAppName());
        ApplySchedule();
        return;
    }
    SetFeeScheduleSetting(eSchedule);
    ApplySchedule();
    emit ScheduleChanged();
}
