#pragma once
// A dark palette as some desktops set it: dark backgrounds and light text,
// but the light palette's blue links left as they were.

#include <QColor>
#include <QPalette>

namespace kiv::test {

inline QPalette DarkPaletteWithLightLinks(QPalette palette) {
    for (auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, QColor(53, 53, 53));
    palette.setColor(QPalette::Base, QColor(42, 42, 42));
    for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        palette.setColor(role, QColor(238, 238, 238));
    palette.setColor(QPalette::Link, QColor(0, 0, 255));
    palette.setColor(QPalette::LinkVisited, QColor(85, 26, 139));
    return palette;
}

} // namespace kiv::test
