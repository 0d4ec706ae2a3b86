#include "frontend/qt/file_dialog.h"

#include "ui/toolkit/language_store.h"

#include <QCoreApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QTranslator>
#include <memory>

namespace morva::qt {
namespace {

QString text(const ui::LanguageStore& language, std::string_view key) {
    return QString::fromStdString(language.resolve(ui::LanguageStore::makeKey(key)));
}

} // namespace

bool useQtTranslation(const ui::LanguageStore& language) {
    static std::unique_ptr<QTranslator> installed;
    static QString installedLocale;
    const QString locale = text(language, "qt_translation_locale");
    if (installed && locale == installedLocale) {
        return true;
    }
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
        installedLocale.clear();
    }
    auto translator = std::make_unique<QTranslator>();
    if (locale.startsWith(QStringLiteral("en")) || locale.contains(QStringLiteral("%[")) ||
        !translator->load(QStringLiteral("qtbase_") + locale,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false; // Qt speaks English by itself
    }
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    installedLocale = locale;
    return true;
}

void prepareFileDialog(QFileDialog& dialog, const ui::LanguageStore& language, bool save,
                       const QString& title) {
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setWindowTitle(!title.isEmpty() ? title
                                           : text(language, save ? "file_dialog_save_title_text"
                                                                 : "file_dialog_open_title_text"));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setLabelText(QFileDialog::LookIn, text(language, "file_dialog_look_in_text"));
    dialog.setLabelText(QFileDialog::FileName, text(language, "file_dialog_file_name_text"));
    dialog.setLabelText(QFileDialog::FileType, text(language, "file_dialog_file_type_text"));
    dialog.setLabelText(QFileDialog::Accept,
                        text(language, save ? "file_dialog_save_text" : "file_dialog_open_text"));
    dialog.setLabelText(QFileDialog::Reject, text(language, "file_dialog_cancel_text"));
}

} // namespace morva::qt
