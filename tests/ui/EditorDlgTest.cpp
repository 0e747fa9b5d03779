// The media profile editor, driven without exec(): shown, then operated
// through its controls, keys and slots.

#include "EditorDlg.h"
#include "Catalogue.h"
#include "DialogUnits.h"
#include "FixedText.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <cstring>
#include <memory>

using namespace kiv;

namespace {

MediaProfile catalogueProfile(int category, int index) {
    MediaProfile p{};
    if (!GetProfile(category, index, p))
        qFatal("no catalogue profile %d/%d", category, index);
    return p;
}

bool sameProfile(const MediaProfile& a, const MediaProfile& b) {
    return std::memcmp(&a, &b, sizeof(MediaProfile)) == 0;
}

QStringList items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// What a pick from the drop-down list does: select, then report activation.
void pick(QComboBox* combo, const QString& text) {
    int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

class EditorDlgTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CEditorDlg> dlg;

    void open(int kind, const MediaProfile& p) {
        dlg = std::make_unique<CEditorDlg>();
        dlg->setTargetKind(kind);
        dlg->setProfile(p);
        dlg->show();
    }
    QComboBox* combo(const char* name) { return dlg->findChild<QComboBox*>(name); }
    QPushButton* button(const char* name) { return dlg->findChild<QPushButton*>(name); }
    QSlider* slider() { return dlg->findChild<QSlider*>("volume"); }
    QString label(const char* name) { return dlg->findChild<QLabel*>(name)->text(); }

private slots:
    void cleanup() { dlg.reset(); }

    void layoutFollowsDialogUnits() {
        QCOMPARE(DluToPixelsX(274), 411);
        QCOMPARE(DluToPixelsY(115), 187);
        QCOMPARE(DluToPixelsX(3), 5);   // 4.5 rounds up
        QCOMPARE(DluToPixelsY(4), 7);   // 6.5 rounds up
        QCOMPARE(DluToPixelsY(23), 37); // 37.375
        open(1, catalogueProfile(0, 0));
        QCOMPARE(dlg->windowTitle(), QString("Media Profile Editor"));
        QCOMPARE(dlg->size(), QSize(411, 187));
        QCOMPARE(combo("videoCodec")->geometry(), QRect(92, 37, 113, 20));
        QCOMPARE(combo("audioCodec")->geometry(), QRect(288, 36, 113, 20));
        QCOMPARE(slider()->geometry(), QRect(285, 128, 116, 16));
        QCOMPARE(button("reload")->geometry(), QRect(359, 161, 47, 23));

        QStringList texts;
        for (const QLabel* l : dlg->findChildren<QLabel*>())
            texts << l->text();
        for (const char* expected :
             {" Video Codec:", " Frame Rate:", " Bitrate:", " Width/Height:", " Aspect:",
              "Audio Codec:", "Channels:", "Bitrate:", "Sample Rate:", "Vol:100%"})
            QVERIFY2(texts.contains(QString(expected)), expected);
        QCOMPARE(button("save")->text(), QString("Save"));
        QCOMPARE(button("close")->text(), QString("Close"));
        QCOMPARE(button("reload")->text(), QString("Reload"));
    }

    void divxListsAndUnchangedRoundTrip() {
        const MediaProfile divx = catalogueProfile(0, 0);
        open(1, divx);
        QCOMPARE(items(combo("videoCodec")), QStringList({"xvid", "divx", "msmpeg4", "h264"}));
        QCOMPARE(combo("videoCodec")->currentText(), QString("divx"));
        QCOMPARE(items(combo("audioCodec")),
                 QStringList({"mp3", "mp2", "pcm_s16le", "pcm_s16be", "pcm_alaw"}));
        QCOMPARE(combo("audioCodec")->currentText(), QString("mp3"));
        QCOMPARE(combo("frameRate")->count(), 9);
        QCOMPARE(combo("videoBitrate")->count(), 23);
        QCOMPARE(combo("frameSize")->count(), 28);
        QCOMPARE(combo("aspect")->count(), 3);
        QCOMPARE(combo("audioBitrate")->count(), 16);
        QCOMPARE(combo("audioBitrate")->itemText(15), QString("448"));
        QCOMPARE(combo("sampleRate")->count(), 6);
        QCOMPARE(items(combo("channels")), QStringList({"Mono", "Stereo"}));
        QCOMPARE(combo("channels")->currentIndex(), 1);
        QCOMPARE(label("profileLabel"), QString("DIVX Video Profile:"));

        QTest::mouseClick(button("close"), Qt::LeftButton);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(sameProfile(dlg->profile(), divx));
        QVERIFY(!dlg->isSaved());
    }

    void valuesOutsideTheListsComeBackEmpty() {
        MediaProfile p = catalogueProfile(0, 1);
        SetText(p.VideoBitrate, "1000");
        SetText(p.FrameRate, "29.970");
        p.ChannelIndex = 2;
        open(1, p);
        QCOMPARE(combo("videoBitrate")->currentIndex(), -1);
        QCOMPARE(combo("frameRate")->currentIndex(), -1);
        QCOMPARE(combo("channels")->currentIndex(), -1);
        QTest::mouseClick(button("close"), Qt::LeftButton);
        QCOMPARE(GetText(dlg->profile().VideoBitrate), std::string_view(""));
        QCOMPARE(GetText(dlg->profile().FrameRate), std::string_view(""));
        QCOMPARE(dlg->profile().ChannelIndex, -1);
        QCOMPARE(GetText(dlg->profile().ProfileName), std::string_view("XVID Video"));
    }

    void kind2VideoCodecLoadsZuneOrSetsVariant() {
        open(2, catalogueProfile(1, 1)); // "ASF Video", msmpeg4v2, variant 4
        pick(combo("videoCodec"), "wmv2");
        QCOMPARE(label("profileLabel"), QString("Zune Profile:"));
        QCOMPARE(combo("frameSize")->currentText(), QString("208x160"));
        QCOMPARE(combo("audioBitrate")->currentText(), QString("192"));
        QCOMPARE(combo("sampleRate")->currentText(), QString("44100"));
        QCOMPARE(dlg->variant(), 2);

        pick(combo("frameSize"), "640x480");
        pick(combo("videoCodec"), "wmv1");
        QCOMPARE(dlg->variant(), 1);
        QCOMPARE(combo("frameSize")->currentText(), QString("640x480"));
        QCOMPARE(label("profileLabel"), QString("Zune Profile:"));
        pick(combo("videoCodec"), "msmpeg4");
        QCOMPARE(dlg->variant(), 3);

        QTest::mouseClick(button("close"), Qt::LeftButton);
        QCOMPARE(GetText(dlg->profile().ProfileName), std::string_view("Zune"));
        QCOMPARE(GetText(dlg->profile().VideoCodec), std::string_view("msmpeg4"));
        QCOMPARE(GetText(dlg->profile().FrameSize), std::string_view("640x480"));
        QCOMPARE(dlg->profile().Variant, 3);
    }

    void keyboardPickCountsAsUserPick() {
        open(2, catalogueProfile(1, 0)); // "WMV Video", wmv2 selected
        QComboBox* codec = combo("videoCodec");
        QSignalSpy activated(codec, &QComboBox::activated);
        QTest::keyClick(codec, Qt::Key_Down);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(codec->currentText(), QString("wmv1"));
        QCOMPARE(dlg->variant(), 1);
    }

    void variantArithmeticFollowsOpenedVariant_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("afterH264");
        QTest::addColumn<int>("afterMpeg4");
        QTest::newRow("kind 4, opened 9") << 4 << 5 << 0 << 10 << 8;
        QTest::newRow("kind 8, opened 3") << 8 << 6 << 0 << 2 << 4;
    }
    void variantArithmeticFollowsOpenedVariant() {
        QFETCH(int, kind);
        QFETCH(int, category);
        QFETCH(int, index);
        QFETCH(int, afterH264);
        QFETCH(int, afterMpeg4);
        const MediaProfile opened = catalogueProfile(category, index);
        open(kind, opened);
        pick(combo("frameRate"), "12.00");
        pick(combo("videoCodec"), "h264");
        QCOMPARE(dlg->variant(), afterH264);
        pick(combo("videoCodec"), "mpeg4");
        QCOMPARE(dlg->variant(), afterMpeg4);
        pick(combo("videoCodec"), "h264");
        QCOMPARE(dlg->variant(), afterH264);
        // No catalogue look-up in these kinds: the other values stay.
        QCOMPARE(combo("frameRate")->currentText(), QString("12.00"));
        QCOMPARE(label("profileLabel"), QString(opened.ProfileName) + " Profile:");
    }

