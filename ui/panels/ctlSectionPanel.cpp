#include "ctlSectionPanel.h"

#include "basControls.h"
#include "ctlNumericText.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QRadioButton>

#include <QSet>

#include <algorithm>

namespace {

// The access key a control was designed with.
const char* const kAccessKey = "AccessKey";
const char* const kDesignBottom = "DesignBottom";
// A control whose name holds no Show-box tag may name the tag that governs it instead.
const char* const kShowTag = "ShowTag";
constexpr int32_t kHeaderHeight = 345;
// Rows are 280 apart, the first at 360 in a section panel (below the header) and at 0 in an
// option panel.
constexpr int32_t kRowPitch = 280;
constexpr int32_t kFirstSectionRow = 360;

} // namespace

clsControlRow ShowRow(const char* sName, const char* sTag, QCheckBox** ppKeep) {
    return {.m_eKind = RowKind::Show, .m_sName = sName, .m_sTag = sTag, .m_oKeep = ppKeep};
}

clsControlRow TotalRow(int32_t lWidth, QLabel** ppKeep, int32_t lTop) {
    return {.m_eKind = RowKind::Label,
            .m_sName = "lblTotal",
            .m_sCaption = "Section Total ",
            .m_lLeft = 120,
            .m_lTop = lTop,
            .m_lWidth = lWidth,
            .m_oKeep = ppKeep};
}

ctlSectionPanel::ctlSectionPanel(QWidget* oParent, clsPanelLayout oLayout)
    : QWidget(oParent), m_oLayout(std::move(oLayout)), m_oOptions(new QButtonGroup(this)),
      m_lRowTop((m_oLayout.m_bSection ? kFirstSectionRow : 0) - kRowPitch) {
    connect(m_oOptions, &QButtonGroup::idToggled, this, [this] { UpdateOptionFocus(); });
    SetInvertedPalette(this);
    SetPanelFont(this);
    SetControlGeometry(this, 0, 0, m_oLayout.m_lShowLeft - 10, 0);

    if (m_oLayout.m_bSection) {
        m_imgHeader = new QLabel(QString::fromStdString(m_oLayout.m_sSectionKey), this);
        m_imgHeader->setObjectName(QStringLiteral("imgHeader"));
        m_imgHeader->setProperty("Kind", QStringLiteral("Image"));
        m_imgHeader->setAccessibleName(tr("Move %1").arg(m_imgHeader->text()));
        m_imgHeader->setAccessibleDescription(QStringLiteral("imgHeader"));
        m_imgHeader->setAutoFillBackground(true);
        m_imgHeader->setBackgroundRole(QPalette::Highlight);
        m_imgHeader->setForegroundRole(QPalette::HighlightedText);
        m_imgHeader->setCursor(Qt::SizeAllCursor);
        m_imgHeader->installEventFilter(this);
        SetControlGeometry(m_imgHeader, 0, 0, ControlWidth(this), kHeaderHeight);
        m_imgHeader->hide();
        m_aoControls.push_back(m_imgHeader);
        m_oControlsByName.insert(m_imgHeader->objectName(), m_imgHeader);
    }
}

void ctlSectionPanel::AddRows(std::initializer_list<clsControlRow> aoRows) {
    for (const clsControlRow& oRow : aoRows) {
        QWidget* oParent =
            oRow.m_sContainer ? Control(QString::fromLatin1(oRow.m_sContainer)) : this;
        if (!oParent) oParent = this;
        const QString sCaption = QString::fromUtf8(oRow.m_sCaption);
        QWidget* oCtrl = nullptr;
        switch (oRow.m_eKind) {
        case RowKind::Label:
            oCtrl = new QLabel(sCaption, oParent);
            break;
        case RowKind::CheckBox:
            oCtrl = new QCheckBox(sCaption, oParent);
            break;
        case RowKind::Show:
            oCtrl = new QCheckBox(tr("Show"), oParent);
            break;
        case RowKind::OptionButton:
            oCtrl = new QRadioButton(sCaption, oParent);
            m_oOptions->addButton(static_cast<QRadioButton*>(oCtrl), oRow.m_lValue);
            // Greyed, shown or hidden, it may change which option Tab stops at.
            oCtrl->installEventFilter(this);
            break;
        case RowKind::Numeric:
            oCtrl = new ctlNumericText(oParent);
            SetFieldPalette(oCtrl);
            break;
        case RowKind::ComboBox:
            oCtrl = new QComboBox(oParent);
            SetFieldPalette(oCtrl);
            break;
        case RowKind::Frame: {
            auto* oFrame = new QFrame(oParent);
            oFrame->setFrameShape(QFrame::NoFrame);
            oCtrl = oFrame;
            break;
        }
        }
        AddControl(oCtrl, oRow, RowTop(oRow));
    }
    UpdateOptionFocus();
}

