// Controls of the split dialog, placed in dialog units.

#include "CButtonST.h"
#include "CRangeSlider.h"
#include "ClockText.h"
#include "DialogUnits.h"
#include "SplitDlg.h"
#include "SplitIcons.h"
#include "VideoArea.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

namespace kiv {

namespace {

constexpr int kDialogWidth = 145;
// Below the original 178 units: the row of the result preview.
constexpr int kDialogHeight = 226;
constexpr int kIconButtonY = 128;
constexpr int kIconButtonSize = 10;
// Images are centred horizontally at the top of their buttons.
constexpr int kImageAlignment = 2;

struct IconButton {
    CButtonST* CSplitDlg::*member;
    const char* objectName;
    const char* picture;
    const char* tooltip;
    int x;
};

// A time field: shows a time as h:mm:ss and takes one typed so.
QLineEdit* MakeTimeField(QWidget* parent, GrowingLayout& layout, const char* objectName,
                         const QString& label, int y, int labelX) {
    auto* text = new QLabel(label, parent);
    text->setGeometry(DluRect(labelX, y, 45 - labelX - 1, 13));
    text->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    auto* display = new QLineEdit(parent);
    display->setObjectName(QString::fromLatin1(objectName));
    display->setGeometry(DluRect(45, y, 43, 13));
    display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    display->setAccessibleName(label);
    display->setToolTip(CSplitDlg::tr("Type a time as h:mm:ss and press Enter"));
    text->setBuddy(display);
    layout.Add(text, Follow::MoveDown);
    layout.Add(display, Follow::MoveDown);
    return display;
}

} // namespace

void CSplitDlg::CreateControls() {
    setWindowTitle(tr("Split"));
    // Its designed size is its smallest; the picture takes the room it gains.
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    const QSize smallest(DluToPixelsX(kDialogWidth), DluToPixelsY(kDialogHeight));
    setMinimumSize(smallest);
    resize(smallest);
    // The dialog units above assume an 8-point dialog font.
    QFont dialogFont = font();
    dialogFont.setPointSize(8);
    setFont(dialogFont);

    // A sunken frame with the video drawn inside it.
    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setLineWidth(1);
    frame->setGeometry(DluRect(4, 0, 130, 107));
    picture_ = new VideoArea(frame);
    picture_->setObjectName(QStringLiteral("picture"));
    picture_->setGeometry(frame->contentsRect());
    picture_->SetIdlePicture(RenderSplitPicture("idle", picture_->size()));
    picture_->setAccessibleName(tr("Picture"));
    connect(picture_, &VideoArea::resized, this,
            [this] { picture_->SetIdlePicture(RenderSplitPicture("idle", picture_->size())); });
    layout_.Add(frame, Follow::Widen | Follow::Heighten);
    layout_.Add(picture_, Follow::Widen | Follow::Heighten);

    slider_ = new CRangeSlider(this);
    slider_->setObjectName(QStringLiteral("range"));
    slider_->setGeometry(DluRect(4, 114, 131, 10));
    slider_->setAccessibleName(tr("Selection"));
    slider_->SetValueText([](double seconds) { return ClockText(seconds); });
    layout_.Add(slider_, Follow::MoveDown | Follow::Widen);

    static constexpr IconButton kButtons[] = {
        {&CSplitDlg::play_, "play", "play", QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Play"), 5},
        {&CSplitDlg::stop_, "stop", "stop", QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Stop"), 18},
        {&CSplitDlg::begin_, "begin", "begin", QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Begin"), 32},
        {&CSplitDlg::previous_, "previous", "previous",
         QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Previous"), 45},
        {&CSplitDlg::next_, "next", "next", QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Next"), 59},
        {&CSplitDlg::end_, "end", "end", QT_TRANSLATE_NOOP("kiv::CSplitDlg", "End"), 72},
        {&CSplitDlg::markStart_, "markStart", "mark-start",
         QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Mark start"), 85},
        {&CSplitDlg::markEnd_, "markEnd", "mark-end",
         QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Mark end"), 99},
        {&CSplitDlg::clearMark_, "clearMark", "clear-marks",
         QT_TRANSLATE_NOOP("kiv::CSplitDlg", "Clear Mark"), 113},
    };
    for (const IconButton& b : kButtons) {
        auto* button = new CButtonST(this);
        button->setObjectName(QString::fromLatin1(b.objectName));
        button->setGeometry(DluRect(b.x, kIconButtonY, kIconButtonSize, kIconButtonSize));
        // Enter belongs to OK.
        button->setAutoDefault(false);
        const int side = std::min(button->width(), button->height());
        button->SetIconImages(RenderSplitPicture(b.picture, QSize(side, side)), QPixmap());
        button->SetImageAlignment(kImageAlignment);
        button->SetTransparentBackground(true);
        const QString tooltip = tr(b.tooltip);
        button->SetTooltip(tooltip, true);
        button->setAccessibleName(tooltip);
        layout_.Add(button, Follow::MoveDown);
        this->*b.member = button;
    }

    startTime_ = MakeTimeField(this, layout_, "startTime", tr("Start Time"), 144, 6);
    endTime_ = MakeTimeField(this, layout_, "endTime", tr("End Time"), 160, 7);

    ok_ = new QPushButton(tr("OK"), this);
    ok_->setObjectName(QStringLiteral("ok"));
    ok_->setGeometry(DluRect(108, 144, 36, 21));
    ok_->setDefault(true);
    ok_->setAccessibleName(tr("OK"));
    layout_.Add(ok_, Follow::MoveDown | Follow::MoveRight);

    CreatePreviewControls();
}

void CSplitDlg::ConnectControls() {
    connect(play_, &QPushButton::clicked, this, &CSplitDlg::onPlay);
    connect(stop_, &QPushButton::clicked, this, &CSplitDlg::onStop);
    connect(begin_, &QPushButton::clicked, this, &CSplitDlg::onBegin);
    connect(previous_, &QPushButton::clicked, this, &CSplitDlg::onPrevious);
    connect(next_, &QPushButton::clicked, this, &CSplitDlg::onNext);
    connect(end_, &QPushButton::clicked, this, &CSplitDlg::onEnd);
    connect(markStart_, &QPushButton::clicked, this, &CSplitDlg::onMarkStart);
    connect(markEnd_, &QPushButton::clicked, this, &CSplitDlg::onMarkEnd);
    connect(clearMark_, &QPushButton::clicked, this, &CSplitDlg::onClearMark);
    connect(slider_, &CRangeSlider::rangeChanged, this, &CSplitDlg::onRangeChanged);
    connect(ok_, &QPushButton::clicked, this, &CSplitDlg::onOk);
    for (QLineEdit* field : {startTime_, endTime_})
        connect(field, &QLineEdit::editingFinished, this, [this, field] {
            if (field->isModified())
                ApplyTypedTime(field);
        });
    // The dialog's keys work wherever the focus is (the slider keeps its
    // arrow keys).
    for (QWidget* child : findChildren<QWidget*>()) {
        if (child != slider_)
            child->installEventFilter(this);
    }
}

} // namespace kiv