    void amrNbLocksAndUnlocksAudioDetails() {
        open(9, catalogueProfile(8, 0)); // "3GP(h263/aac)"
        QComboBox* channels = combo("channels");
        QComboBox* bitrate = combo("audioBitrate");
        QComboBox* rate = combo("sampleRate");
        pick(combo("audioCodec"), "amr_nb");
        QCOMPARE(channels->currentText(), QString("Mono"));
        QCOMPARE(bitrate->currentText(), QString("12.2"));
        QCOMPARE(rate->currentText(), QString("8000"));
        QVERIFY(!channels->isEnabled());
        QVERIFY(!bitrate->isEnabled());
        QVERIFY(!rate->isEnabled());

        pick(combo("audioCodec"), "aac");
        QVERIFY(channels->isEnabled());
        QVERIFY(bitrate->isEnabled());
        QVERIFY(rate->isEnabled());
        QCOMPARE(channels->currentText(), QString("Mono"));
        QCOMPARE(bitrate->currentText(), QString("12.2"));
        QCOMPARE(rate->currentText(), QString("8000"));

        // Second entry of another kind's list locks nothing.
        open(1, catalogueProfile(0, 0));
        pick(combo("audioCodec"), "mp2");
        QVERIFY(combo("channels")->isEnabled());
        QCOMPARE(combo("audioBitrate")->currentText(), QString("192"));
    }

