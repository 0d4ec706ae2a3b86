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
void prepareFileDialog(QFileDialog& dialog, const ui::LanguageStore& language, bool save,
                       const QString& title = {});

} // namespace morva::qt
