// What assistive technology reads for the controls of a window: a screen
// reader announces a control by its name and may add its description.
#pragma once

#include <QString>
#include <utility>
#include <vector>

class QWidget;

namespace pixdeck {

// The name a caption gives its box: without the "&" of its access key ("&&"
// stays one "&"), the colon and a trailing "...": "Files to &Show:" gives
// "Files to Show".
QString CaptionName(const QString& caption);

// Makes the accessibility interfaces that read the names given here (once,
// before the first window: Qt keeps the first interface made for a control).
void InstallAccessibleInterfaces();

// Every box of window whose caption label names it as its buddy takes the
// caption's name, and every widget (the window too) that has a hint takes it
// as its description; named gives the names of the controls that have no
// caption, such as buttons that show only a picture. A name or description
// already given stays. A combo box's line edit and drop-down list get its name.
void NameControlsForAssistiveTech(QWidget& window,
                                  const std::vector<std::pair<QWidget*, QString>>& named = {});

}  // namespace pixdeck