int32_t ctlSectionPanel::RowTop(const clsControlRow& oRow) {
    // A Show box is placed level with its option; a control alone in a frame stands at its top.
    const bool bOwnRow = oRow.m_eKind != RowKind::Show && !oRow.m_sContainer;
    int32_t lTop = oRow.m_lTop;
    if (lTop == kNextRow)
        lTop = bOwnRow ? m_lRowTop + kRowPitch : 0;
    else if (lTop == kSameRow)
        lTop = m_lRowTop;
    if (bOwnRow) m_lRowTop = lTop;
    return lTop;
}

void ctlSectionPanel::AddControl(QWidget* oCtrl, const clsControlRow& oRow, int32_t lTop) {
    const QString sName = QString::fromLatin1(oRow.m_sName);
    oCtrl->setObjectName(sName);
    oCtrl->setAccessibleDescription(sName);
    if (const QChar cKey = AccessKey(QString::fromUtf8(oRow.m_sCaption)); !cKey.isNull())
        oCtrl->setProperty(kAccessKey, QString(cKey));
    SetControlTag(oCtrl, QString::fromLatin1(oRow.m_sTag));
    m_aoControls.push_back(oCtrl);
    if (!m_oControlsByName.contains(sName)) m_oControlsByName.insert(sName, oCtrl);
    oRow.m_oKeep.Keep(oCtrl);

    if (oRow.m_eKind == RowKind::Show) {
        auto* oBox = static_cast<QCheckBox*>(oCtrl);
        // The Show box stands in the Show column, level with the first control it governs.
        QString sOption = QString::fromLatin1(oRow.m_sTag);
        for (QWidget* o : m_aoControls) {
            if (o == oCtrl || IsShowBox(o) || !o->objectName().contains(ControlTag(oCtrl)))
                continue;
            lTop = ControlTop(o);
            if (auto* oButton = qobject_cast<QAbstractButton*>(o))
                sOption = StripAmpersand(oButton->text());
            else if (auto* oLabel = qobject_cast<QLabel*>(o))
                sOption = StripAmpersand(oLabel->text()).trimmed();
            break;
        }
        oBox->setAccessibleName(tr("Show %1").arg(sOption));
        SetControlGeometry(oBox, m_oLayout.m_lShowLeft, lTop, m_oLayout.m_lShowWidth, 255);
        oBox->hide();
        connect(oBox, &QCheckBox::clicked, this, [this] { OnShowBoxClick(); });
        return;
    }

    SetControlGeometry(oCtrl, oRow.m_lLeft, lTop, oRow.m_lWidth, oRow.m_lHeight);
    oCtrl->setProperty(kDesignBottom, lTop + oRow.m_lHeight);
    if (auto* oButton = qobject_cast<QAbstractButton*>(oCtrl)) {
        oButton->setAccessibleName(StripAmpersand(oButton->text()));
        connect(oButton, &QAbstractButton::clicked, this, [this, oCtrl] {
            if (!m_bApplying) OnClick(oCtrl);
        });
    } else if (qobject_cast<ctlNumericText*>(oCtrl) || qobject_cast<QComboBox*>(oCtrl)) {
        // A field is named by the label on its left in the same row.
        for (auto it = m_aoControls.rbegin() + 1; it != m_aoControls.rend(); ++it) {
            auto* oLabel = qobject_cast<QLabel*>(*it);
            if (oLabel && ControlTop(oLabel) == lTop &&
                oLabel->parentWidget() == oCtrl->parentWidget()) {
                oLabel->setBuddy(oCtrl);
                oCtrl->setAccessibleName(StripAmpersand(oLabel->text()));
                break;
            }
        }
        if (auto* oField = qobject_cast<ctlNumericText*>(oCtrl)) {
            // Written back at every keystroke that gives a number, and when the field is left.
            oField->OnEdit(this, [this, oCtrl] {
                if (!m_bApplying) OnClick(oCtrl);
            });
        } else {
            // A choice the user makes; an editable list's typing is the panel's own.
            connect(static_cast<QComboBox*>(oCtrl), &QComboBox::activated, this, [this, oCtrl] {
                if (!m_bApplying) OnClick(oCtrl);
            });
        }
    }
}

