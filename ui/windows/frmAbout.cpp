#include "frmAbout.h"

#include "basCommon.h"
#include "basControls.h"
#include "basMain.h"
#include "basSettings.h"
#include "basStartSettings.h"
#include "basUpdate.h"
#include "clsError.h"
#include "clsPrices.h"
#include "clsTodaySchedule.h"
#include "ctlMovie.h"
#include "ctlNumericText.h"

#include <QApplication>
#include <QComboBox>
#include <QDesktopServices>
#include <QEvent>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#ifndef GAVELRY_VERSION_MAJOR
#define GAVELRY_VERSION_MAJOR 0
#define GAVELRY_VERSION_MINOR 0
#define GAVELRY_VERSION_PATCH 0
#endif

namespace {

std::function<void(const QString&)>& OpenWebSite() {
    static std::function<void(const QString&)> fnOpen = [](const QString& sAddress) {
        QDesktopServices::openUrl(QUrl(sAddress));
    };
    return fnOpen;
}

QString Setting(const clsSettingKey& oKey) {
    return QString::fromStdString(GetSettings().Read(oKey));
}

// Picture buttons are small movies with their caption passed in; the caption names them.
ctlMovie* PictureButton(QWidget* oParent, const char* sName, const char* sMovie,
                        const QString& sCaption, int32_t lWidth, int32_t lHeight) {
    auto* oButton = new ctlMovie(oParent);
    oButton->setObjectName(QLatin1String(sName));
    oButton->Movie(GraphicsPath(QLatin1String(sMovie)) + QStringLiteral("?Caption=") + sCaption);
    oButton->Menu(false);
    oButton->setAccessibleName(sCaption);
    oButton->setAccessibleDescription(QLatin1String(sName));
    oButton->setFixedSize(TwipsToPixels(lWidth), TwipsToPixels(lHeight));
    return oButton;
}

QLabel* Caption(QWidget* oParent, const char* sName, const QString& sText, QWidget* oBuddy) {
    auto* oLabel = new QLabel(sText, oParent);
    oLabel->setObjectName(QLatin1String(sName));
    oLabel->setBuddy(oBuddy);
    oBuddy->setAccessibleName(StripAmpersand(sText));
    return oLabel;
}

// How far today's fees can be trusted, with the date of their data: from the table in use,
// else from the shipped file of today's fees.
QString TodayDataNote() {
    std::string sDate;
    if (const clsTodaySchedule* oToday = GetTodaySchedule()) {
        sDate = oToday->DataDate();
    } else {
        try {
            clsPrices oPrices;
            oPrices.LoadPriceFile(GetSchedulePriceFilePath(FeeSchedule::Today));
            oPrices.GetData("ScheduleDate", sDate);
        } catch (const clsError&) {
            // No file of today's fees: the note says so.
        }
    }
    if (sDate.empty())
        return QCoreApplication::translate("frmAbout", "Today's fees: no data file found.");
    return QCoreApplication::translate(
               "frmAbout",
               "Today's eBay fees (2024-2026), data of %1. eBay's own pages could not be read "
               "for some of them: those figures come from third-party sources or are unknown, "
               "and the calculator marks the ones it uses. Check them on eBay before relying "
               "on them.")
        .arg(QString::fromStdString(sDate));
}

} // namespace

