#pragma once
// The file dialog that adds files to the list.

#include <QString>
#include <QStringList>

class QWidget;

namespace kiv {

// The dialog's filter in the "description|patterns|..." form, patterns
// separated by ';'.
extern const char* const kMediaFileFilter;

// Qt name filters for such a filter: each description as users know it,
// followed by its patterns in Qt's form ("*.*" matches every name, as it
// does for the users of the description). The dialog hides the patterns'
// own parentheses, so it shows the descriptions unchanged.
QStringList QtNameFilters(const QString& filter);

// Opens the dialog, owned by parent, for several existing files. The chosen
// files in the dialog's order; empty when cancelled.
QStringList ChooseMediaFiles(QWidget* parent);

} // namespace kiv