void ctlSectionPanel::AddPanelControl(ctlSectionPanel* oPanel, const char* sName, int32_t lLeft,
                                      int32_t lTop) {
    oPanel->setObjectName(QString::fromLatin1(sName));
    oPanel->setAccessibleDescription(oPanel->objectName());
    oPanel->setAutoFillBackground(false);
    m_aoControls.push_back(oPanel);
    if (!m_oControlsByName.contains(oPanel->objectName()))
        m_oControlsByName.insert(oPanel->objectName(), oPanel);
    SetControlGeometry(oPanel, lLeft, lTop, ControlWidth(oPanel), oPanel->DesignHeight());
    oPanel->setProperty(kDesignBottom, lTop + oPanel->DesignHeight());
    m_lRowTop = lTop;
    connect(oPanel, &ctlSectionPanel::Changed, this, [this, oPanel] {
        if (!m_bApplying) OnClick(oPanel);
    });
}

QWidget* ctlSectionPanel::Control(const QString& sName) const {
    return m_oControlsByName.value(sName, nullptr);
}

void ctlSectionPanel::OnClick(QWidget*) {
    WriteBack();
}

void ctlSectionPanel::SetOptions(int32_t lValue) {
    if (QAbstractButton* oOption = m_oOptions->button(lValue)) {
        oOption->setChecked(true);
        return;
    }
    QAbstractButton* oOn = m_oOptions->checkedButton();
    if (!oOn) return;
    // An exclusive group cannot switch its option off.
    m_oOptions->setExclusive(false);
    oOn->setChecked(false);
    m_oOptions->setExclusive(true);
}

bool ctlSectionPanel::SelectedOption(int32_t& lValue) const {
    if (!m_oOptions->checkedButton()) return false;
    lValue = m_oOptions->checkedId();
    return true;
}

QList<QAbstractButton*> ctlSectionPanel::Options() const {
    return m_oOptions->buttons();
}

namespace {

// The access key a control shows: an option's or a box's, or a field's label's.
QChar ShownAccessKey(const QWidget* oCtrl) {
    if (const auto* oButton = qobject_cast<const QAbstractButton*>(oCtrl))
        return AccessKey(oButton->text());
    if (const auto* oLabel = qobject_cast<const QLabel*>(oCtrl); oLabel && oLabel->buddy())
        return AccessKey(oLabel->text());
    return {};
}

QString Caption(const QWidget* oCtrl) {
    if (const auto* oLabel = qobject_cast<const QLabel*>(oCtrl))
        return oLabel->buddy() ? StripAmpersand(oLabel->text()) : oLabel->text();
    if (const auto* oButton = qobject_cast<const QAbstractButton*>(oCtrl))
        return StripAmpersand(oButton->text());
    return {};
}

} // namespace

