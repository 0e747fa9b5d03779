#pragma once
// The system colours the controls paint with, taken from a widget palette:
// button face/highlight/shadow/text, grey text, highlight, window and window text.

#include <QColor>
#include <QPalette>

namespace kiv {

struct SystemColours {
    QColor buttonFace;
    QColor buttonHighlight;
    QColor buttonShadow;
    QColor buttonText;
    QColor light3d;      // the 3-D light edge inside a raised edge
    QColor darkShadow3d; // the 3-D dark shadow edge
    QColor greyText;
    QColor highlight;
    QColor highlightText;
    QColor window;
    QColor windowText;

    static SystemColours FromPalette(const QPalette& p) {
        SystemColours c;
        c.buttonFace = p.color(QPalette::Active, QPalette::Button);
        c.buttonHighlight = p.color(QPalette::Active, QPalette::Light);
        c.buttonShadow = p.color(QPalette::Active, QPalette::Dark);
        c.buttonText = p.color(QPalette::Active, QPalette::ButtonText);
        c.light3d = p.color(QPalette::Active, QPalette::Midlight);
        c.darkShadow3d = p.color(QPalette::Active, QPalette::Shadow);
        c.greyText = p.color(QPalette::Disabled, QPalette::Text);
        c.highlight = p.color(QPalette::Active, QPalette::Highlight);
        c.highlightText = p.color(QPalette::Active, QPalette::HighlightedText);
        c.window = p.color(QPalette::Active, QPalette::Base);
        c.windowText = p.color(QPalette::Active, QPalette::Text);
        return c;
    }
};

} // namespace kiv
