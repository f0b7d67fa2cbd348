#pragma once

#include <QIcon>

namespace tk {

// Small pictures of the tool rows and drop-down buttons, drawn in code so they look the
// same on every machine. Disabled buttons grey them out by themselves.
enum class Glyph {
    First,
    Prior,
    Next,
    Last,
    Insert,
    Copy,
    Delete,
    Post,
    Cancel,
    PageSwitch,
    Print,
    Close,
    Calendar,
    Calculator
};

QIcon glyphIcon(Glyph glyph);
inline QIcon calendarGlyph()
{
    return glyphIcon(Glyph::Calendar);
}
inline QIcon calculatorGlyph()
{
    return glyphIcon(Glyph::Calculator);
}

} // namespace tk
