#pragma once

#include "clsControlLocator.h"
#include "clsTokeniser.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

class QCheckBox;
class QLabel;
class ctlNumericText;

// One row of a panel's design: a control with its caption, Tag and place (twips).
// Kinds: "Label", "CheckBox", "OptionButton", "ctlNumericText", "Frame" and "Show" (a Show
// box: its Tag names the option it shows or hides; its place is the Show column, level
// with that option).
struct clsControlRow {
    const char* m_sKind;
    const char* m_sName;
    const char* m_sCaption = "";
    const char* m_sTag = "";
    int32_t m_lLeft = 0;
    int32_t m_lTop = 0;
    int32_t m_lWidth = 0;
    int32_t m_lHeight = 255;
    int32_t m_lValue = 0;               // an option button's value in the model
    const char* m_sContainer = nullptr; // a frame declared earlier; none: the panel
};

// What sets a panel apart from the others besides its rows.
struct clsPanelLayout {
    std::string m_sSectionKey; // "Outlay", "MotorTypes" ...: where its visible list is kept
    int32_t m_lShowLeft = 0;   // the Show-box column
    int32_t m_lShowWidth = 855;
    bool m_bSection = false; // a section panel (with a header grip), not an option panel
};

// The skeleton shared by the section panels and the option panels placed inside them:
// controls built from rows, inverted colours, Show boxes and configuration mode, the
// stored visible list, the re-flow of rows by the control locator, and the write-back of
// user edits into the model followed by Changed. A panel declares its rows in its
// constructor and implements its own Apply method and WriteBack. A control whose name holds
// no Show-box tag can be governed by one through its "ShowTag" property.
class ctlSectionPanel : public QWidget {
    Q_OBJECT

public:
    ctlSectionPanel(QWidget* oParent, clsPanelLayout oLayout);

    bool ShowConfig() const { return m_bShowConfig; }
    // Passes the mode on to the option panels held, then re-lays the panel out.
    void ShowConfig(bool bShow);
    // Colours, loads the visible list (an empty one becomes every option) and registers
    // the controls with the locator; runs each time the panel becomes visible.
    void Display();
    // The host tells a section panel when it gains or loses the focus.
    void GotFocus();
    void LostFocus();
    // The height with every row shown, as designed.
    int32_t DesignHeight() const;

    const std::string& SectionKey() const { return m_oLayout.m_sSectionKey; }
    QWidget* Control(const QString& sName) const;
    template <class T> T* ControlAs(const QString& sName) const {
        return qobject_cast<T*>(Control(sName));
    }
    // The panel's own controls in design order (Show boxes and header included).
    const std::vector<QWidget*>& Controls() const { return m_aoControls; }

signals:
    void Changed();
    // The header is dragged by (X, Y) twips from where the drag began.
    void Moved(float X, float Y);

protected:
    void AddRows(std::initializer_list<clsControlRow> aoRows);
    // Places an option panel as the next row; its Changed runs this panel's OnClick.
    template <class T> T* AddPanel(const char* sName, int32_t lLeft, int32_t lTop) {
        T* oPanel = new T(this);
        AddPanelControl(oPanel, sName, lLeft, lTop);
        return oPanel;
    }
    // A control was changed by the user (never while applying): by default the write-back.
    virtual void OnClick(QWidget* oCtrl);
    // Reads the controls into the model, marks it dirty and raises Changed.
    virtual void WriteBack() = 0;

    // Option buttons of the panel: on when their value equals lValue (none matching: all off).
    void SetOptions(int32_t lValue);
    // The value of the option that is on; false when none is.
    bool SelectedOption(int32_t& lValue) const;
    // Caption of a label, check box or option; a field labelled by it is named after it.
    void SetCaption(const QString& sName, const QString& sCaption);
    // The same for a caption from the price table, and the Show box of the control is named
    // after it: "Show £0.00 - £1500.00".
    void SetOptionCaption(const QString& sName, const QString& sCaption);
    void Enable(const QString& sName, bool bEnabled, bool bIncludeFrame = true);
    QCheckBox* CheckBox(const QString& sName) const;
    ctlNumericText* Numeric(const QString& sName) const;

    void showEvent(QShowEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;

    // Set while an Apply method fills the controls: no control event writes back then.
    bool m_bApplying = false;

private:
    void AddPanelControl(ctlSectionPanel* oPanel, const char* sName, int32_t lLeft, int32_t lTop);
    void AddControl(QWidget* oCtrl, const clsControlRow& oRow);
    void OnShowBoxClick();
    void Arrange();
    void PlaceShowBoxes();
    // The stored list plus the controls that no Show box governs.
    clsTokeniser EffectiveList() const;
    // Names always listed, and those whose "ShowTag" property names a listed tag.
    std::vector<QString> ListedNames() const;
    std::vector<QCheckBox*> ShowBoxes() const;
    bool IsLayoutControl(const QWidget* oCtrl) const;

    clsPanelLayout m_oLayout;
    bool m_bShowConfig = false;
    bool m_bShowBoxFlag = false;
    clsControlLocator m_oLocator;
    clsTokeniser m_oVisibleList;
    std::vector<QString> m_asFixedTags;
    std::vector<QWidget*> m_aoControls;
    // The controls by name, for the lookups every refresh makes.
    QHash<QString, QWidget*> m_oControlsByName;
    QLabel* m_imgHeader = nullptr;
    float m_fDragX = 0;
    float m_fDragY = 0;
};
