#pragma once

#include "ctlSectionPanel.h"

class QCheckBox;
class clsAuctionType;

// The pattern of an option panel, placed nowhere: two boxes that set the kind of property.
class ctlSubControlExample : public ctlSectionPanel {
    Q_OBJECT

public:
    explicit ctlSubControlExample(QWidget* oParent = nullptr);

    void ApplyAuctionType(clsAuctionType& oType);

protected:
    void WriteBack() override;

private:
    clsAuctionType* m_oType = nullptr;
    QCheckBox* m_chkCheck1 = nullptr;
    QCheckBox* m_chkCheck2 = nullptr;
};
