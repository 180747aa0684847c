// The logo file (.qmi) and the logo tab's file commands: the 512-byte format, refused sizes, the
// save-first question, and failures that leave the drawing and its flag as they were.
#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "files/LogoFile.h"
#include "logo/LogoCodec.h"
#include "logo/LogoFileCommands.h"
#include "logo/LogoTexts.h"

namespace fs = std::filesystem;
using qm::LogoPicture;
using qm::Outcome;
using namespace qm::test;

namespace
{

const char* const kSaveFirst = "Рисунок логотипа был изменен. Сохранить изменения?";
const char* const kWrongFormat = "Формат выбранного файла не соответствует нужному формату.";

LogoPicture drawing()
{
    LogoPicture p;
    p.setDot(3, 4, true);
    p.setDot(60, 61, true);
    return p;
}

struct LogoFiles : ::testing::Test {
    TempDir dir;
    qmtest::ScriptedFeedback fb;
    ScriptedChooser chooser;
    qm::FileCommandContext ctx{fb, chooser, dir.path()};
    LogoPicture picture = drawing();
    bool modified = true;

    void choose(const std::string& name) { chooser.files.push_back(qm::ChosenFile{dir / name, 1}); }
    void cancelDialog() { chooser.files.push_back(std::nullopt); }

    // A picture reader that gives a 2 × 1 picture: a grey of brightness 100 and white.
    qm::PictureReader greyReader()
    {
        return [](const fs::path&) {
            qm::PictureLoad load;
            load.picture.width = 2;
            load.picture.height = 1;
            load.picture.pixels = {qm::rgbColour(100, 100, 100), qm::kWhite};
            return load;
        };
    }
    qm::PictureReader failingReader()
    {
        return [](const fs::path& path) {
            qm::PictureLoad load;
            load.error = "Не удалось открыть рисунок \"" + path.filename().string() + "\"";
            return load;
        };
    }
};

} // namespace

TEST_F(LogoFiles, SaveWritesThe512PackedBytesAndOpenReadsThemBack)
{
    choose("a.qmi");
    EXPECT_EQ(qm::saveLogo(ctx, picture, modified), Outcome::Done);
    EXPECT_FALSE(modified);
    const std::string bytes = readAll(dir / "a.qmi");
    ASSERT_EQ(bytes.size(), 512u);
    EXPECT_EQ(bytes, qm::logoFileBytes(drawing()));
    EXPECT_EQ(chooser.shown.back().name, "QmiSaveDialog");
    EXPECT_EQ(chooser.shown.back().initialName, "noname01");
    EXPECT_EQ(chooser.shown.back().defaultExtension, "qmi");
    EXPECT_EQ(chooser.shown.back().filter, "рисунки(*.qmi)|*.qmi");

    LogoPicture opened;
    bool openedModified = true;
    choose("a.qmi");
    EXPECT_EQ(qm::openLogo(ctx, opened, openedModified), Outcome::Done);
    EXPECT_EQ(opened, drawing());
    EXPECT_FALSE(openedModified);
    EXPECT_EQ(chooser.shown.back().name, "QmiOpenDialog");
}

TEST_F(LogoFiles, OnlyAFirstDotFileIs0x80AndZeros)
{
    LogoPicture first;
    first.setDot(0, 0, true);
    choose("first.qmi");
    ASSERT_EQ(qm::saveLogo(ctx, first, modified), Outcome::Done);
    EXPECT_EQ(readAll(dir / "first.qmi"), std::string("\x80") + std::string(511, '\0'));
}

TEST_F(LogoFiles, AFileOfFFBytesOpensAllBlack)
{
    writeAll(dir / "black.qmi", std::string(512, '\xFF'));
    modified = false;
    choose("black.qmi");
    EXPECT_EQ(qm::openLogo(ctx, picture, modified), Outcome::Done);
    EXPECT_EQ(picture.setCount(), 4096);
}

TEST_F(LogoFiles, WrongSizesAndMissingFilesAreRefusedAndTheDrawingStays)
{
    writeAll(dir / "long.qmi", std::string(513, '\0'));
    writeAll(dir / "empty.qmi", "");
    modified = false;
    for (const char* name : {"long.qmi", "empty.qmi"}) {
        fb.messages.clear();
        choose(name);
        EXPECT_EQ(qm::openLogo(ctx, picture, modified), Outcome::Failed) << name;
        EXPECT_EQ(fb.messages, std::vector<std::string>{kWrongFormat}) << name;
    }
    fb.messages.clear();
    choose("missing.qmi");
    EXPECT_EQ(qm::openLogo(ctx, picture, modified), Outcome::Failed);
    EXPECT_EQ(fb.messages, std::vector<std::string>{"Ошибка открытия файла " + (dir / "missing.qmi").string()});
    EXPECT_EQ(picture, drawing());
    EXPECT_FALSE(modified);
    EXPECT_TRUE(fb.questions.empty());
}

