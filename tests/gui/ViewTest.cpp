// The list view: column layout in the profile, header clicks, selection texts, row colours,
// totals and the virtual rows.

#include "GuiTestSupport.h"

#include "core/settings/Profile.h"
#include "gui/bars/Bars.h"
#include "gui/view/ListModel.h"
#include "gui/view/TorvaneView.h"
#include "gui/view/ViewSite.h"

#include <QHeaderView>
#include <QSignalSpy>

using namespace torvane;
using namespace torvane::test;

namespace {

// Records what the view shows in the window around it.
class CRecordingSite final : public CViewSite {
public:
    void SetSelectionText(int index, const QString& text, const QString& tip,
                          const QIcon& icon) override {
        Selection = index > 0 ? QStringLiteral("[%1] %2").arg(index).arg(text) : text;
        Tip = tip;
        HasIcon = !icon.isNull();
    }
    void SetSelectedCountText(const QString& text) override { SelectedCount = text; }
    void SetItemCountText(const QString& text) override { ItemCount = text; }
    bool IsSizeBarVisible() const override { return SizeBarVisible; }
    void ShowSizeTotals(uint64_t bytes, int64_t seconds) override {
        Totals.emplace_back(bytes, seconds);
    }
    void FillDataBar(const CListData* record) override { DataBarRecord = record; }

    QString Selection;
    QString Tip;
    bool HasIcon = false;
    QString SelectedCount;
    QString ItemCount;
    bool SizeBarVisible = false;
    std::vector<std::pair<uint64_t, int64_t>> Totals;
    const CListData* DataBarRecord = nullptr;
};

// A document and a view over a profile text, outside any main window.
struct ViewFixture {
    explicit ViewFixture(const std::string& profileText = {}) : Host(Script) {
        Profile.Parse(profileText);
        Doc = std::make_unique<CTorvaneDoc>(Profile, Host);
        View = std::make_unique<CTorvaneView>(*Doc, Profile, Host.Icons(), Site);
        Doc->SetView(View.get());
        View->resize(800, 400);
        View->show();
    }

    // Adds files of the given sizes (a negative size adds a path that does not exist).
    void Add(std::initializer_list<int> sizes) {
        for (const int size : sizes) {
            const std::string name = "f" + std::to_string(Files++) + ".mp3";
            Doc->AddFile(size < 0 ? Dir / name : Dir.Write(name, std::string(size, 'x')), true);
        }
        Doc->UpdateItemCount();
    }

    std::string SavedColumns() {
        View->SaveSettings();
        return Profile.GetString("app", "columns");
    }

    CTempDir Dir;
    CScriptedHost::Script Script;
    CScriptedHost Host;
    CProfile Profile;
    CRecordingSite Site;
    std::unique_ptr<CTorvaneDoc> Doc;
    std::unique_ptr<CTorvaneView> View;
    int Files = 0;
};

} // namespace

