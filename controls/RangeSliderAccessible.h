#pragma once
// What assistive technology (screen readers, AT-SPI automation) learns of a
// range slider: a slider whose value is its selection, given as text
// ("0:00:05 to 0:00:12" in the Split dialog) and as numbers (the start as
// the current value, the bounds as minimum and maximum). AT-SPI shows the
// text as the slider's description unless one was set.

#include <QAccessibleWidget>

namespace kiv {

class CRangeSlider;

class RangeSliderAccessible : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit RangeSliderAccessible(CRangeSlider* slider);

    void* interface_cast(QAccessible::InterfaceType type) override;
    QString text(QAccessible::Text kind) const override;

    // The selection is changed by its thumbs and keys only.
    QVariant currentValue() const override;
    void setCurrentValue(const QVariant& value) override;
    QVariant maximumValue() const override;
    QVariant minimumValue() const override;
    QVariant minimumStepSize() const override;

    // Makes these the interface of every CRangeSlider; once per process.
    static void Install();

private:
    const CRangeSlider* Slider() const;
};

} // namespace kiv