TEST_F(LogoFiles, AFailedOrCancelledSaveKeepsTheFlag)
{
    // A directory in place of the file: the write fails.
    fs::create_directory(dir / "dir.qmi");
    choose("dir.qmi");
    EXPECT_EQ(qm::saveLogo(ctx, picture, modified), Outcome::Failed);
    EXPECT_TRUE(modified);
    ASSERT_EQ(fb.messages.size(), 1u);
    EXPECT_NE(fb.messages[0].find("dir.qmi"), std::string::npos);
    EXPECT_TRUE(fs::is_directory(dir / "dir.qmi"));
    cancelDialog();
    EXPECT_EQ(qm::saveLogo(ctx, picture, modified), Outcome::Cancelled);
    EXPECT_TRUE(modified);
    EXPECT_EQ(entries(dir.path()), std::vector<std::string>{"dir.qmi"}) << "no temporary file left behind";
}

TEST_F(LogoFiles, SaveFirstQuestionGuardsNewOpenAndConvert)
{
    // Cancel: nothing changes, no dialog.
    fb.answers = {qm::Answer::Cancel, qm::Answer::Cancel, qm::Answer::Cancel};
    EXPECT_EQ(qm::newLogo(ctx, picture, modified), Outcome::Cancelled);
    EXPECT_EQ(qm::openLogo(ctx, picture, modified), Outcome::Cancelled);
    EXPECT_EQ(qm::convertLogoPicture(ctx, picture, modified, 127, {"*.bmp"}, greyReader()), Outcome::Cancelled);
    EXPECT_EQ(fb.questions, std::vector<std::string>(3, kSaveFirst));
    EXPECT_TRUE(chooser.shown.empty());
    EXPECT_EQ(picture, drawing());
    EXPECT_TRUE(modified);

    // Yes with the save dialog cancelled: the drawing is not lost.
    fb.answers = {qm::Answer::Yes};
    cancelDialog();
    EXPECT_EQ(qm::newLogo(ctx, picture, modified), Outcome::Cancelled);
    EXPECT_EQ(picture, drawing());
    EXPECT_TRUE(modified);

    // Yes with a save: saved, then white.
    fb.answers = {qm::Answer::Yes};
    choose("kept.qmi");
    EXPECT_EQ(qm::newLogo(ctx, picture, modified), Outcome::Done);
    EXPECT_EQ(readAll(dir / "kept.qmi"), qm::logoFileBytes(drawing()));
    EXPECT_EQ(picture, LogoPicture());
    EXPECT_FALSE(modified);

    // Not modified: no question.
    fb.questions.clear();
    EXPECT_EQ(qm::newLogo(ctx, picture, modified), Outcome::Done);
    EXPECT_TRUE(fb.questions.empty());
}

TEST_F(LogoFiles, ConvertUsesTheThresholdAndSetsTheFlag)
{
    modified = false;
    choose("grey.png");
    EXPECT_EQ(qm::convertLogoPicture(ctx, picture, modified, 100, {"*.bmp", "*.png"}, greyReader()), Outcome::Done);
    EXPECT_EQ(picture.setCount(), 1);
    EXPECT_TRUE(picture.dot(0, 0));
    EXPECT_TRUE(modified);
    EXPECT_EQ(chooser.shown.back().name, "PictureOpenDialog");
    EXPECT_EQ(chooser.shown.back().filter, "рисунки|*.bmp *.png");

    choose("grey.png");
    EXPECT_EQ(qm::convertLogoPicture(ctx, picture, modified, 99, {"*.bmp"}, greyReader()), Outcome::Done);
    EXPECT_EQ(picture.setCount(), 0);
}

TEST_F(LogoFiles, AFailedPictureLoadLeavesTheDrawingAndTheFlag)
{
    modified = false;
    choose("bad.png");
    EXPECT_EQ(qm::convertLogoPicture(ctx, picture, modified, 127, {"*.png"}, failingReader()), Outcome::Failed);
    EXPECT_EQ(fb.messages, std::vector<std::string>{"Не удалось открыть рисунок \"bad.png\""});
    EXPECT_EQ(picture, drawing());
    EXPECT_FALSE(modified);
}