class ViewTest : public QObject {
    Q_OBJECT
private slots:
    void columnLayoutRoundTrips_data() {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<std::vector<int>>("shown");
        QTest::addColumn<QString>("saved");
        QTest::newRow("none stored") << QString() << std::vector<int>{0, 1, 2, 3} << "ABCD";
        QTest::newRow("reversed") << "DCBA" << std::vector<int>{3, 2, 1, 0} << "DCBA";
        QTest::newRow("repeated letter") << "AAB" << std::vector<int>{0, 1} << "AB";
        QTest::newRow("last key") << "OEA" << std::vector<int>{14, 4, 0} << "OEA";
        QTest::newRow("no known letter") << "Z!" << std::vector<int>{0, 1, 2, 3} << "ABCD";
        QTest::newRow("lower case and bytes")
            << QString::fromLatin1("abc\xFF-") << std::vector<int>{0, 1, 2, 3} << "ABCD";
        QTest::newRow("more than fifteen letters")
            << "ABCDEFGHIJKLMNOP"
            << std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14}
            << "ABCDEFGHIJKLMNO";
    }
    void columnLayoutRoundTrips() {
        QFETCH(QString, stored);
        QFETCH(std::vector<int>, shown);
        QFETCH(QString, saved);
        ViewFixture fixture(stored.isNull() ? "" : "[app]\ncolumns=" + stored.toStdString() + "\n");
        QCOMPARE(fixture.View->ShownColumns(), shown);
        QCOMPARE(fixture.View->Model().IconColumn(), shown.front());
        QCOMPARE(QString::fromStdString(fixture.SavedColumns()), saved);
    }

    void widthsComeFromTheProfileUnlessTooWide() {
        ViewFixture fixture("[app]\ncolumn_0=99999\ncolumn_1=222\ncolumn_2=-50\n"
                            "column_3=99999999999999999999\n");
        QHeaderView* header = fixture.View->horizontalHeader();
        QCOMPARE(header->sectionSize(0), 300);
        QCOMPARE(header->sectionSize(1), 222);
        QVERIFY(header->sectionSize(2) >= 50); // a negative width is damage: the default
        QVERIFY(header->sectionSize(3) >= 70);
        header->resizeSection(2, 77);
        fixture.View->SaveSettings();
        QCOMPARE(fixture.Profile.GetInt("app", "column_0", 0), 300);
        QCOMPARE(fixture.Profile.GetInt("app", "column_2", 0), 77);
        QVERIFY(!fixture.Profile.HasKey("app", "column_4")); // hidden columns keep their value
    }

    // The default widths grow where this platform's font needs more for the common texts;
    // widths from the profile stay as stored, however narrow.
    void defaultWidthsFitTheirTexts() {
        ViewFixture fixture("[app]\ncolumns=JKL\ncolumn_11=33\n");
        QHeaderView* header = fixture.View->horizontalHeader();
        const QFontMetrics metrics = fixture.View->fontMetrics();
        const int margins =
            2 * (fixture.View->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1);
        QVERIFY(header->sectionSize(ColTime) >= 40);
        QVERIFY(header->sectionSize(ColTime) >= metrics.horizontalAdvance("00:05") + margins);
        QVERIFY(header->sectionSize(ColBitRate) >=
                metrics.horizontalAdvance("1411 kbit") + margins);
        QCOMPARE(header->sectionSize(ColSamplingRate), 33);
    }

    void toggledColumnComesBackAtItsStartWidthAtTheEnd() {
        ViewFixture fixture("[app]\ncolumns=ABE\ncolumn_4=120\n");
        fixture.View->horizontalHeader()->resizeSection(ColTitle, 250);
        fixture.View->ToggleColumn(ColTitle);
        QVERIFY(!fixture.View->IsColumnShown(ColTitle));
        fixture.View->ToggleColumn(ColFilePath);
        fixture.View->ToggleColumn(ColTitle);
        fixture.View->ToggleColumn(ColFilePath);
        QCOMPARE(fixture.View->ShownColumns(), (std::vector<int>{1, 4, 0}));
        QCOMPARE(fixture.View->horizontalHeader()->sectionSize(ColTitle), 120);
        QCOMPARE(fixture.View->Model().IconColumn(), int(ColFileName));
    }

    void lastColumnStaysShown() {
        ViewFixture fixture("[app]\ncolumns=C\n");
        fixture.View->ToggleColumn(ColExt);
        QCOMPARE(fixture.View->ShownColumns(), std::vector<int>{ColExt});
    }

    // The icon follows the column dragged to the front.
    void firstShownColumnCarriesTheIcon() {
        ViewFixture fixture;
        fixture.Add({10});
        QHeaderView* header = fixture.View->horizontalHeader();
        header->moveSection(header->visualIndex(ColSize), 0);
        QCOMPARE(fixture.View->ShownColumns(), (std::vector<int>{3, 0, 1, 2}));
        const CListModel& model = fixture.View->Model();
        QVERIFY(!model.data(model.index(0, ColSize), Qt::DecorationRole).isNull());
        QVERIFY(model.data(model.index(0, ColFilePath), Qt::DecorationRole).isNull());
        QCOMPARE(fixture.SavedColumns(), std::string("DABC"));
    }

    void headerClicksToggleTheSharedFlags() {
        ViewFixture fixture;
        fixture.Add({10, 20});
        QSignalSpy sorts(fixture.View.get(), &CTorvaneView::sortRequested);
        for (int i = 0; i < 3; ++i)
            ClickHeader(*fixture.View, ColSize);
        QCOMPARE(sorts.size(), 3);
        QCOMPARE(sorts[0], (QList<QVariant>{int(ColSize), false}));
        QCOMPARE(sorts[1], (QList<QVariant>{int(ColSize), true}));
        QCOMPARE(sorts[2], (QList<QVariant>{int(ColSize), false}));

        // another key in between makes the next sort by this key ascending again
        ClickHeader(*fixture.View, ColFileName);
        ClickHeader(*fixture.View, ColSize);
        QCOMPARE(sorts.last(), (QList<QVariant>{int(ColSize), false}));

        // a range sort shares the flags: the header click that follows sorts descending
        QCOMPARE(fixture.View->TakeSortDirection(ColExt), false);
        ClickHeader(*fixture.View, ColExt);
        QCOMPARE(sorts.last(), (QList<QVariant>{int(ColExt), true}));
    }

    void selectionTexts() {
        ViewFixture fixture;
        fixture.Add({10, 20, 30});
        const CListData* second = fixture.Doc->AllList()[1];
        fixture.View->SelectRows({1});
        QCOMPARE(fixture.Site.SelectedCount, QStringLiteral(" 1 件選択"));
        QCOMPARE(fixture.Site.Selection,
                 QStringLiteral("[2] ") + QString::fromStdString(second->FilePath()));
        QCOMPARE(fixture.Site.Tip, QString::fromStdString(second->FilePath()));
        QCOMPARE(fixture.Site.DataBarRecord, second);

        fixture.View->SelectRows({0, 2});
        QCOMPARE(fixture.Site.SelectedCount, QStringLiteral(" 2 件選択"));
        QCOMPARE(fixture.Site.Selection, QStringLiteral("複数選択中"));
        QVERIFY(fixture.Site.HasIcon);
        QVERIFY(fixture.Site.Tip.isEmpty());
        QCOMPARE(fixture.Site.DataBarRecord, nullptr);

        fixture.View->clearSelection();
        QCOMPARE(fixture.Site.SelectedCount, QStringLiteral(" 0 件選択"));
        QVERIFY(fixture.Site.Selection.isEmpty());
        QVERIFY(!fixture.Site.HasIcon);
    }

    void selectedRowsRoundTrip() {
        ViewFixture fixture;
        fixture.Add({1, 1, 1, 1, 1, 1});
        fixture.View->SelectRows({0, 2, 3, 5});
        QCOMPARE(fixture.View->SelectedRows(), (std::vector<int>{0, 2, 3, 5}));
        fixture.View->InvertSelection();
        QCOMPARE(fixture.View->SelectedRows(), (std::vector<int>{1, 4}));
        QCOMPARE(fixture.View->currentIndex().row(), 1);
        fixture.View->selectAll();
        fixture.View->InvertSelection();
        QVERIFY(fixture.View->SelectedRows().empty());
    }

    void rowColours() {
        ViewFixture fixture;
        fixture.Add({10, -1, 10});
        fixture.Doc->AllList()[2]->SetState(CListData::Playing, true);
        const CListModel& model = fixture.View->Model();
        const auto colour = [&](int row) {
            return model.data(model.index(row, 0), Qt::ForegroundRole).value<QBrush>().color();
        };
        QVERIFY(!model.data(model.index(0, 0), Qt::ForegroundRole).isValid());
        // grey, darkened only as far as it needs to read on the white list
        const QColor grey = colour(1);
        QVERIFY(grey.red() == grey.green() && grey.green() == grey.blue());
        QVERIFY(grey.red() <= 128 && grey.red() >= 110);
        QCOMPARE(colour(2), QColor(0, 0, 255));
    }

    // New rows show only when the document gives the new count; rows past the list show
    // nothing.
    void rowsFollowTheGivenCount() {
        ViewFixture fixture;
        fixture.Add({10});
        fixture.Doc->AddFile(fixture.Dir.Write("late.mp3", "x"), true);
        QCOMPARE(fixture.View->Model().rowCount(), 1);
        fixture.Doc->UpdateItemCount();
        QCOMPARE(fixture.View->Model().rowCount(), 2);
        QCOMPARE(fixture.Site.ItemCount, QStringLiteral(" 2 件"));
        const CListModel& model = fixture.View->Model();
        QCOMPARE(model.data(model.index(1, ColExt), Qt::DisplayRole).toString(),
                 QStringLiteral("mp3"));
        QCOMPARE(model.data(model.index(1, ColSize), Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        fixture.View->SetItemCount(5);
        QVERIFY(!model.data(model.index(4, ColFilePath), Qt::DisplayRole).isValid());
    }

    void totalTexts() {
        QCOMPARE(TimeTotalText(90), QStringLiteral("1.50 min"));
        QCOMPARE(TimeTotalText(61), QStringLiteral("1.01 min"));
        QCOMPARE(TimeTotalText(3600), QStringLiteral("60.00 min"));
        QVERIFY(TimeTotalText(0).isEmpty());
        QCOMPARE(SizeTotalText(1), QStringLiteral("0.1 Mbyte"));
        QCOMPARE(SizeTotalText(3 * 1048576), QStringLiteral("3.0 Mbyte"));
        QVERIFY(SizeTotalText(0).isEmpty());
    }

    void totalsOfTheSelectionOrOfAll() {
        ViewFixture fixture;
        fixture.Add({100, 200, -1, 400});
        fixture.View->ComputeTotals();
        QVERIFY(fixture.Site.Totals.empty()); // the size bar is hidden

        fixture.Site.SizeBarVisible = true;
        fixture.View->ComputeTotals();
        QCOMPARE(fixture.Site.Totals.back().first, uint64_t(700)); // the missing file adds 0
        fixture.View->SelectRows({1, 3});
        fixture.View->ComputeTotals();
        QCOMPARE(fixture.Site.Totals.back().first, uint64_t(600));

        // "常に再計算" follows every selection change
        const size_t before = fixture.Site.Totals.size();
        fixture.View->SetCalcAuto(true);
        fixture.View->SelectRows({0});
        QCOMPARE(fixture.Site.Totals.size(), before + 1);
        QCOMPARE(fixture.Site.Totals.back().first, uint64_t(100));
    }

    void fullRowSelectAndCalcAutoAreSaved() {
        ViewFixture fixture("[app]\nrowselect=1\ncalcauto=1\n");
        QVERIFY(fixture.View->FullRowSelect());
        QVERIFY(fixture.View->CalcAuto());
        QVERIFY(fixture.View->showGrid());
        fixture.View->SetFullRowSelect(false);
        fixture.View->SetCalcAuto(false);
        fixture.View->SaveSettings();
        QCOMPARE(fixture.Profile.GetInt("app", "rowselect", -1), 0);
        QCOMPARE(fixture.Profile.GetInt("app", "calcauto", -1), 0);
    }
};

QTEST_MAIN(ViewTest)
#include "ViewTest.moc"
