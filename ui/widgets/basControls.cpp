#include "basControls.h"

#include "basCommon.h"
#include "basNumberText.h"
#include "basPanelPalette.h"
#include "basSettings.h"
#include "clsError.h"
#include "clsPrices.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QPalette>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <QVariant>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

const char* const kLeft = "TwipsLeft";
const char* const kTop = "TwipsTop";
const char* const kWidth = "TwipsWidth";
const char* const kHeight = "TwipsHeight";

int32_t TwipsProperty(const QWidget* oCtrl, const char* sName, int lPixels) {
    const QVariant v = oCtrl->property(sName);
    return v.isValid() ? v.toInt() : PixelsToTwips(lPixels);
}

void Place(QWidget* oCtrl) {
    const int32_t lLeft = ControlLeft(oCtrl), lTop = ControlTop(oCtrl);
    // Right and bottom edges are rounded on their own, so that neighbours never overlap.
    oCtrl->setGeometry(TwipsToPixels(lLeft), TwipsToPixels(lTop),
                       TwipsToPixels(lLeft + ControlWidth(oCtrl)) - TwipsToPixels(lLeft),
                       TwipsToPixels(lTop + ControlHeight(oCtrl)) - TwipsToPixels(lTop));
}

// The panels were laid out for text of 8 points at 96 dpi.
constexpr double kDesignPoints = 8;

double MeasureTwipsScale(const QFont& oFont) {
    QFont oDesign = oFont;
    oDesign.setPointSizeF(kDesignPoints);
    // The design font's line as tall as it is at 96 dpi, whatever this screen's dpi.
    const QFontMetricsF oDesignMetrics(oDesign);
    const double dDpi = oDesignMetrics.fontDpi();
    const double dDesign = oDesignMetrics.height() * 96.0 / (dDpi > 0 ? dDpi : 96.0);
    const double dScale = dDesign > 0 ? QFontMetricsF(oFont).height() / dDesign : 1;
    // A smaller font keeps the design size: boxes and spin buttons do not shrink with it.
    return std::isfinite(dScale) ? std::max(1.0, dScale) : 1.0;
}

bool Contains(const QString& sName, const char* const* asParts) {
    for (; *asParts; ++asParts)
        if (sName.contains(QLatin1String(*asParts))) return true;
    return false;
}

} // namespace

double TwipsScale() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return 1;
    // Measured again whenever the application's font is another.
    static QFont oMeasured;
    static double dScale = 0;
    const QFont oFont = QGuiApplication::font();
    if (dScale == 0 || !(oFont == oMeasured) || oFont.resolveMask() != oMeasured.resolveMask()) {
        oMeasured = oFont;
        dScale = MeasureTwipsScale(oFont);
    }
    return dScale;
}

int32_t TwipsToPixels(int32_t lTwips) {
    return static_cast<int32_t>(std::lround(lTwips * TwipsScale() / 15.0));
}

int32_t PixelsToTwips(int32_t lPixels) {
    return static_cast<int32_t>(std::lround(PixelsToTwipsF(lPixels)));
}

double PixelsToTwipsF(double dPixels) {
    return dPixels * 15.0 / TwipsScale();
}

int32_t ScreenTwipsToPixels(int32_t lTwips) {
    return static_cast<int32_t>(std::lround(lTwips / 15.0));
}

int32_t PixelsToScreenTwips(int32_t lPixels) {
    return lPixels * 15;
}

QString GraphicsPath(const QString& sFile) {
    return QString::fromStdString(GetProgramFolder()) + QStringLiteral("\\Graphics\\") + sFile;
}

int32_t ControlLeft(const QWidget* oCtrl) {
    return TwipsProperty(oCtrl, kLeft, oCtrl->x());
}
int32_t ControlTop(const QWidget* oCtrl) {
    return TwipsProperty(oCtrl, kTop, oCtrl->y());
}
int32_t ControlWidth(const QWidget* oCtrl) {
    return TwipsProperty(oCtrl, kWidth, oCtrl->width());
}
int32_t ControlHeight(const QWidget* oCtrl) {
    return TwipsProperty(oCtrl, kHeight, oCtrl->height());
}

