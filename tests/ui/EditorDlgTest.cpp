// The media profile editor, driven without exec(): shown, then operated
// through its controls, keys and slots.

#include "EditorDlg.h"
#include "Catalogue.h"
#include "DialogUnits.h"
#include "FixedText.h"
#include "TargetKind.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include <cstring>
#include <memory>

namespace kiv::test {

namespace {

MediaProfile CatalogueProfile(int category, int index) {
    MediaProfile p{};
    if (!GetProfile(category, index, p))
        qFatal("no catalogue profile %d/%d", category, index);
    return p;
}

bool SameProfile(const MediaProfile& a, const MediaProfile& b) {
    return std::memcmp(&a, &b, sizeof(MediaProfile)) == 0;
}

QStringList Items(const QComboBox* combo) {
    QStringList list;
    for (int i = 0; i < combo->count(); ++i)
        list << combo->itemText(i);
    return list;
}

// What a pick from the drop-down list does: select, then report activation.
void Pick(QComboBox* combo, const QString& text) {
    int index = combo->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QVERIFY2(index >= 0, qPrintable(text));
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

} // namespace

class EditorDlgTest : public QObject {
    Q_OBJECT

    std::unique_ptr<CEditorDlg> dlg_;

    void Open(int kind, const MediaProfile& p) {
        dlg_ = std::make_unique<CEditorDlg>();
        dlg_->SetTargetKind(kind);
        dlg_->SetProfile(p);
        dlg_->show();
    }
    QComboBox* Combo(const char* name) { return dlg_->findChild<QComboBox*>(name); }
    QPushButton* Button(const char* name) { return dlg_->findChild<QPushButton*>(name); }
    QSlider* Slider() { return dlg_->findChild<QSlider*>("volume"); }
    QString Label(const char* name) { return dlg_->findChild<QLabel*>(name)->text(); }

private slots:
    void cleanup() { dlg_.reset(); }

    void layoutFollowsDialogUnits() {
        QCOMPARE(DluToPixelsX(274), 411);
        QCOMPARE(DluToPixelsY(115), 187);
        QCOMPARE(DluToPixelsX(3), 5);   // 4.5 rounds up
        QCOMPARE(DluToPixelsY(4), 7);   // 6.5 rounds up
        QCOMPARE(DluToPixelsY(23), 37); // 37.375
        Open(1, CatalogueProfile(0, 0));
        QCOMPARE(dlg_->windowTitle(), QString("Media Profile Editor"));
        QCOMPARE(dlg_->size(), QSize(411, 187));
        QCOMPARE(Combo("videoCodec")->geometry(), QRect(92, 37, 113, 20));
        QCOMPARE(Combo("audioCodec")->geometry(), QRect(288, 36, 113, 20));
        QCOMPARE(Slider()->geometry(), QRect(285, 128, 116, 16));
        QCOMPARE(Button("reload")->geometry(), QRect(359, 161, 47, 23));

        QStringList texts;
        for (const QLabel* l : dlg_->findChildren<QLabel*>())
            texts << l->text();
        for (const char* expected :
             {" Video Codec:", " Frame Rate:", " Bitrate:", " Width/Height:", " Aspect:",
              "Audio Codec:", "Channels:", "Bitrate:", "Sample Rate:", "Vol:100%"})
            QVERIFY2(texts.contains(QString(expected)), expected);
        QCOMPARE(Button("save")->text(), QString("Save"));
        QCOMPARE(Button("close")->text(), QString("Close"));
        QCOMPARE(Button("reload")->text(), QString("Reload"));
    }

    void divxListsAndUnchangedRoundTrip() {
        const MediaProfile divx = CatalogueProfile(0, 0);
        Open(1, divx);
        QCOMPARE(Items(Combo("videoCodec")), QStringList({"xvid", "divx", "msmpeg4", "h264"}));
        QCOMPARE(Combo("videoCodec")->currentText(), QString("divx"));
        QCOMPARE(Items(Combo("audioCodec")),
                 QStringList({"mp3", "mp2", "pcm_s16le", "pcm_s16be", "pcm_alaw"}));
        QCOMPARE(Combo("audioCodec")->currentText(), QString("mp3"));
        QCOMPARE(Combo("frameRate")->count(), 9);
        QCOMPARE(Combo("videoBitrate")->count(), 23);
        QCOMPARE(Combo("frameSize")->count(), 28);
        QCOMPARE(Combo("aspect")->count(), 3);
        QCOMPARE(Combo("audioBitrate")->count(), 16);
        QCOMPARE(Combo("audioBitrate")->itemText(15), QString("448"));
        QCOMPARE(Combo("sampleRate")->count(), 6);
        QCOMPARE(Items(Combo("channels")), QStringList({"Mono", "Stereo"}));
        QCOMPARE(Combo("channels")->currentIndex(), 1);
        QCOMPARE(Label("profileLabel"), QString("DIVX Video Profile:"));

        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QVERIFY(SameProfile(dlg_->Profile(), divx));
        QVERIFY(!dlg_->IsSaved());
    }

