// File icons from an icon theme of the test's own.
#include "common/FileIcon.h"
#include "tests/support/TestSupport.h"

#include <QIcon>
#include <QImage>
#include <gtest/gtest.h>

namespace z9 {
namespace {

namespace fs = std::filesystem;

class FileIconTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path theme = temp_.Path() / "icons" / "z9test";
        temp_.Write("icons/z9test/index.theme",
                    "[Icon Theme]\nName=z9test\nDirectories=16x16/mimetypes\n\n"
                    "[16x16/mimetypes]\nSize=16\nContext=MimeTypes\nType=Fixed\n");
        fs::create_directories(theme / "16x16" / "mimetypes");
        Picture(Qt::red).save(QString::fromStdString((theme / "16x16/mimetypes/text-plain.png").string()));
        Picture(Qt::blue).save(
            QString::fromStdString((theme / "16x16/mimetypes/inode-directory.png").string()));
        savedPaths_ = QIcon::themeSearchPaths();
        savedTheme_ = QIcon::themeName();
        QIcon::setThemeSearchPaths({QString::fromStdString((temp_.Path() / "icons").string())});
        QIcon::setThemeName(QStringLiteral("z9test"));
        ClearDesktopFileIcons();
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedTheme_);
        ClearDesktopFileIcons();
    }

    static QImage Picture(Qt::GlobalColor colour) {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(colour);
        return image;
    }
    static QRgb Centre(const QIcon& icon) { return icon.pixmap(16, 16).toImage().pixel(8, 8); }

    test::TempFolder temp_;
    QStringList savedPaths_;
    QString savedTheme_;
};

TEST_F(FileIconTest, TheThemeIconOfTheFilesTypeLookedUpOncePerType) {
    QIcon text = DesktopFileIcon("/nowhere/notes.txt");
    ASSERT_FALSE(text.isNull());
    EXPECT_EQ(Centre(text), QColor(Qt::red).rgb());
    EXPECT_EQ(DesktopFileIconTypes(), 1u);
    // A second text file, in other letters and a Windows path, is the same type.
    EXPECT_EQ(Centre(DesktopFileIcon("C:\\Reports\\WEEK.TXT")), QColor(Qt::red).rgb());
    EXPECT_EQ(DesktopFileIconTypes(), 1u);

    EXPECT_EQ(Centre(DesktopFileIcon(temp_.Path().string())), QColor(Qt::blue).rgb()) << "a folder";
    EXPECT_TRUE(DesktopFileIcon("/x/data.z9-no-type").isNull())
        << "no icon: the caller shows its generic one";
    EXPECT_EQ(DesktopFileIconTypes(), 3u);
    EXPECT_TRUE(DesktopFileIcon("").isNull());
}

} // namespace
} // namespace z9
