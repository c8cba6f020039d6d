// A list over a table of many rows reads its entries as they are needed, and shows,
// finds and completes every one of them as a list filled at once does.

#include "sqlite_fixture.h"
#include "tolvik/ui_common/lists.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

using namespace tolvik;

class LongListTest : public QObject {
    Q_OBJECT
private slots:
    void entriesFarDownAreFoundAndCompleted() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("db1.mdb"));
        // Core i is shown when i is not a multiple of 3; every name is unique.
        testing::WriteFixture(path, R"sql(
WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 20000)
INSERT INTO Kernform SELECT 'K ' || i, CASE WHEN i % 3 = 0 THEN 0 ELSE -1 END, 0, 0, 0 FROM n;
)sql");
        auto db = data::Database::open(path.toStdString());
        auto nameOf = [](int entry) { return QStringLiteral("K %1").arg(entry + entry / 2 + 1); };
        const int total = 20000 - 20000 / 3;

        struct Case {
            const char* what;
            int entry;
            std::function<int(QComboBox&)> find;
        };
        const Case cases[] = {
            {"typed search", total - 1,
             [&](QComboBox& l) { return ui::FindListIndex(nameOf(total - 1), &l); }},
            {"typed search, miss", -1,
             [](QComboBox& l) { return ui::FindListIndex(QStringLiteral("K 3"), &l); }},
            {"findText", 9000, [&](QComboBox& l) { return l.findText(nameOf(9000)); }},
            {"Enter on a typed name", 12000,
             [&](QComboBox& l) {
                 l.setEditText(nameOf(12000).toLower());
                 ui::CheckListEntry(&l, QStringLiteral("core"));
                 return l.currentIndex();
             }},
            {"completion", 13000,
             [&](QComboBox& l) {
                 l.show();
                 QApplication::setActiveWindow(&l);
                 l.setFocus();
                 QTest::keyClicks(l.lineEdit(),
                                  nameOf(13000).left(6)); // "K 1950": K 1950 and K 19500 are not shown
                 return ui::FindListIndex(l.lineEdit()->text(), &l);
             }},
        };
        for (const Case& c : cases) {
            QComboBox list;
            list.setEditable(true);
            list.setInsertPolicy(QComboBox::NoInsert);
            ui::FillCoreList(*db, &list);
            QVERIFY2(list.count() < total, c.what); // not every entry read yet
            QCOMPARE(c.find(list), c.entry);
            if (c.entry >= 0) QCOMPARE(list.itemText(c.entry), nameOf(c.entry));
        }
        // Every entry, once read to the end, in stored order.
        QComboBox list;
        ui::FillCoreList(*db, &list);
        while (list.model()->canFetchMore({}))
            list.model()->fetchMore({});
        QCOMPARE(list.count(), total);
        for (int i = 0; i < total; i += 997)
            QCOMPARE(list.itemText(i), nameOf(i));
    }
};

QTEST_MAIN(LongListTest)
#include "long_list_test.moc"
