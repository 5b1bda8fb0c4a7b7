#pragma once

#include <QString>

class QBoxLayout;
class QDialog;
class QLabel;
class QWidget;

namespace vintrel {

// The frame of the program's modal windows: object name, caption, a title bar with the close
// button only.
void setUpModalWindow(QDialog *dialog, const QString &objectName, const QString &caption);

// The bold centred heading at the top of a window ("lbl_Heading").
QLabel *addHeading(QBoxLayout *layout, QWidget *parent, const QString &text);

} // namespace vintrel
