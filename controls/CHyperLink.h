#pragma once
// A text that behaves like a web link: link, visited and hover colours, an
// underline while hovering (or always, or never), a pointing-hand cursor, the
// target in its tooltip, and a click that opens the target. The link counts as
// visited only after a successful open; a failure beeps and shows a warning.

#include "HyperLinkTarget.h"

#include <QBasicTimer>
#include <QLabel>

namespace kiv {

class CHyperLink : public QLabel {
    Q_OBJECT
public:
    static constexpr int kUnderlineWhileHovering = -1;
    static constexpr int kUnderlineAlways = 1;
    static constexpr int kHoverTimerMs = 100;

    explicit CHyperLink(QWidget* parent = nullptr);
    CHyperLink(const QString& text, QWidget* parent = nullptr);
    ~CHyperLink() override;

    void SetLinkTarget(const QString& target);
    QString linkTarget() const { return m_target; }

    void setLinkColours(const QColor& link, const QColor& visited, const QColor& hover);
    void setUnderlineMode(int mode);
    void setFitToText(bool fit);
    // Replaces the way targets are opened (by default QDesktopServices::openUrl).
    void setUrlOpener(UrlOpener opener) { m_opener = std::move(opener); }

    bool isVisited() const { return m_visited; }
    bool isHovering() const { return m_hovering; }
    QColor currentColour() const;
    // Resizes the control to its text, keeping the edge or centre its alignment
    // names.
    void fitToText();

signals:
    // After a click: whether the target opened.
    void opened(bool success);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void setUp();
    void endHover();
    void applyFont(bool underlined);
    void open();

    QColor m_linkColour{0, 0, 238};
    QColor m_visitedColour{85, 26, 139};
    QColor m_hoverColour{255, 0, 0};
    bool m_hovering = false;
    bool m_visited = false;
    int m_underlineMode = kUnderlineWhileHovering;
    bool m_fitToText = true;
    bool m_settingFont = false;
    QString m_target;
    QFont m_normalFont;
    QBasicTimer m_hoverTimer;
    UrlOpener m_opener;
};

// Where a control of size `size` goes when its geometry was `current` and it
// keeps the edge or centre its alignment names: horizontal centre, right edge
// or left edge; vertical centre or top.
QRect fittedGeometry(const QRect& current, QSize size, Qt::Alignment alignment);

} // namespace kiv