    void valuesOutsideTheListsComeBackEmpty() {
        MediaProfile p = CatalogueProfile(0, 1);
        SetText(p.VideoBitrate, "1000");
        SetText(p.FrameRate, "29.970");
        p.ChannelIndex = 2;
        Open(1, p);
        QCOMPARE(Combo("videoBitrate")->currentIndex(), -1);
        QCOMPARE(Combo("frameRate")->currentIndex(), -1);
        QCOMPARE(Combo("channels")->currentIndex(), -1);
        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QCOMPARE(GetText(dlg_->Profile().VideoBitrate), std::string_view(""));
        QCOMPARE(GetText(dlg_->Profile().FrameRate), std::string_view(""));
        QCOMPARE(dlg_->Profile().ChannelIndex, -1);
        QCOMPARE(GetText(dlg_->Profile().ProfileName), std::string_view("XVID Video"));
    }

    void kind2VideoCodecLoadsZuneOrSetsVariant() {
        Open(2, CatalogueProfile(1, 1)); // "ASF Video", msmpeg4v2, variant 4
        Pick(Combo("videoCodec"), "wmv2");
        QCOMPARE(Label("profileLabel"), QString("Zune Profile:"));
        QCOMPARE(Combo("frameSize")->currentText(), QString("208x160"));
        QCOMPARE(Combo("audioBitrate")->currentText(), QString("192"));
        QCOMPARE(Combo("sampleRate")->currentText(), QString("44100"));
        QCOMPARE(dlg_->Variant(), 2);

        Pick(Combo("frameSize"), "640x480");
        Pick(Combo("videoCodec"), "wmv1");
        QCOMPARE(dlg_->Variant(), 1);
        QCOMPARE(Combo("frameSize")->currentText(), QString("640x480"));
        QCOMPARE(Label("profileLabel"), QString("Zune Profile:"));
        Pick(Combo("videoCodec"), "msmpeg4");
        QCOMPARE(dlg_->Variant(), 3);

        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QCOMPARE(GetText(dlg_->Profile().ProfileName), std::string_view("Zune"));
        QCOMPARE(GetText(dlg_->Profile().VideoCodec), std::string_view("msmpeg4"));
        QCOMPARE(GetText(dlg_->Profile().FrameSize), std::string_view("640x480"));
        QCOMPARE(dlg_->Profile().Variant, 3);
    }

    void keyboardPickCountsAsUserPick() {
        Open(2, CatalogueProfile(1, 0)); // "WMV Video", wmv2 selected
        QComboBox* codec = Combo("videoCodec");
        QSignalSpy activated(codec, &QComboBox::activated);
        QTest::keyClick(codec, Qt::Key_Down);
        QCOMPARE(activated.count(), 1);
        QCOMPARE(codec->currentText(), QString("wmv1"));
        QCOMPARE(dlg_->Variant(), 1);
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
        const MediaProfile opened = CatalogueProfile(category, index);
        Open(kind, opened);
        Pick(Combo("frameRate"), "12.00");
        Pick(Combo("videoCodec"), "h264");
        QCOMPARE(dlg_->Variant(), afterH264);
        Pick(Combo("videoCodec"), "mpeg4");
        QCOMPARE(dlg_->Variant(), afterMpeg4);
        Pick(Combo("videoCodec"), "h264");
        QCOMPARE(dlg_->Variant(), afterH264);
        // No catalogue look-up in these kinds: the other values stay.
        QCOMPARE(Combo("frameRate")->currentText(), QString("12.00"));
        QCOMPARE(Label("profileLabel"), QString(opened.ProfileName) + " Profile:");
    }

