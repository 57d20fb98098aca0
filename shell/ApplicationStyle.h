#ifndef KRELVOX_APPLICATIONSTYLE_H
#define KRELVOX_APPLICATIONSTYLE_H

#include <QString>

// The program's style sheet: the look of the pages, their header band, the home
// view's buttons, the dialogs and the application menu, given by class and place. It is set
// on the application once, so that it is read once; a widget's own sheet (the shared
// touch widgets have theirs, see widgets/WidgetStyles.h) still comes before it.
QString applicationStyleSheet();

// Sets the program's style sheet on the application unless it has one already. The
// shell's widgets call it when they are made, so that they look the same wherever
// they are shown.
void ensureApplicationStyle();

#endif