void SetControlGeometry(QWidget* oCtrl, int32_t lLeft, int32_t lTop, int32_t lWidth,
                        int32_t lHeight) {
    oCtrl->setProperty(kLeft, lLeft);
    oCtrl->setProperty(kTop, lTop);
    oCtrl->setProperty(kWidth, lWidth);
    oCtrl->setProperty(kHeight, lHeight);
    Place(oCtrl);
}

void SetControlTop(QWidget* oCtrl, int32_t lTop) {
    SetControlGeometry(oCtrl, ControlLeft(oCtrl), lTop, ControlWidth(oCtrl), ControlHeight(oCtrl));
}
void SetControlWidth(QWidget* oCtrl, int32_t lWidth) {
    SetControlGeometry(oCtrl, ControlLeft(oCtrl), ControlTop(oCtrl), lWidth, ControlHeight(oCtrl));
}
void SetControlHeight(QWidget* oCtrl, int32_t lHeight) {
    SetControlGeometry(oCtrl, ControlLeft(oCtrl), ControlTop(oCtrl), ControlWidth(oCtrl), lHeight);
}

QString ControlKind(const QWidget* oCtrl) {
    if (!oCtrl) return {};
    const QVariant vKind = oCtrl->property("Kind");
    if (vKind.isValid()) return vKind.toString();
    const QString sClass = QString::fromLatin1(oCtrl->metaObject()->className());
    if (sClass.startsWith(QLatin1String("ctl"))) return sClass;
    if (qobject_cast<const QCheckBox*>(oCtrl)) return QStringLiteral("CheckBox");
    if (qobject_cast<const QRadioButton*>(oCtrl)) return QStringLiteral("OptionButton");
    if (qobject_cast<const QComboBox*>(oCtrl)) return QStringLiteral("ComboBox");
    if (qobject_cast<const QLabel*>(oCtrl)) return QStringLiteral("Label");
    if (qobject_cast<const QFrame*>(oCtrl)) return QStringLiteral("Frame");
    return sClass;
}

QString ContainerKind(const QWidget* oCtrl) {
    return oCtrl && oCtrl->parentWidget() ? ControlKind(oCtrl->parentWidget()) : QString();
}

QString ControlTag(const QWidget* oCtrl) {
    return oCtrl->property("Tag").toString();
}

void SetControlTag(QWidget* oCtrl, const QString& sTag) {
    oCtrl->setProperty("Tag", sTag);
}

QString StripAmpersand(const QString& sCaption) {
    QString s;
    for (qsizetype i = 0; i < sCaption.size(); ++i) {
        if (sCaption[i] == QLatin1Char('&')) {
            if (i + 1 < sCaption.size() && sCaption[i + 1] == QLatin1Char('&')) s += sCaption[++i];
            continue;
        }
        s += sCaption[i];
    }
    return s;
}

QChar AccessKey(const QString& sCaption) {
    for (qsizetype i = 0; i + 1 < sCaption.size(); ++i) {
        if (sCaption[i] != QLatin1Char('&')) continue;
        if (sCaption[i + 1] != QLatin1Char('&')) return sCaption[i + 1].toUpper();
        ++i; // "&&" is an ampersand
    }
    return {};
}

QString MarkAccessKey(const QString& sText, QChar cKey) {
    qsizetype nAt = -1;
    for (qsizetype i = 0; i < sText.size(); ++i) {
        if (sText[i].toUpper() != cKey.toUpper() || cKey.isNull()) continue;
        const bool bWordStart = i == 0 || !sText[i - 1].isLetterOrNumber();
        if (nAt < 0) nAt = i;
        if (bWordStart) {
            nAt = i;
            break;
        }
    }
    QString sCaption;
    for (qsizetype i = 0; i < sText.size(); ++i) {
        if (i == nAt) sCaption += QLatin1Char('&');
        sCaption += sText[i];
        if (sText[i] == QLatin1Char('&')) sCaption += QLatin1Char('&');
    }
    return sCaption;
}

QColor ColourFromValue(int32_t lColour) {
    return QColor(lColour & 0xFF, (lColour >> 8) & 0xFF, (lColour >> 16) & 0xFF);
}

void SetInvertedPalette(QWidget* oPanel) {
    QPalette oPalette = PanelPalette();
    // Every role counts as set, so that none comes from the system's palette.
    oPalette.setResolveMask(~QPalette::ResolveMask(0));
    oPanel->setPalette(oPalette);
    oPanel->setAutoFillBackground(true);
}