QChar ctlSectionPanel::ChooseAccessKey(const QWidget* oCtrl, const QString& sText) const {
    // Keys are unique across the section panel, its option panels included.
    const QWidget* oSection = this;
    while (qobject_cast<const ctlSectionPanel*>(oSection->parentWidget()))
        oSection = oSection->parentWidget();
    QSet<QChar> oUsed;
    for (const QWidget* o : oSection->findChildren<QWidget*>())
        if (const QChar c = ShownAccessKey(o); o != oCtrl && !c.isNull()) oUsed.insert(c);

    const QString sDesigned = oCtrl->property(kAccessKey).toString();
    const QChar cDesigned = sDesigned.isEmpty() ? QChar() : sDesigned[0];
    const auto WordStart = [&sText](qsizetype i) {
        return i == 0 || !sText[i - 1].isLetterOrNumber();
    };
    const auto Holds = [&](QChar c, bool bWordStart) {
        for (qsizetype i = 0; i < sText.size(); ++i)
            if (sText[i].toUpper() == c && (!bWordStart || WordStart(i))) return true;
        return false;
    };
    // The designed key at a word start, a free key at a word start, the designed key
    // anywhere, a free key anywhere.
    for (const bool bWordStart : {true, false}) {
        if (!cDesigned.isNull() && Holds(cDesigned, bWordStart)) return cDesigned;
        for (qsizetype i = 0; i < sText.size(); ++i) {
            const QChar c = sText[i].toUpper();
            if (c.isLetterOrNumber() && !oUsed.contains(c) && (!bWordStart || WordStart(i)))
                return c;
        }
    }
    return {};
}

void ctlSectionPanel::SetCaption(QWidget* oCtrl, const QString& sCaption) {
    if (Caption(oCtrl) == sCaption) return;
    const QString sMarked = MarkAccessKey(sCaption, ChooseAccessKey(oCtrl, sCaption));
    if (auto* oLabel = qobject_cast<QLabel*>(oCtrl)) {
        // A label marks a key only when it leads to a field.
        oLabel->setText(oLabel->buddy() ? sMarked : sCaption);
        if (oLabel->buddy()) oLabel->buddy()->setAccessibleName(sCaption);
    } else if (auto* oButton = qobject_cast<QAbstractButton*>(oCtrl)) {
        oButton->setText(sMarked);
        oButton->setAccessibleName(sCaption);
    }
}

void ctlSectionPanel::SetOptionCaption(QWidget* oCtrl, const QString& sCaption) {
    // Captions from the price table are set again at every refresh and seldom change.
    if (Caption(oCtrl) == sCaption) return;
    SetCaption(oCtrl, sCaption);
    const QString sName = oCtrl->objectName();
    for (QWidget* o : m_aoControls)
        if (IsShowBox(o) && !ControlTag(o).isEmpty() && sName.contains(ControlTag(o))) {
            o->setAccessibleName(tr("Show %1").arg(sCaption));
            return;
        }
}

bool ctlSectionPanel::IsOffered(const QString&) const {
    return true;
}

void ctlSectionPanel::Enable(QWidget* oCtrl, bool bEnabled, bool bIncludeFrame) {
    SetControlEnabled(bEnabled, oCtrl, bIncludeFrame);
}

std::vector<QCheckBox*> ctlSectionPanel::ShowBoxes() const {
    std::vector<QCheckBox*> aoBoxes;
    for (QWidget* o : m_aoControls)
        if (IsShowBox(o)) aoBoxes.push_back(static_cast<QCheckBox*>(o));
    return aoBoxes;
}

bool ctlSectionPanel::IsLayoutControl(const QWidget* oCtrl) const {
    return !IsHeaderImage(oCtrl) && !IsShowBox(oCtrl);
}

