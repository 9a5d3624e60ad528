#pragma once

#include <functional>

#include <QFont>
#include <QList>
#include <QString>

class QWidget;

namespace miravane {

// A font a window draws in, and the characters it may draw in it.
struct FontUse {
    QFont font;
    QString characters;
};

// Makes a font ready for these characters as laying them out for the first time would: its
// engine loaded (a fontconfig match of its own for every size), its shaping tables read and
// each glyph's advance known. Text laid out in the font later finds all of it done.
void prepareFont(const FontUse& use);

// Once `window` has been painted for the first time, prepares each font `uses` lists, in the
// event loop's idle time, one font per pass, so that a click in between waits for one font
// at most. For a window opened later, whose first paint would otherwise load its fonts.
void prepareFontsAfterFirstPaint(QWidget* window, std::function<QList<FontUse>()> uses);

}  // namespace miravane
