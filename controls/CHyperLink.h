#pragma once
// A text that behaves like a web link: link, visited and hover colours, an
// underline while hovering (or always, or never), a pointing-hand cursor, the
// target in its tooltip, and a click that opens the target. The link counts as
// visited only after a successful open; a failure beeps and shows a warning.
//
// Unless SetLinkColours gives them, the colours come from the palette (its
// link and visited-link colours, and red for hovering), made readable on the
// background where the palette's own are not. The link takes the keyboard
// focus, shows it, and opens with Enter or Space.

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
    QString LinkTarget() const { return target_; }

    void SetLinkColours(const QColor& link, const QColor& visited, const QColor& hover);
    void SetUnderlineMode(int mode);
    void SetFitToText(bool fit);
    // Replaces the way targets are opened (by default QDesktopServices::openUrl).
    void SetUrlOpener(UrlOpener opener) { opener_ = std::move(opener); }

    bool IsVisited() const { return visited_; }
    bool IsHovering() const { return hovering_; }
    QColor CurrentColour() const;
    // Resizes the control to its text, keeping the edge or centre its alignment
    // names.
    void FitToText();

signals:
    // After a click: whether the target opened.
    void opened(bool success);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void SetUp();
    void EndHover();
    void ApplyFont(bool underlined);
    void Open();

    QColor linkColour_{0, 0, 238};
    QColor visitedColour_{85, 26, 139};
    QColor hoverColour_{255, 0, 0};
    bool ownColours_ = false; // set by SetLinkColours; else the palette's
    bool hovering_ = false;
    bool visited_ = false;
    int underlineMode_ = kUnderlineWhileHovering;
    bool fitToText_ = true;
    bool settingFont_ = false;
    QString target_;
    QFont normalFont_;
    QBasicTimer hoverTimer_;
    UrlOpener opener_;
};

// Where a control of size `size` goes when its geometry was `current` and it
// keeps the edge or centre its alignment names: horizontal centre, right edge
// or left edge; vertical centre or top.
QRect FittedGeometry(const QRect& current, QSize size, Qt::Alignment alignment);

} // namespace kiv
