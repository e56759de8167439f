#include "DataFolder.h"
#include "ManualClock.h"
#include "RecordingSoundPlayer.h"
#include "Rows.h"
#include "schedule_ui/Categories.h"
#include "schedule_ui/TaskServices.h"
#include "store/OpenTable.h"
#include "store/tables/Categories.h"
#include "store/tables/Schedule.h"
#include "toolkit/KeyListModel.h"
#include "toolkit/ListBox.h"
#include "toolkit/ListDecl.h"
#include "toolkit/ListWindow.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTest>

using namespace store;
using toolkit::ListWindow;

namespace {

QStringList column(const ListWindow &w, int column)
{
    QStringList shown;
    const toolkit::KeyListModel *model = w.list()->model();
    for (int row = 0; row < model->rowCount(); ++row)
        shown << model->index(row, column).data().toString();
    return shown;
}

} // namespace

// The tasks of a category, opened from the category list in the frame's area.
class TestCategories final : public QObject {
    Q_OBJECT

private slots:
    void tasksOfTheHighlightedCategory();
};

void TestCategories::tasksOfTheHighlightedCategory()
{
    DataFolder data;
    ManualClock clock(QDateTime(QDate(2026, 12, 10), QTime(9, 30)));
    RecordingSoundPlayer sound;
    const schedule_ui::TaskServices services{clock, sound};
    {
        RecordContext ctx(data.store());
        QVERIFY(OpenTable(ctx, TableId::Schedule));
        QVERIFY(OpenTable(ctx, TableId::Categories));
        QVERIFY(addRow(ctx, TableId::Categories, {{CAT::Category, "Home"}}).ok());
        QVERIFY(addRow(ctx, TableId::Categories, {{CAT::Category, "Work"}}).ok());
        const std::pair<const char *, const char *> tasks[] = {
            {"Water the plants", "HOME"}, {"Call the bank", "home"}, {"Report", "Work"}};
        qint64 id = 0;
        for (const auto &[description, category] : tasks)
            QVERIFY(addRow(ctx, TableId::Schedule,
                           {{SCH::ID, ++id},
                            {SCH::Description, description},
                            {SCH::Category, category},
                            {SCH::TaskType, "Display Message"},
                            {SCH::ScheduleType, "Once"},
                            {SCH::Date, 82000}})
                        .ok());
    }
    QMdiArea area;
    area.resize(900, 600);
    area.show();
    ListWindow *categories =
        toolkit::showInArea(schedule_ui::BrowseCategories(services), data.store(), &area);
    QCOMPARE(column(*categories, 0), (QStringList{"Home", "Work"}));
    categories->list()->highlight(0);
    QPushButton *schedule = nullptr;
    for (QPushButton *b : categories->findChildren<QPushButton *>()) {
        if (b->text() == " &Schedule")
            schedule = b;
    }
    QVERIFY(schedule);
    schedule->click();
    QCOMPARE(area.subWindowList().size(), 2);
    QMdiSubWindow *opened = area.subWindowList().last();
    QCOMPARE(opened->windowTitle(), QString("Browse Schedule for Home"));
    const auto *tasks = qobject_cast<ListWindow *>(opened->widget());
    QVERIFY(tasks);
    // Any case of the name, in description order.
    QCOMPARE(column(*tasks, 0), (QStringList{"Call the bank", "Water the plants"}));
    QCOMPARE(column(*tasks, 3), (QStringList{"Display Message", "Display Message"}));
}

QTEST_MAIN(TestCategories)
#include "tst_categories.moc"