frmAbout::frmAbout(QWidget* oParent) : QDialog(oParent) {
    setObjectName(QStringLiteral("frmAbout"));
    SetInvertedPalette(this);

    imgAbout = PictureButton(this, "imgAbout", "Buttons\\Tab.swf", tr("About"), 1695, 420);
    imgSettings = PictureButton(this, "imgSettings", "Buttons\\Tab.swf", tr("Settings"), 1695, 420);
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::VLine);
    Line1->setFrameShadow(QFrame::Plain);
    Line1->setStyleSheet(QStringLiteral("color: palette(mid);"));

    fraAmination = new QFrame(this);
    fraAmination->setObjectName(QStringLiteral("fraAmination"));
    aniFlash = new ctlMovie(fraAmination);
    aniFlash->setObjectName(QStringLiteral("aniFlash"));
    aniFlash->setAccessibleName(tr("About %1").arg(QString::fromStdString(GetAppName())));
    aniFlash->setAccessibleDescription(QStringLiteral("aniFlash"));
    aniFlash->Menu(false);
    auto* oAnimationLayout = new QVBoxLayout(fraAmination);
    oAnimationLayout->setContentsMargins(0, 0, 0, 0);
    oAnimationLayout->addWidget(aniFlash);

    fraSettings = new QFrame(this);
    fraSettings->setObjectName(QStringLiteral("fraSettings"));
    cboStartMode = new QComboBox(fraSettings);
    cboStartMode->setObjectName(QStringLiteral("cboStartMode"));
    lblStartMode = Caption(fraSettings, "lblStartMode", tr("Start &Mode"), cboStartMode);
    txtSnapToGrid = new ctlNumericText(fraSettings);
    txtSnapToGrid->setObjectName(QStringLiteral("txtSnapToGrid"));
    SetUpSnapToGrid(txtSnapToGrid);
    txtSnapToGrid->setFixedWidth(TwipsToPixels(1095));
    Label3 = Caption(fraSettings, "Label3", tr("&Snap to Grid Size"), txtSnapToGrid);
    imgResetPositions = PictureButton(fraSettings, "imgResetPositions", "Buttons\\Button.swf",
                                      tr("Reset"), 1470, 375);
    Label2 = Caption(fraSettings, "Label2", tr("Reset Expert Positions"), imgResetPositions);
    imgResetPositions->setAccessibleName(tr("Reset Expert Positions"));
    imgApply =
        PictureButton(fraSettings, "imgApply", "Buttons\\Button.swf", tr("Apply"), 1470, 375);
    imgCancel =
        PictureButton(fraSettings, "imgCancel", "Buttons\\Button.swf", tr("Cancel"), 1470, 375);
    // Apply comes and goes without moving Cancel.
    QSizePolicy oKeep = imgApply->sizePolicy();
    oKeep.setRetainSizeWhenHidden(true);
    imgApply->setSizePolicy(oKeep);
    for (QWidget* oCtrl :
         std::initializer_list<QWidget*>{cboStartMode, txtSnapToGrid, Line1, fraAmination,
                                         fraSettings, lblStartMode, Label3, Label2})
        oCtrl->setAccessibleDescription(oCtrl->objectName());

    auto* oSettingsLayout = new QGridLayout(fraSettings);
    oSettingsLayout->setContentsMargins(TwipsToPixels(240), TwipsToPixels(120), TwipsToPixels(240),
                                        TwipsToPixels(240));
    oSettingsLayout->setHorizontalSpacing(TwipsToPixels(180));
    oSettingsLayout->setVerticalSpacing(TwipsToPixels(120));
    oSettingsLayout->addWidget(lblStartMode, 0, 0);
    oSettingsLayout->addWidget(cboStartMode, 0, 1, 1, 2);
    oSettingsLayout->addWidget(Label3, 1, 0);
    oSettingsLayout->addWidget(txtSnapToGrid, 1, 1, Qt::AlignLeft);
    oSettingsLayout->addWidget(Label2, 2, 0);
    oSettingsLayout->addWidget(imgResetPositions, 2, 1, Qt::AlignLeft);
    oSettingsLayout->setRowStretch(3, 1);
    auto* oButtons = new QHBoxLayout();
    oButtons->addStretch(1);
    oButtons->addWidget(imgApply);
    oButtons->addWidget(imgCancel);
    oSettingsLayout->addLayout(oButtons, 4, 0, 1, 3);
    oSettingsLayout->setColumnStretch(2, 1);

    auto* oLeft = new QVBoxLayout();
    oLeft->setSpacing(TwipsToPixels(60));
    oLeft->addWidget(imgAbout);
    oLeft->addWidget(imgSettings);
    oLeft->addStretch(1);
    auto* oPages = new QGridLayout();
    oPages->setContentsMargins(0, 0, 0, 0);
    oPages->addWidget(fraAmination, 0, 0);
    oPages->addWidget(fraSettings, 0, 0);
    const QSize oPageSize(TwipsToPixels(5415), TwipsToPixels(3615));
    fraAmination->setMinimumSize(oPageSize);
    fraSettings->setMinimumSize(oPageSize);
    auto* oMain = new QHBoxLayout(this);
    oMain->setContentsMargins(TwipsToPixels(240), TwipsToPixels(120), TwipsToPixels(120),
                              TwipsToPixels(120));
    oMain->setSpacing(TwipsToPixels(90));
    oMain->addLayout(oLeft);
    oMain->addWidget(Line1);
    // Under both pages, so the window keeps its size from page to page.
    auto* lblFeeData = new QLabel(TodayDataNote(), this);
    lblFeeData->setObjectName(QStringLiteral("lblFeeData"));
    lblFeeData->setWordWrap(true);
    lblFeeData->setAccessibleName(lblFeeData->text());
    lblFeeData->setFixedWidth(TwipsToPixels(5415));
    // The file the fees in use were read from: the edition's, a copy it fell back to, or
    // today's. A long path loses its middle; the tip holds all of it.
    const QString sSource = QString::fromStdString(GetPricesSource());
    auto* lblPriceFile = new QLabel(this);
    lblPriceFile->setObjectName(QStringLiteral("lblPriceFile"));
    const QString sPriceFile = tr("Fees read from %1");
    lblPriceFile->setText(lblPriceFile->fontMetrics().elidedText(
        sPriceFile.arg(sSource), Qt::ElideMiddle, lblFeeData->width()));
    lblPriceFile->setToolTip(sSource);
    lblPriceFile->setAccessibleName(sPriceFile.arg(sSource));
    lblPriceFile->setFixedWidth(lblFeeData->width());
    lblPriceFile->setVisible(!sSource.isEmpty());
    auto* oRight = new QVBoxLayout();
    oRight->setSpacing(TwipsToPixels(90));
    oRight->addLayout(oPages, 1);
    oRight->addWidget(lblFeeData);
    oRight->addWidget(lblPriceFile);
    oMain->addLayout(oRight, 1);
    oMain->setSizeConstraint(QLayout::SetFixedSize);

    for (QWidget* oChild : findChildren<QWidget*>())
        ColourControl(oChild);
    SetFieldPalette(cboStartMode);
    SetFieldPalette(txtSnapToGrid);

    connect(imgAbout, &ctlMovie::FSCommand, this, [this] { ShowAboutPage(); });
    connect(imgSettings, &ctlMovie::FSCommand, this, [this] { ShowSettingsPage(); });
    connect(aniFlash, &ctlMovie::FSCommand, this, &frmAbout::aniFlash_FSCommand);
    connect(imgResetPositions, &ctlMovie::FSCommand, this, &frmAbout::imgResetPositions_Click);
    connect(imgApply, &ctlMovie::FSCommand, this, &frmAbout::ApplySettings);
    connect(imgCancel, &ctlMovie::FSCommand, this, &frmAbout::LoadSettings);
    connect(cboStartMode, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_bLoading) imgApply->show();
    });
    txtSnapToGrid->OnEdit(this, [this] {
        if (!m_bLoading) imgApply->show();
    });
    txtSnapToGrid->installEventFilter(this);

    LoadSettings();
    setWindowTitle(AboutCaption(GetAppName(), GAVELRY_VERSION_MAJOR, GAVELRY_VERSION_MINOR,
                                GAVELRY_VERSION_PATCH));
    ShowAboutPage();
}

