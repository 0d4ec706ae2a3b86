#pragma once

#include <QString>

class QFileDialog;

namespace morva::ui {
class LanguageStore;
}

namespace morva::qt {

// Readies a file dialog for opening or saving: Qt draws it, so it takes the program's palette
// instead of the desktop's (a native dialog would ignore both palette and language), and its
// labels and buttons read in the program's language. Without a title of the caller's, the title
// says whether a file is opened or saved.
// Qt's own texts inside its dialogs (the overwrite question, the context menus) follow the
// interface's language where Qt ships a translation for it. True while one is in use.
bool useQtTranslation(const ui::LanguageStore& language);

void prepareFileDialog(QFileDialog& dialog, const ui::LanguageStore& language, bool save,
                       const QString& title = {});

} // namespace morva::qt
