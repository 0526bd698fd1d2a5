// Ordering a browse list: clicking a heading sorts by what the column shows
// and shows the indicator, a second click reverses, and the locator searches
// the column the list is ordered by.

#include <QHeaderView>
#include <QLineEdit>
#include <QTableView>

#include "tests/ui/KeyboardWalk.h"
#include "tests/ui/UiFixture.h"
#include "ui/framework/BrowseList.h"
#include "ui/maintenance/ReferenceLists.h"

using namespace qv;
using namespace qv::data;
using namespace qv::ui;
using qv::testing::UiTest;

namespace {

class BrowseOrder : public UiTest {
protected:
    static void clickHeading(BrowseList& list, int column) {
        QHeaderView* header = list.view()->horizontalHeader();
        QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                          QPoint(header->sectionViewportPosition(column) + 4, header->height() / 2));
    }
    static std::vector<QString> column(BrowseList& list, int col) {
        std::vector<QString> out;
        for (int r = 0; r < list.model()->rowCount(); ++r)
            out.push_back(list.model()->data(list.model()->index(r, col), Qt::DisplayRole).toString());
        return out;
    }
    static QString highlighted(BrowseList& list) {
        const Record* r = list.selected();
        return r ? QString::fromStdString(r->display(r->field("SpeciesName"))) : QString();
    }
    static void locate(BrowseList& list, const QString& text) {
        auto* locator = list.findChild<QLineEdit*>("locator");
        locator->clear();
        QTest::keyClicks(locator, text);
    }
    // Species of two divisions whose numbers run against their names.
    void addClub() {
        const int32_t sea = addDivision("Sea");
        const int32_t fresh = addDivision("Freshwater");
        addSpecies("Trevally", sea, 10);
        addSpecies("Snapper", sea, 9);
        addSpecies("Tench", fresh, 2);
        addSpecies("Carp", fresh, 1);
    }
};

}  // namespace

TEST_F(BrowseOrder, TheLocatorSearchesTheColumnTheListIsSortedBy) {
    addClub();
    BrowseList list(ctx(), maintenance::speciesList(ctx()));
    qv::testing::showActive(&list);
    auto* locator = list.findChild<QLineEdit*>("locator");
    EXPECT_EQ(locator->placeholderText(), "Type the start of Species Name");
    locate(list, "Tench");
    EXPECT_EQ(highlighted(list), "Tench");

    clickHeading(list, 1);
    EXPECT_EQ(locator->placeholderText(), "Type the start of Division Name");
    EXPECT_TRUE(locator->text().isEmpty()) << "a search along the old order no longer applies";
    locate(list, "Sea");
    EXPECT_EQ(highlighted(list), "Snapper") << "the first species of the Sea division";
    locate(list, "fr");
    EXPECT_EQ(highlighted(list), "Carp");

    // Reversed, the locator searches downwards from the end of the alphabet.
    clickHeading(list, 0);
    clickHeading(list, 0);
    locate(list, "Te");
    EXPECT_EQ(highlighted(list), "Tench");
    locate(list, "S");
    EXPECT_EQ(highlighted(list), "Snapper");
}

TEST_F(BrowseOrder, HeadingsShowTheIndicatorAndASecondClickReverses) {
    for (const char* name : {"Bay", "Alpine", "Coast"}) addDivision(name);
    addDivision("Dam", "Y");
    BrowseList list(ctx(), maintenance::divisionList());
    qv::testing::showActive(&list);
    QHeaderView* header = list.view()->horizontalHeader();
    EXPECT_TRUE(header->isSortIndicatorShown());
    EXPECT_EQ(header->sortIndicatorSection(), 0) << "the list opens in name order and says so";
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::AscendingOrder);

    clickHeading(list, 0);
    EXPECT_EQ(header->sortIndicatorOrder(), Qt::DescendingOrder);
    EXPECT_EQ(column(list, 0), (std::vector<QString>{"Dam", "Coast", "Bay", "Alpine"}));
    clickHeading(list, 0);
    EXPECT_EQ(column(list, 0), (std::vector<QString>{"Alpine", "Bay", "Coast", "Dam"}));

    clickHeading(list, 1);
    EXPECT_EQ(header->sortIndicatorSection(), 1);
    EXPECT_EQ(column(list, 1), (std::vector<QString>{"N", "N", "N", "Y"}));
    clickHeading(list, 1);
    EXPECT_EQ(column(list, 0).front(), "Dam");
    ASSERT_NE(list.selected(), nullptr) << "the first record is highlighted after a sort";
    EXPECT_EQ(list.selected()->stamp.recno, list.model()->record(0).stamp.recno);
}

TEST_F(BrowseOrder, EveryColumnSortsByWhatItShows) {
    addClub();
    {
        // A species whose division was deleted keeps its place, with no name.
        FileUse use(store(), "Species");
        Species orphan;
        orphan.SpeciesName = "Mullet";
        orphan.DivisionId = 99;
        orphan.ReportPosition = 5;
        orphan.InactiveFlag = "N";
        ASSERT_TRUE(insertRecord(store(), orphan).isOk());
    }
    BrowseList list(ctx(), maintenance::speciesList(ctx()));
    qv::testing::showActive(&list);

    clickHeading(list, 1);  // by division name, not division number
    EXPECT_EQ(column(list, 1), (std::vector<QString>{"", "Freshwater", "Freshwater", "Sea", "Sea"}));
    EXPECT_EQ(column(list, 0), (std::vector<QString>{"Mullet", "Carp", "Tench", "Snapper", "Trevally"}))
        << "equal names keep the list's own order";
    clickHeading(list, 1);
    EXPECT_EQ(column(list, 1).front(), "Sea");
    EXPECT_EQ(column(list, 1).back(), "");

    clickHeading(list, 2);  // by report position as a number, across divisions
    EXPECT_EQ(column(list, 2), (std::vector<QString>{"1", "2", "5", "9", "10"}));

    // The order holds when the list is read again after a change.
    addSpecies("Bream", 1, 3);
    list.refresh();
    EXPECT_EQ(column(list, 2), (std::vector<QString>{"1", "2", "3", "5", "9", "10"}));
}

TEST_F(BrowseOrder, AKeyOrderStaysLazyBothWays) {
    {
        FileUse use(store(), "Trophy");
        ASSERT_TRUE(store().inTransaction(Location::Club, [&]() -> Status {
            Record r = store().newRecord("Trophy");
            for (int i = 0; i < 3 * RecordTableModel::kChunk; ++i) {
                r.clear();
                r.setText(1, QString("Cup %1").arg(i, 4, 10, QChar('0')).toStdString());
                if (Status s = store().insert(r); !s) return s;
            }
            return Status::ok();
        }).isOk());
    }
    BrowseSpec design = maintenance::trophyList();
    design.columns[0].sortKey = "byTrophyName";
    design.sortable = true;
    BrowseList list(ctx(), design);
    EXPECT_EQ(list.model()->rowCount(), RecordTableModel::kChunk);
    list.model()->sort(0, Qt::DescendingOrder);
    EXPECT_EQ(list.model()->rowCount(), RecordTableModel::kChunk) << "reversed along the key, still one chunk";
    EXPECT_EQ(column(list, 0).front(), "Cup 0599");
    EXPECT_EQ(list.model()->locate("Cup 0100"), 3 * RecordTableModel::kChunk - 101);
}