    void amrNbLocksAndUnlocksAudioDetails() {
        Open(9, CatalogueProfile(8, 0)); // "3GP(h263/aac)"
        QComboBox* channels = Combo("channels");
        QComboBox* bitrate = Combo("audioBitrate");
        QComboBox* rate = Combo("sampleRate");
        Pick(Combo("audioCodec"), "amr_nb");
        QCOMPARE(channels->currentText(), QString("Mono"));
        QCOMPARE(bitrate->currentText(), QString("12.2"));
        QCOMPARE(rate->currentText(), QString("8000"));
        QVERIFY(!channels->isEnabled());
        QVERIFY(!bitrate->isEnabled());
        QVERIFY(!rate->isEnabled());

        Pick(Combo("audioCodec"), "aac");
        QVERIFY(channels->isEnabled());
        QVERIFY(bitrate->isEnabled());
        QVERIFY(rate->isEnabled());
        QCOMPARE(channels->currentText(), QString("Mono"));
        QCOMPARE(bitrate->currentText(), QString("12.2"));
        QCOMPARE(rate->currentText(), QString("8000"));

        // Second entry of another kind's list locks nothing.
        Open(1, CatalogueProfile(0, 0));
        Pick(Combo("audioCodec"), "mp2");
        QVERIFY(Combo("channels")->isEnabled());
        QCOMPARE(Combo("audioBitrate")->currentText(), QString("192"));
    }

    void openingWithAmrNbLeavesDetailsEnabled() {
        Open(9, CatalogueProfile(8, 1)); // "3GP(h263/amr)"
        QCOMPARE(Combo("audioCodec")->currentText(), QString("amr_nb"));
        QVERIFY(Combo("channels")->isEnabled());
        QVERIFY(Combo("audioBitrate")->isEnabled());
        QVERIFY(Combo("sampleRate")->isEnabled());
    }

    void volumeLabelChangesOnReleaseOnly() {
        MediaProfile p = CatalogueProfile(0, 0);
        p.Volume = 512;
        Open(1, p);
        QSlider* volume = Slider();
        QCOMPARE(volume->minimum(), 0);
        QCOMPARE(volume->maximum(), 768);
        QCOMPARE(volume->value(), 512);
        QCOMPARE(Label("volumeLabel"), QString("Vol:100%"));

        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_Right);
        QCOMPARE(volume->value(), 513);
        QCOMPARE(Label("volumeLabel"), QString("Vol:100%"));

        volume->setSliderDown(true);
        volume->setSliderPosition(384);
        volume->setSliderDown(false); // the release
        QCOMPARE(Label("volumeLabel"), QString("Vol:150%"));
        volume->setSliderDown(true);
        volume->setSliderPosition(1);
        volume->setSliderDown(false);
        QCOMPARE(Label("volumeLabel"), QString("Vol:0%"));

        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QCOMPARE(dlg_->Profile().Volume, 1);
    }

    void saveThenEscapeReturnsNothing() {
        Open(1, CatalogueProfile(0, 0));
        Pick(Combo("frameSize"), "640x480");
        QTest::mouseClick(Button("save"), Qt::LeftButton);
        QVERIFY(dlg_->IsSaved());
        QVERIFY(dlg_->isVisible()); // Save keeps the dialog open
        QCOMPARE(GetText(dlg_->Profile().FrameSize), std::string_view("640x480"));
        QTest::keyClick(Combo("aspect"), Qt::Key_Escape);
        QCOMPARE(dlg_->result(), int(QDialog::Rejected));
        QVERIFY(!dlg_->isVisible());
    }

    void closeBoxRejects() {
        Open(1, CatalogueProfile(0, 0));
        dlg_->close();
        QCOMPARE(dlg_->result(), int(QDialog::Rejected));
    }