void SetPanelFont(QWidget* oPanel) {
    // The user's own font and size: the panel's geometry grows with it (TwipsScale).
    oPanel->setFont(QFont());
}

QWidget* AddScrolledCanvas(QWidget* oHost) {
    auto* scrArea = new QScrollArea(oHost);
    scrArea->setObjectName(QStringLiteral("scrArea"));
    scrArea->setFrameShape(QFrame::NoFrame);
    scrArea->setWidgetResizable(true);
    // Tab goes to the panels' fields, not to the frame around them; it still scrolls the
    // field in focus into view.
    scrArea->setFocusPolicy(Qt::NoFocus);
    auto* fraCanvas = new QWidget;
    fraCanvas->setObjectName(QStringLiteral("fraCanvas"));
    SetInvertedPalette(fraCanvas);
    scrArea->setWidget(fraCanvas);
    auto* oLayout = new QVBoxLayout(oHost);
    oLayout->setContentsMargins(0, 0, 0, 0);
    oLayout->addWidget(scrArea);
    return fraCanvas;
}

void SetFieldPalette(QWidget* oField) {
    QPalette oPalette = FieldPalette();
    // Every role counts as set, so none is inherited from the panel.
    oPalette.setResolveMask(~QPalette::ResolveMask(0));
    oField->setPalette(oPalette);
}

QColor LossColour(const QColor& oBackground) {
    return oBackground.lightness() < 128 ? QColor(0xFF, 0x5A, 0x5A) : QColor(0xB0, 0x00, 0x20);
}

void ColourControl(QWidget* oCtrl) {
    static const QStringList asKinds{"Label", "CheckBox", "OptionButton", "Frame"};
    if (!oCtrl || !asKinds.contains(ControlKind(oCtrl))) return;
    QPalette oPalette = PanelPalette();
    QColor oFore = PanelText();
    if (oCtrl->objectName() == QLatin1String("lblTotal")) {
        try {
            oFore = ReadableOn(ColourFromValue(GetSubtotalColour()), PanelBackground());
        } catch (const clsError&) {
            // A colour setting that is not a number leaves the panel colour.
        }
    }
    for (auto eGroup : {QPalette::Active, QPalette::Inactive}) {
        oPalette.setColor(eGroup, QPalette::WindowText, oFore);
        oPalette.setColor(eGroup, QPalette::ButtonText, oFore);
    }
    oPalette.setResolveMask(~QPalette::ResolveMask(0));
    oCtrl->setPalette(oPalette);
}

void SetControlEnabled(bool bEnabled, QWidget* oCtrl, bool bIncludeFrame) {
    if (!oCtrl) return;
    // Every refresh sets every control again: one already as asked is left alone. (Enabled
    // counts its container; greyed only counts when the control itself was greyed, and its
    // frame too when it stands in one.)
    const QWidget* oParent = oCtrl->parentWidget();
    if (bEnabled ? oCtrl->isEnabled()
                 : oCtrl->testAttribute(Qt::WA_ForceDisabled) &&
                       !(qobject_cast<const QCheckBox*>(oCtrl) &&
                         static_cast<const QCheckBox*>(oCtrl)->isChecked()) &&
                       (!bIncludeFrame || !oParent || !qobject_cast<const QFrame*>(oParent) ||
                        oParent->testAttribute(Qt::WA_ForceDisabled)))
        return;
    const QString sKind = ControlKind(oCtrl);
    if (sKind == QLatin1String("CheckBox") && !bEnabled)
        static_cast<QCheckBox*>(oCtrl)->setChecked(false);
    // A greyed control is also inert, so that what looks unavailable cannot be chosen and
    // assistive technology reports it as unavailable.
    if (sKind == QLatin1String("ctlNumericText") || sKind == QLatin1String("ComboBox") ||
        sKind == QLatin1String("Label") || sKind == QLatin1String("CheckBox") ||
        sKind == QLatin1String("OptionButton"))
        oCtrl->setEnabled(bEnabled);
    if (bIncludeFrame && ContainerKind(oCtrl) == QLatin1String("Frame"))
        oCtrl->parentWidget()->setEnabled(bEnabled);
}

void ApplyControlVisibility(QWidget* oCtrl, const clsTokeniser& oVisibleList, bool bConfig) {
    if (!oCtrl) return;
    const bool bInRegion = IsControlInRegion(oCtrl->objectName());
    oCtrl->setVisible(bConfig ? bInRegion : bInRegion && IsControlListed(oCtrl, oVisibleList));
}

