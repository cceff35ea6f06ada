#pragma once

#include "clsControlLocator.h"
#include "clsTokeniser.h"

#include <QHash>
#include <QString>
#include <QWidget>

#include <climits>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <vector>

class QAbstractButton;
class QButtonGroup;
class QCheckBox;
class QLabel;

// The kind of control a panel row builds: a label, a check box, an option button, a numeric
// field (ctlNumericText), a list to choose from (QComboBox), a frame that holds one control so that
// greying it makes the control inert, or a Show box (its Tag names the option it shows or hides; it
// stands in the Show column, level with that option).
enum class RowKind { Label, CheckBox, OptionButton, Numeric, ComboBox, Frame, Show };

// The panel member that keeps the control a row builds. A member whose type does not fit the
// row's kind is a programming error, raised when the panel is built.
class clsControlRef {
public:
    clsControlRef() = default;
    template <class T>
    clsControlRef(T** ppCtrl) : m_ppCtrl(ppCtrl), m_fnKeep(ppCtrl ? &KeepAs<T> : nullptr) {}
    void Keep(QWidget* oCtrl) const {
        if (m_fnKeep) m_fnKeep(m_ppCtrl, oCtrl);
    }

private:
    template <class T> static void KeepAs(void* ppCtrl, QWidget* oCtrl) {
        T* o = qobject_cast<T*>(oCtrl);
        if (!o)
            throw std::logic_error("the member of " + oCtrl->objectName().toStdString() +
                                   " does not fit its kind");
        *static_cast<T**>(ppCtrl) = o;
    }

    void* m_ppCtrl = nullptr;
    void (*m_fnKeep)(void*, QWidget*) = nullptr;
};

// Tops of rows the locator re-flows need not be written: by default a row stands one pitch
// (280 twips) below the row before, the first at the panel's first row.
constexpr int32_t kNextRow = INT32_MIN;
// Level with the control before, as a field beside its label.
constexpr int32_t kSameRow = INT32_MIN + 1;

// One row of a panel's design: a control with its caption and place (twips).
struct clsControlRow {
    RowKind m_eKind;
    const char* m_sName;
    const char* m_sCaption = "";
    int32_t m_lLeft = 0;
    int32_t m_lTop = kNextRow; // in a frame: 0
    int32_t m_lWidth = 0;
    int32_t m_lHeight = 255;
    int32_t m_lValue = 0;               // an option button's value in the model, its group id
    const char* m_sTag = "";            // a Show box: the fragment of the names it governs
    const char* m_sContainer = nullptr; // a frame declared earlier; none: the panel
    clsControlRef m_oKeep = {};         // the member that keeps the control
};

// The rows every panel has: a Show box governing the controls whose names hold sTag, and the
// "Section Total " label of a section panel.
clsControlRow ShowRow(const char* sName, const char* sTag, QCheckBox** ppKeep = nullptr);
clsControlRow TotalRow(int32_t lWidth, QLabel** ppKeep, int32_t lTop = kNextRow);

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
// constructor, keeping the controls it works with in typed members, and implements its own
// Apply method and WriteBack. Its option buttons form one group whose ids are their values
// in the model. A control whose name holds no Show-box tag can be governed by one through
// its "ShowTag" property.
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
    // A control by name, as the locator and the stored lists know it.
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
    // Places an option panel, made with this panel as its parent, as the next row; its
    // Changed runs this panel's OnClick.
    template <class T> T* AddPanel(T* oPanel, const char* sName, int32_t lLeft, int32_t lTop) {
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
    QList<QAbstractButton*> Options() const;
    // Caption (plain text) of a label, check box or option; a field labelled by it is named
    // after it. It keeps its access key when the new caption holds that letter, else takes
    // one that no other control of the section panel uses.
    void SetCaption(QWidget* oCtrl, const QString& sCaption);
    // The same for a caption from the price table, and the Show box of the control is named
    // after it: "Show £0.00 - £1500.00".
    void SetOptionCaption(QWidget* oCtrl, const QString& sCaption);
    static void Enable(QWidget* oCtrl, bool bEnabled, bool bIncludeFrame = true);
    // Whether the control of that name has anything to offer now (by default every one does):
    // one that has not is left out of the layout, in configuration mode too, like a control
    // of the other region. A panel whose answer changes lays itself out again (ShowConfig).
    virtual bool IsOffered(const QString& sName) const;

    void showEvent(QShowEvent* oEvent) override;
    void resizeEvent(QResizeEvent* oEvent) override;
    bool eventFilter(QObject* oWatched, QEvent* oEvent) override;

    // Set while an Apply method fills the controls: no control event writes back then.
    bool m_bApplying = false;

private:
    void AddPanelControl(ctlSectionPanel* oPanel, const char* sName, int32_t lLeft, int32_t lTop);
    // The Top of a row, and the row the next one follows.
    int32_t RowTop(const clsControlRow& oRow);
    void AddControl(QWidget* oCtrl, const clsControlRow& oRow, int32_t lTop);
    void OnShowBoxClick();
    void Arrange();
    void PlaceShowBoxes();
    // Tab stops at one option of the group, the selected one (or the first that can be
    // chosen when none is): the arrow keys move within the group, as in a dialog.
    void UpdateOptionFocus();
    // The stored list plus the controls that no Show box governs.
    clsTokeniser EffectiveList() const;
    // Names always listed, and those whose "ShowTag" property names a listed tag.
    std::vector<QString> ListedNames() const;
    std::vector<QCheckBox*> ShowBoxes() const;
    bool IsLayoutControl(const QWidget* oCtrl) const;
    QChar ChooseAccessKey(const QWidget* oCtrl, const QString& sText) const;

    clsPanelLayout m_oLayout;
    bool m_bShowConfig = false;
    bool m_bShowBoxFlag = false;
    clsControlLocator m_oLocator;
    clsTokeniser m_oVisibleList;
    std::vector<QString> m_asFixedTags;
    std::vector<QWidget*> m_aoControls;
    // The controls by name, for the locator's re-flow.
    QHash<QString, QWidget*> m_oControlsByName;
    QButtonGroup* m_oOptions = nullptr;
    // The Top of the last row built.
    int32_t m_lRowTop = 0;
    QLabel* m_imgHeader = nullptr;
    float m_fDragX = 0;
    float m_fDragY = 0;
};