QString frmAbout::AboutCaption(const std::string& sAppName, int32_t lMajor, int32_t lMinor,
                               int32_t lRevision) {
    return QString::fromStdString("About - " + sAppName + " (v" +
                                  PadLeft(std::to_string(lMajor), 2, "0") + "." +
                                  PadLeft(std::to_string(lMinor), 2, "0") + "." +
                                  PadLeft(std::to_string(lRevision), 3, "0") + ")");
}

QString frmAbout::AboutMovie() {
    QString sAbout = QString::fromStdString(GetAboutText());
    sAbout.replace(QLatin1String("\\n"), QLatin1String("<br>"));
    return GraphicsPath(QStringLiteral("About.swf")) + QStringLiteral("?AboutInfo=") + sAbout +
           QLatin1Char('&') + Setting(Settings::MusicID) + QLatin1Char('&') +
           Setting(Settings::MusicMute);
}

void frmAbout::SetOpenWebSiteHandler(std::function<void(const QString&)> fnOpen) {
    OpenWebSite() = std::move(fnOpen);
}

void frmAbout::ShowPage(QFrame* oPage, QFrame* oOther) {
    oOther->setEnabled(false);
    oOther->hide();
    oPage->setEnabled(true);
    oPage->show();
    imgAbout->Parameter(QStringLiteral("selected"),
                        oPage == fraAmination ? QStringLiteral("true") : QStringLiteral("false"));
    imgSettings->Parameter(QStringLiteral("selected"),
                           oPage == fraSettings ? QStringLiteral("true") : QStringLiteral("false"));
}

void frmAbout::ShowAboutPage() {
    aniFlash->Movie(AboutMovie());
    aniFlash->Play();
    ShowPage(fraAmination, fraSettings);
}

void frmAbout::ShowSettingsPage() {
    ShowPage(fraSettings, fraAmination);
}

void frmAbout::LoadSettings() {
    m_bLoading = true;
    LoadStartMode(cboStartMode);
    LoadSnapToGrid(txtSnapToGrid);
    imgApply->hide();
    m_bLoading = false;
}

void frmAbout::ApplySettings() {
    ApplyStartSettings(cboStartMode, txtSnapToGrid);
    imgApply->hide();
}

void frmAbout::aniFlash_FSCommand(const QString& sCommand, const QString&) {
    const QString sLower = sCommand.toLower();
    if (sLower == QLatin1String("click")) {
        OpenWebSite()(QString::fromStdString(GetWebSite()));
    } else if (sLower == QLatin1String("music=0") || sLower == QLatin1String("music=1") ||
               sLower == QLatin1String("music=2") || sLower == QLatin1String("music=3")) {
        GetSettings().Write(Settings::MusicID, sCommand.toStdString());
    } else if (sLower == QLatin1String("mute=false") || sLower == QLatin1String("mute=true")) {
        GetSettings().Write(Settings::MusicMute, sCommand.toStdString());
    }
}

void frmAbout::imgResetPositions_Click() {
    emit ResetControlPositions();
    if (m_fnReset) m_fnReset();
}

bool frmAbout::eventFilter(QObject* oWatched, QEvent* oEvent) {
    if (oWatched == txtSnapToGrid && oEvent->type() == QEvent::FocusIn && !m_bLoading)
        imgApply->show();
    return QDialog::eventFilter(oWatched, oEvent);
}
