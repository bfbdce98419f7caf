#include "app/app_setup.h"

#include <QApplication>
#include <QFont>
#include <QIcon>

#include "app/accessible_names.h"

namespace pixdeck {

void SetUpApplication() {
  QApplication::setApplicationName(QStringLiteral("Pixdeck"));
  QApplication::setDesktopFileName(QStringLiteral("pixdeck"));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/pixdeck/pixdeck.png")));
  InstallAccessibleInterfaces();
  // The forms name the fonts of the system they were drawn on; take the
  // nearest ones a Linux desktop has.
  QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Arial"),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  QFont::insertSubstitutions(QStringLiteral("Courier New"), {QStringLiteral("Liberation Mono"),
                                                             QStringLiteral("DejaVu Sans Mono")});
}

}  // namespace pixdeck
