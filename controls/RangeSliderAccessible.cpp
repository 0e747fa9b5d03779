#include "RangeSliderAccessible.h"

#include "CRangeSlider.h"

namespace kiv {

namespace {

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
    if (className != QLatin1String(CRangeSlider::staticMetaObject.className()))
        return nullptr;
    auto* slider = qobject_cast<CRangeSlider*>(object);
    return slider ? new RangeSliderAccessible(slider) : nullptr;
}

} // namespace

RangeSliderAccessible::RangeSliderAccessible(CRangeSlider* slider)
    : QAccessibleWidget(slider, QAccessible::Slider) {}

const CRangeSlider* RangeSliderAccessible::Slider() const {
    return static_cast<const CRangeSlider*>(widget());
}

void* RangeSliderAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::ValueInterface)
        return static_cast<QAccessibleValueInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QString RangeSliderAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Value)
        return Slider()->SelectionText();
    // AT-SPI has no place for a value's text: the description carries it.
    if (kind == QAccessible::Description && widget()->accessibleDescription().isEmpty())
        return Slider()->SelectionText();
    return QAccessibleWidget::text(kind);
}

QVariant RangeSliderAccessible::currentValue() const {
    double start = 0, end = 0;
    Slider()->GetSelection(start, end);
    return start;
}

void RangeSliderAccessible::setCurrentValue(const QVariant&) {}

QVariant RangeSliderAccessible::maximumValue() const {
    return Slider()->Maximum();
}

QVariant RangeSliderAccessible::minimumValue() const {
    return Slider()->Minimum();
}

QVariant RangeSliderAccessible::minimumStepSize() const {
    return 0.0;
}

void RangeSliderAccessible::Install() {
    static const bool installed = [] {
        QAccessible::installFactory(&MakeInterface);
        return true;
    }();
    (void)installed;
}

} // namespace kiv