void ctlSectionPanel::Display() {
    for (QWidget* o : m_aoControls)
        ColourControl(o);

    m_oVisibleList = LoadVisibleList(SectionKey());
    if (m_oVisibleList.Count() == 0) {
        // A new installation shows every option.
        for (QCheckBox* oBox : ShowBoxes())
            m_oVisibleList.AddToArray(ControlTag(oBox).toStdString());
        SaveVisibleList(SectionKey(), m_oVisibleList);
    }

    if (!m_oLocator.AddingComplete()) {
        // A control that no Show box governs cannot be hidden by the list.
        m_asFixedTags.clear();
        const auto aoBoxes = ShowBoxes();
        for (QWidget* o : m_aoControls) {
            if (!IsLayoutControl(o)) continue;
            const bool bGoverned = std::any_of(aoBoxes.begin(), aoBoxes.end(), [&](QCheckBox* b) {
                return o->objectName().contains(ControlTag(b));
            });
            if (!bGoverned && o->property(kShowTag).toString().isEmpty())
                m_asFixedTags.push_back(o->objectName());
        }
    }
    m_oLocator.Reset();
    m_oLocator.Section(SectionKey());
    m_oLocator.Offered([this](const QString& sName) { return IsOffered(sName); });
    for (QWidget* o : m_aoControls) {
        if (!IsLayoutControl(o)) continue;
        // An option panel takes part with its design height, whatever it shows now.
        if (auto* oPanel = qobject_cast<ctlSectionPanel*>(o))
            m_oLocator.AddControl(o->objectName(), ControlTop(o), oPanel->DesignHeight());
        else
            m_oLocator.AddControl(o);
    }
    m_oLocator.FixedTags(m_asFixedTags);
    m_oLocator.AddingComplete(true);

    m_bShowBoxFlag = true;
    for (QCheckBox* oBox : ShowBoxes())
        SetShowBoxFromList(oBox, m_oVisibleList);
    m_bShowBoxFlag = false;
}

std::vector<QString> ctlSectionPanel::ListedNames() const {
    std::vector<QString> asNames = m_asFixedTags;
    for (QWidget* o : m_aoControls) {
        const QString sTag = o->property(kShowTag).toString();
        if (!sTag.isEmpty() && m_oVisibleList.Exists(sTag.toStdString(), false))
            asNames.push_back(o->objectName());
    }
    return asNames;
}

clsTokeniser ctlSectionPanel::EffectiveList() const {
    clsTokeniser oList = m_oVisibleList;
    for (const QString& s : ListedNames())
        oList.AddToArray(s.toStdString());
    return oList;
}

void ctlSectionPanel::OnShowBoxClick() {
    if (m_bShowBoxFlag) return;
    clsTokeniser oList;
    for (QCheckBox* oBox : ShowBoxes())
        if (oBox->isChecked()) oList.AddToArray(ControlTag(oBox).toStdString());
    SaveVisibleList(SectionKey(), oList);
    m_oVisibleList = LoadVisibleList(SectionKey());
    // Nothing moves until configuration mode is left.
    m_oLocator.UpdateVisibility();
}

int32_t ctlSectionPanel::DesignHeight() const {
    int32_t lHeight = 0;
    for (QWidget* o : m_aoControls)
        if (IsLayoutControl(o) && o->parentWidget() == this)
            lHeight = std::max(lHeight, o->property(kDesignBottom).toInt());
    return lHeight;
}

void ctlSectionPanel::ShowConfig(bool bShow) {
    // A panel arranged before it was ever shown registers its controls first.
    if (!m_oLocator.AddingComplete()) Display();
    m_bShowConfig = bShow;
    for (QWidget* o : m_aoControls)
        if (auto* oPanel = qobject_cast<ctlSectionPanel*>(o)) oPanel->ShowConfig(bShow);

    if (m_imgHeader) m_imgHeader->hide();
    const int32_t lWidth =
        bShow ? m_oLayout.m_lShowLeft + m_oLayout.m_lShowWidth + 10 : m_oLayout.m_lShowLeft - 10;
    const clsTokeniser oList = EffectiveList();
    for (QWidget* o : m_aoControls)
        if (IsLayoutControl(o)) {
            ApplyControlVisibility(o, oList, bShow);
            if (!IsOffered(o->objectName())) o->hide();
        }
    Arrange();
    PlaceShowBoxes();
    SetControlWidth(this, lWidth);
}

void ctlSectionPanel::PlaceShowBoxes() {
    for (QCheckBox* oBox : ShowBoxes()) {
        oBox->setEnabled(m_bShowConfig);
        // Out of configuration mode the Show column is cut off; hidden, the boxes are also
        // out of the way of the keyboard and of screen readers.
        if (!m_bShowConfig) {
            oBox->hide();
            continue;
        }
        oBox->show();
        const QString sTag = ControlTag(oBox);
        for (QWidget* o : m_aoControls) {
            if (o == oBox || IsShowBox(o) || IsOwnControl(o) || !o->objectName().contains(sTag) ||
                ContainerKind(o) != ContainerKind(oBox))
                continue;
            SetControlTop(oBox, ControlTop(o));
            // In configuration mode only an option of the other region, or one the panel
            // cannot offer now, is hidden: its box goes with it.
            oBox->setVisible(!o->isHidden());
            break;
        }
    }
}

