// The panel's command set and the Gallery window's wiring: a collection opened into it, the
// search, and an activated entry drawn fitted from the panel.

#include "app/core/formats/fractint_fields.h"
#include "app/core/record/fitted_fields.h"
#include "app/core/record/presets.h"
#include "app/ui/file_commands.h"
#include "app/ui/gallery_model.h"
#include "app/ui/gallery_window.h"
#include "gui_test_support.h"

#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QSignalSpy>
#include <QSortFilterProxyModel>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using lsystem::CommandSet;

constexpr char collection[] = "; a curve that fills the plane\n"
                              "Dragon {\n Angle 4\n Axiom FX\n X=X+YF+\n Y=-FX-Y\n}\n"
                              "stray text\n"
                              "Broken {\n Axiom F\n}\n"
                              "Koch { ; snowflake\n Angle 6\n Axiom F--F--F\n F=F+F--F+F\n}\n";

class Gallery : public ShownPanel {
protected:
    app::GalleryWindow& OpenCollection()
    {
        const QString path = folder.filePath(QStringLiteral("test.l"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(collection);
        file.close();
        windows.files().OpenLSystem(path);
        return *windows.gallery();
    }
    QStringList ShownNames(app::GalleryWindow& gallery)
    {
        QStringList names;
        const QAbstractItemModel& shown = gallery.shownEntries();
        for (int row = 0; row < shown.rowCount(); ++row)
            names << shown.index(row, 0).data().toString();
        return names;
    }

    QTemporaryDir folder;
};

TEST_F(Gallery, ThePanelCarriesTheCommandSetAndItsTitleTellsIt)
{
    windows.ShowRules();
    auto* note = form.findChild<QWidget*>(QStringLiteral("FractintCommands"));
    const struct {
        const char* name;
        CommandSet commands;
        std::size_t moreRules;
        const char* title;
    } rows[] = {
        { "fractint", CommandSet::Fractint, 0, "Control Panel — Fractint commands" },
        { "fractint with rules", CommandSet::Fractint, 3,
            "Control Panel — Fractint commands, 3 more rules" },
        { "panel", CommandSet::Panel, 0, "Control Panel" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        app::PanelFields fields = form.ReadFields();
        fields.commands = row.commands;
        fields.moreRules.assign(row.moreRules, app::RuleText { "X", "1", "F" });
        form.SetFields(fields);
        EXPECT_EQ(form.ReadFields().commands, row.commands);
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(row.title));
        EXPECT_EQ(note->isVisible(), row.commands == CommandSet::Fractint);
    }

    app::PanelFields fields = form.ReadFields();
    fields.commands = CommandSet::Fractint;
    form.SetFields(fields);
    // The note is shown whole and the table keeps room for six rules.
    auto* text = note->findChild<QLabel*>();
    EXPECT_GE(text->height(), text->heightForWidth(text->width()));
    auto* table = form.findChild<QTableWidget*>(QStringLiteral("RuleTable"));
    EXPECT_GE(table->height(), 6 * table->verticalHeader()->defaultSectionSize());
    note->findChild<QPushButton*>(QStringLiteral("UsePanelCommands"))->click();
    EXPECT_EQ(form.ReadFields().commands, CommandSet::Panel);
    EXPECT_FALSE(note->isVisible());

    form.SetFields(fields);
    form.RadioButtonPlant1->click();
    EXPECT_EQ(form.ReadFields().commands, CommandSet::Panel);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Control Panel"));
}

TEST_F(Gallery, OpeningACollectionShowsItsEntriesAndFaultsAndDrawsTheirThumbnails)
{
    app::GalleryWindow& gallery = OpenCollection();
    EXPECT_TRUE(gallery.isVisible());
    EXPECT_EQ(ShownNames(gallery),
        (QStringList {
            QStringLiteral("Dragon"), QStringLiteral("Broken"), QStringLiteral("Koch") }));
    const app::GalleryEntry& broken = gallery.model().entry(1);
    EXPECT_FALSE(broken.fields);
    EXPECT_NE(broken.fault.find("angle"), std::string::npos) << broken.fault;
    auto* faults = gallery.findChild<QLabel*>(QStringLiteral("GalleryFaults"));
    EXPECT_TRUE(faults->text().startsWith(QStringLiteral("line 8")))
        << faults->text().toStdString();
    EXPECT_EQ(gallery.findChild<QLabel*>(QStringLiteral("GalleryComment"))->text(),
        QStringLiteral("a curve that fills the plane"));
    QTRY_VERIFY_WITH_TIMEOUT(gallery.thumbnailsDone(), 5000);
}

TEST_F(Gallery, TheSearchKeepsEntriesWhoseNameOrCommentHoldsIt)
{
    app::GalleryWindow& gallery = OpenCollection();
    const struct {
        const char* text;
        QStringList names;
    } rows[] = {
        { "snow", { QStringLiteral("Koch") } },
        { "DRAG", { QStringLiteral("Dragon") } },
        { "nothing like it", {} },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        gallery.search().setText(QString::fromUtf8(row.text));
        EXPECT_EQ(ShownNames(gallery), row.names);
    }
}

TEST_F(Gallery, TheSourcesListSwitchesBackToTheExamplesAndANewSourceClearsTheSearch)
{
    app::GalleryWindow& gallery = OpenCollection();
    QComboBox& sources = gallery.sources();
    ASSERT_EQ(sources.count(), 2) << "the examples are not found";
    gallery.search().setText(QStringLiteral("nothing like it"));
    EXPECT_EQ(gallery.findChild<QLabel*>(QStringLiteral("GalleryComment"))->text(),
        QStringLiteral("No entry matches"));
    sources.setCurrentIndex(0);
    emit sources.activated(0);
    EXPECT_TRUE(gallery.search().text().isEmpty());
    EXPECT_FALSE(ShownNames(gallery).contains(QStringLiteral("Dragon")));
    EXPECT_GT(gallery.shownEntries().rowCount(), 0);
    emit sources.activated(1);
    EXPECT_EQ(ShownNames(gallery).first(), QStringLiteral("Dragon"));
    EXPECT_TRUE(gallery.shownEntries()
                    .index(0, 0)
                    .data(Qt::ToolTipRole)
                    .toString()
                    .startsWith(QStringLiteral("Dragon\n")));
}

TEST_F(Gallery, ReturnInTheSearchDrawsTheFirstEntryShownWithNoPresetChecked)
{
    app::GalleryWindow& gallery = OpenCollection();
    QSignalSpy ended(&form, &app::TForm1::drawingEnded);
    gallery.search().setText(QStringLiteral("snow"));
    QTest::keyClick(&gallery.search(), Qt::Key_Return);
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(form.ReadFields().axiom, "F--F--F");
    for (const app::Preset preset : app::AllPresets())
        EXPECT_FALSE(form.PresetButtonOf(preset)->isChecked());
}

TEST_F(Gallery, ActivatingAnEntryFillsThePanelAndDrawsItFitted)
{
    app::GalleryWindow& gallery = OpenCollection();
    const app::PanelFields fields = *gallery.model().entry(2).fields;
    QSignalSpy ended(&form, &app::TForm1::drawingEnded);
    emit gallery.view().activated(gallery.shownEntries().index(2, 0));
    ASSERT_TRUE(ended.wait(5000));
    EXPECT_EQ(fields.commands, CommandSet::Fractint);
    EXPECT_EQ(form.ReadFields(), app::FittedFields(fields, 0));
    EXPECT_FALSE(form.figures().empty());
}

} // namespace
