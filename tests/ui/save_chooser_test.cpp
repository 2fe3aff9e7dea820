// What the save dialogs propose: the shown file's base name with the filters' first extension, in the folder of the
// last save or, before any, in the shown file's folder.
#include "SaveChooser.h"

#include <gtest/gtest.h>

namespace {

const QString kPictures = QStringLiteral("PNG image (*.png);;SVG image (*.svg)");

class SaveChooserTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        savechooser::setChooser({});
        savechooser::setShownFile({});
        savechooser::forgetLastFolder();
    }
};

TEST_F(SaveChooserTest, ProposesTheShownFilesNameInTheLastSavesFolder)
{
    struct Case {
        const char* name;
        QString shown;
        QString savedBefore; // a path chosen in an earlier save; empty: none
        QString filters;
        QString proposed;
    } const cases[] = {
        { "the shown file's folder first", "/lamps/wall.ies", {}, kPictures, "/lamps/wall.png" },
        { "the last save's folder after", "/lamps/wall.ies", "/out/x.svg", kPictures, "/out/wall.png" },
        { "the first filter's extension", "/lamps/wall.LDT", {}, "PGM image (*.pgm);;PNG image (*.png)",
            "/lamps/wall.pgm" },
        { "only the last suffix goes", "/lamps/wall.v2.ies", {}, kPictures, "/lamps/wall.v2.png" },
        { "no extension in the filters", "/lamps/wall.ies", {}, "All files", "/lamps/wall" },
        { "no file shown: the folder alone", {}, "/out/x.png", kPictures, "/out" },
        { "nothing at all", {}, {}, kPictures, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        savechooser::forgetLastFolder();
        if (!c.savedBefore.isEmpty()) {
            savechooser::setChooser([&c](const QString&, const QString&) { return c.savedBefore; });
            EXPECT_EQ(savechooser::saveFileName(nullptr, QStringLiteral("Save"), kPictures), c.savedBefore);
        }
        savechooser::setShownFile(c.shown);
        EXPECT_EQ(savechooser::proposedPath(c.filters), c.proposed);
    }
}

TEST_F(SaveChooserTest, ACancelledSaveKeepsTheFolder)
{
    savechooser::setShownFile(QStringLiteral("/lamps/wall.ies"));
    savechooser::setChooser([](const QString&, const QString&) { return QStringLiteral("/out/a.png"); });
    savechooser::saveFileName(nullptr, QStringLiteral("Save"), kPictures);
    savechooser::setChooser([](const QString&, const QString&) { return QString(); });
    EXPECT_TRUE(savechooser::saveFileName(nullptr, QStringLiteral("Save"), kPictures).isEmpty());
    EXPECT_EQ(savechooser::proposedPath(kPictures), QStringLiteral("/out/wall.png"));
}

} // namespace
