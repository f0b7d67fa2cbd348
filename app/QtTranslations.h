#pragma once

class QCoreApplication;

namespace tk {

// Qt's own dialogs, buttons and context menus speak German ("Speichern unter",
// "Abbrechen", "Kopieren"): loads qtbase_de from Qt's translations folder. False when the
// translations are not installed; Qt's texts then stay English.
bool installQtTranslations(QCoreApplication &app);

} // namespace tk