    void openingWithAmrNbLeavesDetailsEnabled() {
        open(9, catalogueProfile(8, 1)); // "3GP(h263/amr)"
        QCOMPARE(combo("audioCodec")->currentText(), QString("amr_nb"));
        QVERIFY(combo("channels")->isEnabled());
        QVERIFY(combo("audioBitrate")->isEnabled());
        QVERIFY(combo("sampleRate")->isEnabled());
    }

    void volumeLabelChangesOnReleaseOnly() {
        MediaProfile p = catalogueProfile(0, 0);
        p.Volume = 512;
        open(1, p);
        QSlider* volume = slider();
        QCOMPARE(volume->minimum(), 0);
        QCOMPARE(volume->maximum(), 768);
        QCOMPARE(volume->value(), 512);
        QCOMPARE(label("volumeLabel"), QString("Vol:100%"));

        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_Right);
        QCOMPARE(volume->value(), 513);
        QCOMPARE(label("volumeLabel"), QString("Vol:100%"));

        volume->setSliderDown(true);
        volume->setSliderPosition(384);
        volume->setSliderDown(false); // the release
        QCOMPARE(label("volumeLabel"), QString("Vol:150%"));
        volume->setSliderDown(true);
        volume->setSliderPosition(1);
        volume->setSliderDown(false);
        QCOMPARE(label("volumeLabel"), QString("Vol:0%"));

        QTest::mouseClick(button("close"), Qt::LeftButton);
        QCOMPARE(dlg->profile().Volume, 1);
    }

    void saveThenEscapeReturnsNothing() {
        open(1, catalogueProfile(0, 0));
        pick(combo("frameSize"), "640x480");
        QTest::mouseClick(button("save"), Qt::LeftButton);
        QVERIFY(dlg->isSaved());
        QVERIFY(dlg->isVisible()); // Save keeps the dialog open
        QCOMPARE(GetText(dlg->profile().FrameSize), std::string_view("640x480"));
        QTest::keyClick(combo("aspect"), Qt::Key_Escape);
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
        QVERIFY(!dlg->isVisible());
    }

    void closeBoxRejects() {
        open(1, catalogueProfile(0, 0));
        dlg->close();
        QCOMPARE(dlg->result(), int(QDialog::Rejected));
    }

    void enterKeepsValuesAsOpenedOrSaved() {
        const MediaProfile opened = catalogueProfile(0, 0);
        open(1, opened);
        pick(combo("frameSize"), "640x480");
        QTest::keyClick(combo("frameSize"), Qt::Key_Return);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QVERIFY(sameProfile(dlg->profile(), opened));

        open(1, opened);
        pick(combo("frameSize"), "640x480");
        QTest::mouseClick(button("save"), Qt::LeftButton);
        pick(combo("aspect"), "16:9");
        QTest::keyClick(combo("aspect"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(dlg->result(), int(QDialog::Accepted));
        QCOMPARE(GetText(dlg->profile().FrameSize), std::string_view("640x480"));
        QCOMPARE(GetText(dlg->profile().Aspect), std::string_view("Original"));
        QVERIFY(dlg->isSaved());
    }

    void reloadRestoresOpenedValues() {
        const MediaProfile opened = catalogueProfile(1, 0); // "WMV Video", variant 2
        open(2, opened);
        pick(combo("videoCodec"), "wmv1");
        pick(combo("sampleRate"), "8000");
        slider()->setValue(700);
        QTest::mouseClick(button("save"), Qt::LeftButton);
        QCOMPARE(dlg->profile().Variant, 1);

        QTest::mouseClick(button("reload"), Qt::LeftButton);
        QVERIFY(sameProfile(dlg->profile(), opened));
        QCOMPARE(dlg->variant(), 2);
        QCOMPARE(combo("videoCodec")->currentText(), QString("wmv2"));
        QCOMPARE(combo("sampleRate")->currentText(), QString("48000"));
        QCOMPARE(slider()->value(), 256);
        QVERIFY(dlg->isSaved()); // saved never goes back
        QTest::mouseClick(button("close"), Qt::LeftButton);
        QVERIFY(sameProfile(dlg->profile(), opened));
    }
};

QTEST_MAIN(EditorDlgTest)
#include "EditorDlgTest.moc"
