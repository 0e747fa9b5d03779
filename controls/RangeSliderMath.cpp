#include "RangeSliderMath.h"

namespace kiv {

int ValueToPixel(double v, double min, double max, int trackLength) {
    if (max == min) {
        return 0;
    }
    return static_cast<int>(trackLength * (v - min) / (max - min) + 0.5);
}

SliderGeometry ComputeSliderGeometry(QSize client, const RangeValues& v) {
    SliderGeometry g;
    const int h = client.height();
    const int a = h * 3 / 4;
    g.arrowWidth = a;
    g.trackLength = client.width() - 2 * a;
    g.pxLeft = ValueToPixel(v.left, v.min, v.max, g.trackLength);
    g.pxRight = ValueToPixel(v.right, v.min, v.max, g.trackLength);
    const int pl = g.pxLeft;
    const int pr = g.pxRight;

    g.leftOuter = {pl, 0, pl + a, h};
    g.rightOuter = {pr + a, 0, pr + 2 * a, h};
    const auto inner = [](const EdgeRect& r) {
        return EdgeRect{r.left + 1, r.top + 1, r.right - 2, r.bottom - 2};
    };
    g.leftThumb = inner(g.leftOuter);
    g.rightThumb = inner(g.rightOuter);
    g.leftArrow = {QPoint(pl + a / 3, h / 3), QPoint(pl + a / 3, 2 * h / 3),
                   QPoint(pl + 2 * a / 3, h / 2)};
    g.rightArrow = {QPoint(pr + a + 2 * a / 3, h / 3), QPoint(pr + a + 2 * a / 3, 2 * h / 3),
                    QPoint(pr + a + a / 3, h / 2)};
    g.band = {pl + a + 1, 1, pr + a, h - 1};
    g.bandHit = {g.leftThumb.right + 1, 0, g.rightThumb.left - 1, h};
    g.focus = {g.band.left + 3, g.band.top + 3, g.band.right - 3, g.band.bottom - 3};
    return g;
}

RangePart HitTest(const SliderGeometry& g, QPoint p) {
    if (g.leftThumb.Contains(p)) {
        return LeftThumb;
    }
    if (g.rightThumb.Contains(p)) {
        return RightThumb;
    }
    if (g.bandHit.Contains(p)) {
        return Band;
    }
    return NoPart;
}

EdgeRect PartRect(const SliderGeometry& g, RangePart part) {
    switch (part) {
    case LeftThumb:
        return g.leftThumb;
    case RightThumb:
        return g.rightThumb;
    case Band:
        return g.bandHit;
    default:
        return {};
    }
}

std::vector<int> ClampSelection(RangeValues& v) {
    std::vector<int> notices;
    if (v.left < v.min) {
        v.left = v.min;
        notices.push_back(LeftChanged);
        if (v.left > v.right) {
            v.right = v.left;
            notices.push_back(RightChanged);
        }
    }
    if (v.right > v.max) {
        v.right = v.max;
        notices.push_back(RightChanged);
        if (v.right < v.left) {
            v.left = v.right;
            notices.push_back(LeftChanged);
        }
    }
    return notices;
}

std::optional<RangeUpdate> DragTo(const RangeValues& v, RangePart part, int p, int arrowWidth,
                                  int trackLength) {
    const double span = v.max - v.min;
    if (span == 0.0 || trackLength <= 0) {
        return std::nullopt;
    }
    const int a = arrowWidth;
    RangeUpdate u{v, LeftChanged};
    RangeValues& n = u.values;
    switch (part) {
    case LeftThumb:
        n.left = v.min + double(p - a / 2) / trackLength * span;
        if (n.left >= n.right) {
            n.left = n.right;
        }
        if (n.left <= n.min) {
            n.left = n.min;
        }
        u.code = LeftChanged;
        break;
    case RightThumb:
        n.right = v.min + double(p - 3 * a / 2) / trackLength * span;
        if (n.right <= n.left) {
            n.right = n.left;
        }
        if (n.right >= n.max) {
            n.right = n.max;
        }
        u.code = n.right != v.right ? RightChanged : LeftChanged;
        break;
    case Band: {
        const double width = v.right - v.left;
        const double centre = v.min + double(p - a) / trackLength * span;
        n.left = centre - width * 0.5;
        n.right = centre + width * 0.5;
        if (n.left <= n.min) {
            n.left = n.min;
            n.right = n.min + width;
        }
        if (n.right >= n.max) {
            n.right = n.max;
            n.left = n.max - width;
        }
        u.code = BothMoved;
        break;
    }
    default:
        return std::nullopt;
    }
    return u;
}

std::optional<RangeUpdate> ArrowKey(const RangeValues& v, int trackLength, bool right, bool shift,
                                    bool ctrl) {
    if (ctrl || trackLength <= 0) {
        return std::nullopt;
    }
    const double step = (v.max - v.min) / trackLength; // value per pixel
    if (step == 0.0) {
        return std::nullopt;
    }
    int l = static_cast<int>((v.left - v.min) / step + 0.5);
    int r = static_cast<int>((v.right - v.min) / step + 0.5);
    const int delta = right ? 1 : -1;
    r += delta;
    if (!shift) {
        l += delta;
    }
    RangeUpdate u{v, shift ? LeftChanged : BothMoved};
    if (l >= 0 && r <= trackLength) {
        u.values.left = v.min + l * step;
        u.values.right = v.min + r * step;
        if (shift && u.values.right < u.values.left) {
            u.values.right = u.values.left;
        }
    }
    return u;
}

} // namespace kiv
