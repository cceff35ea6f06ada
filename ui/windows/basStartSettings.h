#pragma once

class QComboBox;
class ctlNumericText;

// The settings that the about box's settings page and the Preferences dialog both hold, read
// and written in one place: the start mode ("StartMode": "0" Wizard, "1" Advanced, which opens
// the calculator) and the snap-to-grid step ("SnapToGrid", in twips).

// Fills the list with "Wizard" (0) and "Advanced" (1) and selects the stored start mode; any
// other stored text selects the first entry.
void LoadStartMode(QComboBox* cboStartMode);
// A grid step of 1 to 1000 twips: a coarser grid could not place the panels.
void SetUpSnapToGrid(ctlNumericText* txtSnapToGrid);
// Shows the stored step.
void LoadSnapToGrid(ctlNumericText* txtSnapToGrid);
// Stores the chosen start mode and the step; the step takes effect at once.
void ApplyStartSettings(const QComboBox* cboStartMode, ctlNumericText* txtSnapToGrid);
