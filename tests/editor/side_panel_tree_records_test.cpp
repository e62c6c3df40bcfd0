// The tree finds each row's record as the record search does, also where one pair of vertices has
// several records (measured and unmeasured, in either vertex order) and where records name
// vertices the outline does not have.

#include <gtest/gtest.h>

#include "editor/side_panel_tree.h"
#include "model/ceiling.h"
#include "model/records.h"
#include "model/settings.h"
#include "support/fakes.h"

using namespace tenzora;

TEST(PanelTreeRecords, EveryRowCarriesTheRecordTheSearchFindsForItsPair) {
    TestDocument t;
    setOutline(*t, {{0, 0}, {0, 300}, {200, 450}, {400, 300}, {400, 0}, {200, -100}});
    auto add = [&](int a, int b, double length) {
        Diagonal d;
        d.a = a;
        d.b = b;
        d.length = length;
        t->diagonals.append(d);
    };
    add(0, 2, 0); // unmeasured, then measured with the vertices the other way round
    add(2, 0, 361.0);
    add(0, 2, 359.0); // a later measured one: the first measured one counts
    add(1, 3, 0);     // two unmeasured: the last one counts
    add(3, 1, -1);
    add(2, 4, 420.0);
    add(4, 2, 0);
    add(7, 1, 10.0); // a vertex the outline does not have
    add(-1, 3, 10.0);

    const std::vector<PanelTreeRow> rows = buildPanelTree(*t, AppSettings{}, {});
    ASSERT_FALSE(rows.empty());
    int checked = 0;
    for (const PanelTreeRow& root : rows) {
        EXPECT_EQ(root.record, findDiagonal(*t, root.first, root.second)) << root.first << "-" << root.second;
        for (const PanelTreeRow& row : root.children) {
            EXPECT_EQ(row.record, findDiagonal(*t, row.first, row.second)) << row.first << "-" << row.second;
            ++checked;
        }
    }
    EXPECT_GT(checked, 10);
}
