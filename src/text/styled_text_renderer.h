#pragma once
// Draws a text in one of the eight text styles onto any QPainter. The renderer keeps no state.
//
// Styles: 0 and 1 a soft glow under a gradient text, 2 and 3 hatched bold text (2 with a grey outline),
// 4 a glow under a gradient text with a bevelled outline, 5 a weave-hatched outline text, 6 an outlined
// text over its own glow, 7 a softened text only. Any other style number draws a fixed brown to
// antique-white gradient, whatever the colours.

#include "text/fonts/log_font.h"
#include "text_object.h"

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringView>

class QPainter;

namespace text {

struct TextRenderRequest {
    int style = 0;
    QString text;
    LogFont font;
    QRect layout;          // the text box's top-left is the layout's top-left
    RgbColour colour1 = 0; // 0x00BBGGRR
    RgbColour colour2 = 0;
    int alpha = 255; // 0 invisible to 255 opaque; values outside are held to that range
};

// The text's box in pixels: the text at the record's height in a regular face, with room on both sides
// for overhanging glyphs, grown if a drawing font's glyphs would reach beyond it. Every style draws
// inside this box (glows spread a few pixels further). Empty for an empty text or a height below 2.
QSize MeasureStyledText(const LogFont& font, QStringView text);

// The box a text object takes on the canvas in a style: its lines laid out in the face that style draws
// with (the bold outline face of styles 2 to 7, the record's own font otherwise), grown to hold that
// face's ink, so that the box covers the letters drawn (glows spread a few pixels further). Empty for an
// empty text or a height below 2.
QSize MeasureStyleBox(const LogFont& font, QStringView text, int style);

void RenderStyledText(QPainter& target, const TextRenderRequest& request);

// Draws the text with its box's top-left at the rectangle's top-left; the rest of the rectangle is not
// used and nothing is clipped to it.
void DrawTextInRect(QPainter& target, int style, QStringView text, const LogFont& font, const QRect& rect,
                    RgbColour colour1, RgbColour colour2, int alpha);

} // namespace text
