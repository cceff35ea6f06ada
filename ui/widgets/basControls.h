#pragma once

#include "clsTokeniser.h"

#include <QColor>
#include <QString>

#include <cstdint>
#include <string>

class QWidget;
class QLabel;
class QCheckBox;

// Control-level procedures shared by every panel: geometry in twips, the kind of a
// control, colours, enabling, and visibility by the stored visible lists and the region.

// Panel geometry is kept in twips: 15 twips to a pixel at 96 dpi with the panels' design
// font of 8 points. A larger user font (or a higher dpi) makes every twip larger in the same
// proportion, as the font's metrics measure it, so that rows, captions and fields grow
// together; stored positions stay in the same twips whatever the font.
int32_t TwipsToPixels(int32_t lTwips);
int32_t PixelsToTwips(int32_t lPixels);
double PixelsToTwipsF(double dPixels);
// Pixels per 1/15 twip: 1 at the design font, more with a larger one; never less than 1.
double TwipsScale();
// Screen twips, 15 to a pixel whatever the font: the stored placement of windows.
int32_t ScreenTwipsToPixels(int32_t lTwips);
int32_t PixelsToScreenTwips(int32_t lPixels);

// A file of the program's pictures and movies, as movies are named:
// "Buttons\About_button.swf" -> "<program folder>\Graphics\Buttons\About_button.swf".
QString GraphicsPath(const QString& sFile);

// A control's design geometry in twips. The twips are kept on the control itself, so that
// reading a position back never suffers from the rounding to whole pixels.
int32_t ControlLeft(const QWidget* oCtrl);
int32_t ControlTop(const QWidget* oCtrl);
int32_t ControlWidth(const QWidget* oCtrl);
int32_t ControlHeight(const QWidget* oCtrl);
void SetControlGeometry(QWidget* oCtrl, int32_t lLeft, int32_t lTop, int32_t lWidth,
                        int32_t lHeight);
void SetControlTop(QWidget* oCtrl, int32_t lTop);
void SetControlWidth(QWidget* oCtrl, int32_t lWidth);
void SetControlHeight(QWidget* oCtrl, int32_t lHeight);

// "Label", "CheckBox", "OptionButton", "Frame", "Image", or the class name of the program's
// own controls ("ctlNumericText", "ctlAuctionOptions" ...).
QString ControlKind(const QWidget* oCtrl);
// The kind of the control's container; empty for a control without one.
QString ContainerKind(const QWidget* oCtrl);
// The control's Tag (a dynamic property).
QString ControlTag(const QWidget* oCtrl);
void SetControlTag(QWidget* oCtrl, const QString& sTag);
// A caption as read aloud: "&Standard Auction" -> "Standard Auction", "B && I" -> "B & I".
QString StripAmpersand(const QString& sCaption);
// The access key a caption marks, upper case: "&Standard Auction" -> 'S'; none: a null QChar.
QChar AccessKey(const QString& sCaption);
// Plain text as a caption that marks cKey, at a word start where it can: ("Buy it Now
// Price", 'N') -> "Buy it &Now Price". Ampersands of the text are kept as text.
QString MarkAccessKey(const QString& sText, QChar cKey);

// A 0x00BBGGRR colour value.
QColor ColourFromValue(int32_t lColour);

// Light on dark: a panel takes the panels' own palette (basPanelPalette.h), whatever the
// system's theme. Its text is in the user's font; the geometry grows with it (TwipsScale).
void SetInvertedPalette(QWidget* oPanel);
void SetPanelFont(QWidget* oPanel);
// Gives a host (the calculator, the wizard) a canvas that scrolls when the host is smaller
// than the canvas's minimum size: the host's parts are placed on the canvas, in the panels'
// colours, and the canvas fills the host whenever the host is larger.
QWidget* AddScrolledCanvas(QWidget* oHost);
// An entry field inside a panel: dark text in a white box with a visible edge.
void SetFieldPalette(QWidget* oField);

// The colour of a loss on a background: a light red on a dark panel, a dark red on a light one.
QColor LossColour(const QColor& oBackground);

// Panel colours for labels, check boxes, option buttons and frames; lblTotal in the
// "SubtotalColour" setting (made readable on the panel when the chosen colour is not).
void ColourControl(QWidget* oCtrl);
// Greys a control out or back in; a greyed check box is unticked, and with bIncludeFrame a
// control alone in a frame makes the frame inert too.
void SetControlEnabled(bool bEnabled, QWidget* oCtrl, bool bIncludeFrame);
// Out of configuration mode a control shows when a tag of the list occurs in its name;
// controls of the other region never show.
void ApplyControlVisibility(QWidget* oCtrl, const clsTokeniser& oVisibleList, bool bConfig);
bool IsControlListed(const QWidget* oCtrl, const clsTokeniser& oVisibleList);
// True when some element of the list occurs in the name (case-sensitive).
bool IsNameListed(const QString& sName, const clsTokeniser& oVisibleList);
// Whether a control of that name belongs to the edition's region.
bool IsControlInRegion(const QString& sName);
bool IsShowBox(const QWidget* oCtrl);
bool IsHeaderImage(const QWidget* oCtrl);
bool IsOwnControl(const QWidget* oCtrl);
// The "Visible" list stored under "Controls\" + section; empty when nothing is stored.
clsTokeniser LoadVisibleList(const std::string& sSection);
bool SaveVisibleList(const std::string& sSection, const clsTokeniser& oVisibleList);
// Ticks the box when its Tag is an element of the list.
void SetShowBoxFromList(QCheckBox* oShowBox, const clsTokeniser& oVisibleList);
// "Section Total " and the amount as money.
void SetSectionTotal(QLabel* oLabel, float fAmount);
// A label that shows a figure is read with its caption (plain text) as "Insertion Fee: £0.35":
// a screen reader knows a label by its accessible name only, so the name follows the text.
void SetFigureCaption(QLabel* oFigure, const QString& sCaption);
void SetFigureText(QLabel* oFigure, const QString& sText);
