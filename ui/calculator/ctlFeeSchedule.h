#pragma once

#include <QWidget>

class QButtonGroup;
class QLabel;

// The choice of fee schedule above the panels: eBay's fees of 2008 (the shipped price file)
// or today's (2024 onwards), with a note on how far today's figures can be trusted and the
// date of their data. The choice is kept in the settings and applies at once.
class ctlFeeSchedule : public QWidget {
    Q_OBJECT

public:
    explicit ctlFeeSchedule(QWidget* oParent = nullptr);

    // Shows the schedule the price table holds.
    void ApplySchedule();

signals:
    // The user switched the schedule and the price table now holds it.
    void ScheduleChanged();

private:
    void OnChosen(int lSchedule);

    // Ids are the FeeSchedule values.
    QButtonGroup* m_grpSchedule = nullptr;
    QLabel* m_lblScheduleNote = nullptr;
};
