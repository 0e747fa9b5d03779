#pragma once
// The split dialog's pictures, drawn from our SVG files in the resources
// (":/split/<name>.svg") at the size they are shown. The buttons' pictures
// are drawn in the application palette's text colour where the files use
// their dark ink; the idle picture ("idle") keeps its colours.

#include <QPixmap>
#include <QSize>

namespace kiv {

// A null pixmap when the picture cannot be read.
QPixmap RenderSplitPicture(const char* name, QSize size);

} // namespace kiv
