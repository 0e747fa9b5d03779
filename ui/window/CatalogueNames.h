#pragma once
// The names of the catalogue's formats and profiles as the lists show them.
// The settings file keeps the catalogue's own names; a name made of plain
// words ("To audio only", "same size") is shown in the user's language, a
// product or device name ("iPod nano(Good Quality)") as it is.

#include <QString>

namespace kiv {

QString ShownCategoryName(const char* name);
QString ShownProfileName(const char* name);

} // namespace kiv
