#include "frontend/qt/file_dialog.h"
#include "qt_fixture.h"
#include "ui/toolkit/language_store.h"

#include <QFileDialog>

namespace morva::qt::test {
namespace {

struct FileDialogCase {
    const char* languageFile;
    bool save;
    const char* accept;
    const char* reject;
    const char* fileName;
    const char* title;
};

void PrintTo(const FileDialogCase& c, std::ostream* os) {
    *os << c.languageFile << (c.save ? " save" : " open");
}

class FileDialogTest : public ::testing::TestWithParam<FileDialogCase> {};

TEST_P(FileDialogTest, IsDrawnByTheProgramAndSpeaksItsLanguage) {
    const FileDialogCase& c = GetParam();
    ui::LanguageStore language;
    ASSERT_TRUE(language.load(runtimeSkinFolder() / c.languageFile));
    QFileDialog dialog;
    prepareFileDialog(dialog, language, c.save);

    // A native dialog would take neither the program's palette nor its language.
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.acceptMode(), c.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    EXPECT_EQ(dialog.fileMode(), c.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    EXPECT_EQ(dialog.labelText(QFileDialog::Accept), QString::fromUtf8(c.accept));
    EXPECT_EQ(dialog.labelText(QFileDialog::Reject), QString::fromUtf8(c.reject));
    EXPECT_EQ(dialog.labelText(QFileDialog::FileName), QString::fromUtf8(c.fileName));
    EXPECT_EQ(dialog.windowTitle(), QString::fromUtf8(c.title));
    for (const auto label : {QFileDialog::LookIn, QFileDialog::FileType}) {
        EXPECT_FALSE(dialog.labelText(label).contains("%[")) << "a language key left unread";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Qt, FileDialogTest,
    ::testing::Values(FileDialogCase{"lan_en.xml", false, "Open", "Cancel",
                                     "File name:", "Open a file"},
                      FileDialogCase{"lan_en.xml", true, "Save", "Cancel", "File name:", "Save as"},
                      FileDialogCase{"lan_cn.xml", true, "保存", "取消", "文件名：", "另存为"}));

TEST(FileDialog, QtsOwnTextsFollowTheInterfacesLanguage) {
    ui::LanguageStore chinese;
    ASSERT_TRUE(chinese.load(runtimeSkinFolder() / "lan_cn.xml"));
    ui::LanguageStore english;
    ASSERT_TRUE(english.load(runtimeSkinFolder() / "lan_en.xml"));
    const QString source = QStringLiteral("New Folder");
    EXPECT_TRUE(useQtTranslation(chinese));
    EXPECT_NE(QCoreApplication::translate("QFileDialog", "New Folder"), source);
    EXPECT_FALSE(useQtTranslation(english));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "New Folder"), source);
}

TEST(FileDialog, KeepsTheCallersTitle) {
    ui::LanguageStore language;
    ASSERT_TRUE(language.load(runtimeSkinFolder() / "lan_en.xml"));
    QFileDialog dialog;
    prepareFileDialog(dialog, language, false, "Import a gun file");
    EXPECT_EQ(dialog.windowTitle(), "Import a gun file");
}

} // namespace
} // namespace morva::qt::test
