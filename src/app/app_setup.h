// What the program sets up before its first window: the title and the fonts
// that the windows name, mapped to what the system has.
#pragma once

namespace pixdeck {

// Application title "Pixdeck", its icon, and substitutes for the Windows
// fonts the forms ask for ("MS Sans Serif", "Arial", "Courier New").
void SetUpApplication();

}  // namespace pixdeck
