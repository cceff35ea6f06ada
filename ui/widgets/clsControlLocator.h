#pragma once

#include "clsTokeniser.h"

#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

class QWidget;

// Re-flows the rows of a panel: sorts the registered controls into rows by their design
// Top, leaves out the hidden ones and closes the gaps, keeping the design gap below each
// row. Positions and heights are in twips.
class clsControlLocator {
public:
    // Stores the section key and loads its visible list.
    void Section(const std::string& sControlSection);
    // Back to the state at creation, unless adding is complete.
    void Reset();
    // Registers a control by its name, design Top and height; controls inside a frame are
    // placed with their frame and are not registered.
    void AddControl(const QWidget* oCtrl);
    void AddControl(const QString& sName, int32_t lTop, int32_t lHeight);
    bool AddingComplete() const { return m_bAddingComplete; }
    void AddingComplete(bool bIsComplete) { m_bAddingComplete = bIsComplete; }
    void UpdateHeight(const QWidget* oCtrl);
    void UpdateHeight(const QString& sName, int32_t lHeight);
    // Reloads the section's visible list and recomputes which controls it lists.
    void UpdateVisibility();
    // Tags that count as listed whatever the stored list holds (controls no Show box governs).
    void FixedTags(const std::vector<QString>& asTags);
    // Controls the panel cannot offer now (none given: every control of the region) are left
    // out like controls of the other region, listed or not.
    void Offered(std::function<bool(const QString&)> fnOffered) {
        m_fnOffered = std::move(fnOffered);
    }
    // Included and excluded controls; with bVisibleOnly only listed controls take part.
    void BuildList(bool bVisibleOnly);
    bool BuiltControls() const { return m_bBuilt; }
    int32_t IncludedCount() const { return m_lIncludedCount; }
    int32_t ExcludedCount() const { return m_lExcludedCount; }
    bool GetIncludedControl(int32_t lIdx, QString& sControlName, int32_t& lControlTop) const;
    bool GetExcludedControl(int32_t lIdx, QString& sControlName) const;

private:
    struct clsSlot {
        QString m_sName;
        int32_t m_lTop = 0;
        int32_t m_lDesignHeight = 0;
        int32_t m_lHeight = 0;
        bool m_bListed = false;
    };
    struct clsPlaced {
        QString m_sName;
        int32_t m_lTop = 0;
        int32_t m_lHeight = 0;
        bool m_bListed = false;
    };
    bool IsListed(const QString& sName) const;
    void Sort();

    std::string m_sSection;
    std::function<bool(const QString&)> m_fnOffered;
    clsTokeniser m_oVisibleList;
    std::vector<QString> m_asFixedTags;
    std::vector<clsSlot> m_aoSlots;
    std::vector<clsPlaced> m_aoIncluded;
    std::vector<QString> m_asExcluded;
    bool m_bAddingComplete = false;
    bool m_bSorted = false;
    bool m_bBuilt = false;
    int32_t m_lIncludedCount = 0;
    int32_t m_lExcludedCount = 0;
};
