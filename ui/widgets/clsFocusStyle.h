#pragma once

#include <QColor>
#include <QProxyStyle>

class QPalette;

// The program's style: the platform's own, with a focus ring that can be seen. The ring is
// two pixels of the palette's highlight, or of the text colour where the highlight stands
// out too little from what lies behind it (contrast under 3:1).
class clsFocusStyle : public QProxyStyle {
    Q_OBJECT

public:
    clsFocusStyle();

    // The contrast ratio of two colours, 1 to 21, as the accessibility guidelines measure it.
    static double ContrastRatio(const QColor& oA, const QColor& oB);
    // The colour of the ring drawn on a background.
    static QColor RingColour(const QPalette& oPalette, const QColor& oBackground);
    static constexpr double MinContrast = 3.0;
    static constexpr int RingWidth = 2;

    void drawPrimitive(PrimitiveElement eElement, const QStyleOption* oOption, QPainter* oPainter,
                       const QWidget* oWidget = nullptr) const override;
    void drawComplexControl(ComplexControl eControl, const QStyleOptionComplex* oOption,
                            QPainter* oPainter, const QWidget* oWidget = nullptr) const override;
};

// Makes clsFocusStyle the application's style, before any window is made.
void InstallFocusStyle();