void ctlSectionPanel::Arrange() {
    for (QWidget* o : m_aoControls)
        if (IsLayoutControl(o)) m_oLocator.UpdateHeight(o);
    m_oLocator.FixedTags(ListedNames());
    m_oLocator.UpdateVisibility();
    m_oLocator.BuildList(!m_bShowConfig);

    int32_t lHeight = 0;
    QString sName;
    for (int32_t i = 0; m_oLocator.GetExcludedControl(i, sName); ++i)
        if (QWidget* o = Control(sName)) o->hide();
    int32_t lTop = 0;
    for (int32_t i = 0; m_oLocator.GetIncludedControl(i, sName, lTop); ++i) {
        QWidget* o = Control(sName);
        if (!o) continue;
        o->show();
        SetControlTop(o, lTop);
        lHeight = lTop + ControlHeight(o);
    }
    SetControlHeight(this, lHeight);
}

void ctlSectionPanel::GotFocus() {
    if (m_imgHeader && m_bShowConfig) m_imgHeader->show();
}

void ctlSectionPanel::LostFocus() {
    if (m_imgHeader) m_imgHeader->hide();
}

void ctlSectionPanel::showEvent(QShowEvent* oEvent) {
    QWidget::showEvent(oEvent);
    if (!oEvent->spontaneous()) Display();
}

void ctlSectionPanel::resizeEvent(QResizeEvent* oEvent) {
    QWidget::resizeEvent(oEvent);
    if (m_imgHeader) SetControlWidth(m_imgHeader, ControlWidth(this));
}

void ctlSectionPanel::UpdateOptionFocus() {
    const QList<QAbstractButton*> aoOptions = m_oOptions->buttons();
    const auto CanStop = [](const QAbstractButton* o) { return o->isEnabled() && !o->isHidden(); };
    QAbstractButton* oStop = m_oOptions->checkedButton();
    if (!oStop || !CanStop(oStop)) {
        const auto it = std::find_if(aoOptions.begin(), aoOptions.end(), CanStop);
        oStop = it == aoOptions.end() ? nullptr : *it;
    }
    for (QAbstractButton* o : aoOptions) {
        const Qt::FocusPolicy ePolicy = o == oStop ? Qt::StrongFocus : Qt::ClickFocus;
        if (o->focusPolicy() != ePolicy) o->setFocusPolicy(ePolicy);
    }
}

bool ctlSectionPanel::eventFilter(QObject* oWatched, QEvent* oEvent) {
    const auto eType = oEvent->type();
    if (oWatched != m_imgHeader) {
        if ((eType == QEvent::EnabledChange || eType == QEvent::ShowToParent ||
             eType == QEvent::HideToParent) &&
            qobject_cast<QRadioButton*>(oWatched))
            UpdateOptionFocus();
        return QWidget::eventFilter(oWatched, oEvent);
    }
    if (eType != QEvent::MouseButtonPress && eType != QEvent::MouseMove &&
        eType != QEvent::MouseButtonRelease)
        return false;
    const QPointF oPixels = static_cast<QMouseEvent*>(oEvent)->position();
    const QPointF oPos(PixelsToTwipsF(oPixels.x()), PixelsToTwipsF(oPixels.y()));
    const bool bDragging = ControlTag(m_imgHeader) == QLatin1String("1");
    if (eType == QEvent::MouseButtonPress) {
        SetControlTag(m_imgHeader, QStringLiteral("1"));
        m_fDragX = float(oPos.x());
        m_fDragY = float(oPos.y());
    } else if (bDragging) {
        emit Moved(float(oPos.x()) - m_fDragX, float(oPos.y()) - m_fDragY);
        if (eType == QEvent::MouseButtonRelease) SetControlTag(m_imgHeader, QStringLiteral("0"));
    }
    return true;
}