    void enterKeepsValuesAsOpenedOrSaved() {
        const MediaProfile opened = CatalogueProfile(0, 0);
        Open(1, opened);
        Pick(Combo("frameSize"), "640x480");
        QTest::keyClick(Combo("frameSize"), Qt::Key_Return);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QVERIFY(SameProfile(dlg_->Profile(), opened));

        Open(1, opened);
        Pick(Combo("frameSize"), "640x480");
        QTest::mouseClick(Button("save"), Qt::LeftButton);
        Pick(Combo("aspect"), "16:9");
        QTest::keyClick(Combo("aspect"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(dlg_->result(), int(QDialog::Accepted));
        QCOMPARE(GetText(dlg_->Profile().FrameSize), std::string_view("640x480"));
        QCOMPARE(GetText(dlg_->Profile().Aspect), std::string_view("Original"));
        QVERIFY(dlg_->IsSaved());
    }

    void reloadRestoresOpenedValues() {
        const MediaProfile opened = CatalogueProfile(1, 0); // "WMV Video", variant 2
        Open(2, opened);
        Pick(Combo("videoCodec"), "wmv1");
        Pick(Combo("sampleRate"), "8000");
        Slider()->setValue(700);
        QTest::mouseClick(Button("save"), Qt::LeftButton);
        QCOMPARE(dlg_->Profile().Variant, 1);

        QTest::mouseClick(Button("reload"), Qt::LeftButton);
        QVERIFY(SameProfile(dlg_->Profile(), opened));
        QCOMPARE(dlg_->Variant(), 2);
        QCOMPARE(Combo("videoCodec")->currentText(), QString("wmv2"));
        QCOMPARE(Combo("sampleRate")->currentText(), QString("48000"));
        QCOMPARE(Slider()->value(), 256);
        QVERIFY(dlg_->IsSaved()); // saved never goes back
        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QVERIFY(SameProfile(dlg_->Profile(), opened));
    }

    // Today's formats: their codecs, a quality instead of a video bit rate,
    // units in the labels, and boxes a codec makes meaningless greyed out.
    void todaysFormatsOfferQualityUnitsAndTheirCodecs() {
        Open(KindNumber(TargetKind::ModernVideo), CatalogueProfile(9, 2)); // H.264, fit 1280x720
        QCOMPARE(Items(Combo("videoCodec")), QStringList({"h264", "hevc", "vp9", "av1", "copy"}));
        QCOMPARE(Items(Combo("audioCodec")), QStringList({"aac", "opus", "copy"}));
        QCOMPARE(Combo("videoBitrate")->count(), 25);
        QCOMPARE(Combo("videoBitrate")->currentText(), QString("23"));
        QCOMPARE(Combo("frameRate")->currentText(), QString("Original"));
        QCOMPARE(Combo("frameSize")->currentText(), QString("1280x720"));
        QCOMPARE(Combo("frameSize")->itemText(28), QString("854x480"));
        QCOMPARE(Combo("sampleRate")->currentText(), QString("Original"));
        QCOMPARE(Items(Combo("channels")), QStringList({"Mono", "Stereo", "Original"}));
        QCOMPARE(Combo("channels")->currentText(), QString("Original"));
        const std::pair<const char*, const char*> labels[] = {
            {"videoBitrateLabel", " Quality (RF):"},
            {"frameRateLabel", " Frame Rate (fps):"},
            {"frameSizeLabel", " Fit Within (px):"},
            {"audioBitrateLabel", "Bitrate (kb/s):"},
            {"sampleRateLabel", "Rate (Hz):"}};
        for (const auto& [name, text] : labels)
            QCOMPARE(Label(name), QString(text));
        QCOMPARE(Combo("videoBitrate")->accessibleName(), QString("Quality (RF)"));
        QVERIFY(!Combo("videoBitrate")->toolTip().isEmpty());

        // Copying the streams: the catalogue's copy profile, its values greyed out.
        Pick(Combo("videoCodec"), "copy");
        QCOMPARE(Label("profileLabel"), QString("MKV, same streams (no re-encoding) Profile:"));
        QCOMPARE(dlg_->Variant(), 1);
        for (const char* name : {"frameRate", "videoBitrate", "frameSize", "aspect", "channels",
                                 "audioBitrate", "sampleRate"})
            QVERIFY2(!Combo(name)->isEnabled(), name);
        Pick(Combo("audioCodec"), "opus");
        QVERIFY(Combo("audioBitrate")->isEnabled());
        QVERIFY(!Combo("frameSize")->isEnabled());
        Pick(Combo("videoCodec"), "av1");
        QCOMPARE(Label("profileLabel"),
                 QString("AV1 MKV with Opus, same size (smallest) Profile:"));
        QVERIFY(Combo("frameSize")->isEnabled());
        Pick(Combo("videoBitrate"), "30");
        QTest::mouseClick(Button("close"), Qt::LeftButton);
        QCOMPARE(GetText(dlg_->Profile().VideoBitrate), std::string_view("30"));
        QCOMPARE(GetText(dlg_->Profile().VideoCodec), std::string_view("av1"));

        // The sound alone: no video to choose; a lossless codec takes no bit rate.
        Open(KindNumber(TargetKind::ModernAudio), CatalogueProfile(10, 3)); // FLAC
        QVERIFY(!Combo("videoCodec")->isEnabled());
        QCOMPARE(Combo("videoCodec")->count(), 0);
        QVERIFY(!Combo("audioBitrate")->isEnabled());
        Pick(Combo("audioCodec"), "mp3");
        QVERIFY(Combo("audioBitrate")->isEnabled());
        QCOMPARE(Label("videoBitrateLabel"), QString(" Bitrate (kb/s):"));

        // The older kinds keep their labels and lists.
        Open(1, CatalogueProfile(0, 0));
        QCOMPARE(Label("videoBitrateLabel"), QString(" Bitrate:"));
        QCOMPARE(Label("sampleRateLabel"), QString("Sample Rate:"));
        QCOMPARE(Combo("frameRate")->count(), 9);
        QCOMPARE(Items(Combo("channels")), QStringList({"Mono", "Stereo"}));
    }
};

} // namespace kiv::test

QTEST_MAIN(kiv::test::EditorDlgTest)
#include "EditorDlgTest.moc"
