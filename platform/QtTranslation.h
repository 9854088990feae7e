#pragma once

class QCoreApplication;

// Qt's own texts in German, as the rest of the interface: the text boxes'
// context menus, the standard dialogs' buttons. Whatever the user's locale.
// Returns false where Qt's German translation is not installed.
bool installGermanQtTexts(QCoreApplication &application);