bool IsControlListed(const QWidget* oCtrl, const clsTokeniser& oVisibleList) {
    return IsNameListed(oCtrl->objectName(), oVisibleList);
}

bool IsNameListed(const QString& sName, const clsTokeniser& oVisibleList) {
    for (int32_t i = 0; i < oVisibleList.Count(); ++i)
        if (sName.contains(QString::fromStdString(oVisibleList.Element(i)))) return true;
    return false;
}

bool IsControlInRegion(const QString& sName) {
    static const char* const asUSParts[] = {"10DayDuration",   "GiftServices", "PreviewPicture",
                                            "Border",          "MotorOptions", "ListingItem",
                                            "CarAd",           "Shop60Days",   "Shop120Days",
                                            "BusinessAuction", nullptr};
    static const char* const asUKParts[] = {
        "Weight",           "SecondClass",     "FirstClass",    "ParcelService", "ParcelInsurance",
        "RecordedDelivery", "ProofOfDelivery", "OutlayInclTax", nullptr};
    static const QStringList asUSNames{"optPassenger",       "optMotorcycle",   "optPowersports",
                                       "optPocketBikes",     "optOtherVehicle", "optParts",
                                       "ctlRealEstateOption"};
    int32_t eRegion = RegionUK + RegionUS + 1; // both
    if (Contains(sName, asUSParts))
        eRegion = RegionUS;
    else if (Contains(sName, asUKParts))
        eRegion = RegionUK;
    else if (asUSNames.contains(sName))
        eRegion = RegionUS;
    return eRegion == RegionUK + RegionUS + 1 || eRegion == GetRegion();
}

bool IsShowBox(const QWidget* oCtrl) {
    return oCtrl && oCtrl->objectName().contains(QLatin1String("chkShow")) &&
           ControlKind(oCtrl) == QLatin1String("CheckBox");
}

bool IsHeaderImage(const QWidget* oCtrl) {
    return oCtrl && oCtrl->objectName() == QLatin1String("imgHeader");
}

bool IsOwnControl(const QWidget* oCtrl) {
    return ControlKind(oCtrl).left(3).toLower() == QLatin1String("ctl");
}

clsTokeniser LoadVisibleList(const std::string& sSection) {
    clsTokeniser oList;
    std::string sVisible;
    if (GetSettings().Find(Settings::Visible, sVisible, sSection)) {
        try {
            oList.Tokenise(sVisible, ",");
        } catch (const clsError&) {
            oList = clsTokeniser(); // an oversized value counts as none
        }
    }
    return oList;
}

bool SaveVisibleList(const std::string& sSection, const clsTokeniser& oVisibleList) {
    std::string sVisible;
    for (int32_t i = 0; i < oVisibleList.Count(); ++i) {
        if (!sVisible.empty()) sVisible += ',';
        sVisible += oVisibleList.Element(i);
    }
    return GetSettings().Write(Settings::Visible, sVisible, sSection);
}

void SetShowBoxFromList(QCheckBox* oShowBox, const clsTokeniser& oVisibleList) {
    if (!oShowBox) return;
    oShowBox->setChecked(oVisibleList.Find(ControlTag(oShowBox).toStdString(), false) != -1);
}

void SetSectionTotal(QLabel* oLabel, float fAmount) {
    if (oLabel) oLabel->setText(QStringLiteral("Section Total ") + MoneyText(fAmount));
}

namespace {

const char* const kFigureCaption = "FigureCaption";

} // namespace

void SetFigureCaption(QLabel* oFigure, const QString& sCaption) {
    oFigure->setProperty(kFigureCaption, sCaption);
    SetFigureText(oFigure, oFigure->text());
}

void SetFigureText(QLabel* oFigure, const QString& sText) {
    if (oFigure->text() != sText) oFigure->setText(sText);
    const QString sCaption = oFigure->property(kFigureCaption).toString();
    const QString sName = sText.isEmpty()      ? sCaption
                          : sCaption.isEmpty() ? sText
                                               : sCaption + QStringLiteral(": ") + sText;
    // Every refresh sets every figure again; the reader is told only of a change.
    if (oFigure->accessibleName() != sName) oFigure->setAccessibleName(sName);
}
