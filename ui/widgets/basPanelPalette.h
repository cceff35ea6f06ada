#pragma once

#include <QColor>
#include <QPalette>

// The panels' own colours: light text on deep navy, white entry fields and an amber focus
// ring, the same on every system theme, so that the figures read alike on a light desktop and
// on a dark one. Every text colour reads at 4.5:1 or better on the background it is drawn
// on, and the focus ring and the field borders at 3:1 or better.

// The panel background and its text; greyed text; the line under the selling costs.
QColor PanelBackground();
QColor PanelText();
QColor PanelGreyText();
QColor PanelLineColour();
// Keyboard focus: the ring around the control in hand, and the header grip.
QColor FocusRingColour();
// The edge of an entry field (drawn by the style a shade darker than the field's window
// colour), and the colours inside it.
QColor FieldWindow();
QColor FieldBorderColour();
QColor FieldBackground();
QColor FieldText();
// The wizard's buttons: a navy face with a light edge and white text.
QColor ButtonFace();
QColor ButtonEdge();
QColor ButtonText();

// The palettes set on panels (labels, check boxes and options inherit it) and on the entry
// fields inside them. Every role is set, so that nothing of the system's palette shows
// through.
QPalette PanelPalette();
QPalette FieldPalette();

// The contrast of two colours as accessibility guidelines measure it: 1 (none) to 21.
double ContrastRatio(const QColor& oFore, const QColor& oBack);
// A colour of the user's settings made readable on a background: lightened (on a dark
// background) or darkened (on a light one) just enough to reach dRatio; unchanged when it
// reads already.
QColor ReadableOn(const QColor& oFore, const QColor& oBack, double dRatio = 4.5);
