#include "qt_test_support.h"

#include "app/bidder_fields.h"
#include "app/qt/save_file_dialog.h"
#include "app/qt/tree_list_view.h"
#include "support/record_builder.h"
#include "ui/position_list.h"
#include "ui/qt/tlst_model.h"
#include "ui/qt/tlst_tree.h"

#include <QAbstractItemModelTester>
#include <QEvent>
#include <QHeaderView>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using Row = IGrid::Row;

// LV with `titles` titles of `positions` positions each, chained and labelled.
void MakeList(CAngebotList& list, int titles, int positions) {
    double id = 1;
    AddRec(list, "L", id++, 0, 1);
    for (int t = 0; t < titles; ++t) {
        const double title = id++;
        AddRec(list, "T", title, 1, 2);
        for (int p = 0; p < positions; ++p)
            AddPos(list, id++, title, 3, 1.5 * p, 2.25);
        AddRec(list, "S", id++, title, 3);
    }
    list.LinkDisplayChain();
    list.BuildAllLabels();
}

// Warnings of Qt during a test (the model tester reports what is wrong with a model so).
std::vector<std::string>& Warnings() {
    static std::vector<std::string> warnings;
    return warnings;
}

void CollectWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtWarningMsg || type == QtCriticalMsg) Warnings().push_back(text.toStdString());
}

struct TreeFixture : ::testing::Test {
    void SetUp() override { TestApp(); }
};

} // namespace

TEST_F(TreeFixture, ModelIsAConsistentItemModelOverTheSeam) {
    CTLstModel model;
    Warnings().clear();
    const QtMessageHandler previous = qInstallMessageHandler(CollectWarnings);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Warning);
    SetupPositionColumns(model);
    CAngebotList list;
    MakeList(list, 3, 4);
    FillList(model, list, "", "");
    EXPECT_EQ(model.RowCount(), 19);
    const QModelIndex lv = model.index(0, 0);
    const QModelIndex title = model.index(1, 0, lv);
    EXPECT_EQ(model.rowCount(title), 5);
    EXPECT_EQ(model.rowCount(model.index(1, 3, lv)), 0); // only column 0 has children
    const QModelIndex pos = model.index(2, 3, title);
    EXPECT_EQ(model.RowOfIndex(pos), model.FindItemByRecord(10));
    EXPECT_EQ(model.data(pos).toString(), QStringLiteral("3,000"));
    EXPECT_EQ(model.parent(pos), title);
    EXPECT_FALSE(model.flags(pos) & Qt::ItemIsEditable);

    // Changes through the seam reach the views; rows inserted one by one as well.
    model.SetItemText(model.RowOfIndex(pos), 2, "Neu\r\nzweite Zeile");
    EXPECT_EQ(model.data(pos.siblingAtColumn(2)).toString(), QStringLiteral("Neu zweite Zeile"));
    const Row added = model.InsertItem(model.RowOfIndex(title), "Pos.", 4);
    EXPECT_EQ(model.rowCount(title), 6);
    EXPECT_EQ(model.IndexOfRow(added).row(), 5);
    RefreshNumbers(model, list);
    model.DeleteAllRows();
    EXPECT_EQ(model.rowCount(), 0);
    // No Qt object per row or cell.
    FillList(model, list, "", "");
    EXPECT_LE(model.children().size(), 1);
    qInstallMessageHandler(previous);
    EXPECT_TRUE(Warnings().empty()) << Warnings().front();
}
