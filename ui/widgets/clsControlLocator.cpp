#include "clsControlLocator.h"

#include "basControls.h"

#include <QWidget>

#include <algorithm>
#include <set>

void clsControlLocator::Section(const std::string& sControlSection) {
    m_sSection = sControlSection;
    m_oVisibleList = LoadVisibleList(m_sSection);
}

void clsControlLocator::Reset() {
    if (m_bAddingComplete) return;
    *this = clsControlLocator();
}

void clsControlLocator::AddControl(const QWidget* oCtrl) {
    if (!oCtrl || ContainerKind(oCtrl) == QLatin1String("Frame")) return;
    AddControl(oCtrl->objectName(), ControlTop(oCtrl), ControlHeight(oCtrl));
}

void clsControlLocator::AddControl(const QString& sName, int32_t lTop, int32_t lHeight) {
    if (m_bAddingComplete) return;
    m_aoSlots.push_back({sName, lTop, lHeight, lHeight, IsListed(sName)});
    m_bSorted = false;
    m_bBuilt = false;
}

void clsControlLocator::UpdateHeight(const QWidget* oCtrl) {
    if (oCtrl) UpdateHeight(oCtrl->objectName(), ControlHeight(oCtrl));
}

void clsControlLocator::UpdateHeight(const QString& sName, int32_t lHeight) {
    const auto it = std::find_if(m_aoSlots.begin(), m_aoSlots.end(),
                                 [&](const clsSlot& o) { return o.m_sName == sName; });
    if (it != m_aoSlots.end()) it->m_lHeight = lHeight;
}

void clsControlLocator::UpdateVisibility() {
    m_oVisibleList = LoadVisibleList(m_sSection);
    for (clsSlot& oSlot : m_aoSlots)
        oSlot.m_bListed = IsListed(oSlot.m_sName);
}

void clsControlLocator::FixedTags(const std::vector<QString>& asTags) {
    m_asFixedTags = asTags;
    for (clsSlot& oSlot : m_aoSlots)
        oSlot.m_bListed = IsListed(oSlot.m_sName);
}

bool clsControlLocator::IsListed(const QString& sName) const {
    return IsNameListed(sName, m_oVisibleList) ||
           std::any_of(m_asFixedTags.begin(), m_asFixedTags.end(),
                       [&](const QString& s) { return sName.contains(s); });
}

void clsControlLocator::Sort() {
    // Stable, so that controls of one row keep their registration order.
    std::stable_sort(m_aoSlots.begin(), m_aoSlots.end(),
                     [](const clsSlot& a, const clsSlot& b) { return a.m_lTop < b.m_lTop; });
    m_bSorted = true;
    m_bBuilt = false;
}

void clsControlLocator::BuildList(bool bVisibleOnly) {
    if (!m_bSorted) Sort();
    if (m_aoSlots.empty()) return;

    m_aoIncluded.clear();
    m_asExcluded.clear();
    int32_t y = m_aoSlots.front().m_lTop;
    const clsSlot* oLastIncluded = nullptr;
    for (size_t i = 0; i < m_aoSlots.size(); ++i) {
        const clsSlot& oSlot = m_aoSlots[i];
        // A row with nothing included takes no room: the next row moves up into its place.
        // A row closes after its last included control even when a control left out
        // follows it on the same row, so that the next row never lands on it.
        if (i > 0 && oSlot.m_lTop != m_aoSlots[i - 1].m_lTop) {
            if (oLastIncluded) {
                // The row takes the current height of its last control and keeps the design
                // gap below it.
                y += oLastIncluded->m_lHeight +
                     (oSlot.m_lTop - (oLastIncluded->m_lTop + oLastIncluded->m_lDesignHeight));
                oLastIncluded = nullptr;
            }
        }
        const bool bIncluded = !(bVisibleOnly && !oSlot.m_bListed) &&
                               IsControlInRegion(oSlot.m_sName) &&
                               (!m_fnOffered || m_fnOffered(oSlot.m_sName));
        if (bIncluded) {
            m_aoIncluded.push_back({oSlot.m_sName, y, oSlot.m_lHeight, oSlot.m_bListed});
            oLastIncluded = &oSlot;
        } else {
            m_asExcluded.push_back(oSlot.m_sName);
        }
    }
    m_lIncludedCount = int32_t(m_aoIncluded.size());
    m_lExcludedCount = int32_t(m_asExcluded.size());
    m_bBuilt = true;
}

bool clsControlLocator::GetIncludedControl(int32_t lIdx, QString& sControlName,
                                           int32_t& lControlTop) const {
    if (!m_bBuilt || lIdx < 0 || lIdx >= m_lIncludedCount) return false;
    sControlName = m_aoIncluded[size_t(lIdx)].m_sName;
    lControlTop = m_aoIncluded[size_t(lIdx)].m_lTop;
    return true;
}

bool clsControlLocator::GetExcludedControl(int32_t lIdx, QString& sControlName) const {
    if (!m_bBuilt || lIdx < 0 || lIdx >= m_lExcludedCount) return false;
    sControlName = m_asExcluded[size_t(lIdx)];
    return true;
}
