// Damaged and hostile data files derived from the sample, driven through every tab and a short
// random run: each gives an orderly message naming what is wrong or works, and the data file
// and its folder stay as they were.

#include "../data/fixture_db.h"
#include "../ui_common/test_support.h"
#include "ui_driver.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <functional>

namespace {

using test::ReadFile;

void Write(const QString& path, const QByteArray& bytes) {
    ASSERT_TRUE(test::WriteFile(path, bytes));
}

QStringList Listing(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

/// Every tab of both windows through the menus, then a short random run: the fault, or empty.
QString Drive(Session& s, unsigned seed, int actions) {
    std::vector<QAction*> tabs;
    for (QMenu* menu : s.window().menuBar()->findChildren<QMenu*>())
        if (menu->objectName() == u"mnuMaterials"_s || menu->objectName() == u"mnuCoreforms"_s)
            for (QAction* a : menu->actions())
                tabs.push_back(a);
    // Every tab twice: as opened, and with the first core and material of the lists chosen,
    // so that each tab reads the data it needs.
    for (int pass = 0; pass < 2; ++pass) {
        for (QAction* a : tabs) {
            a->trigger();
            QCoreApplication::processEvents();
            if (QString f = s.check(); !f.isEmpty()) return u"tab "_s + a->objectName() + u": "_s + f;
        }
        for (QComboBox* list : s.window().findChildren<QComboBox*>())
            if ((list->objectName() == u"Kern"_s || list->objectName() == u"Material"_s) &&
                list->isVisible() && list->count() > 0) {
                list->setCurrentIndex(0);
                emit list->activated(0);
            }
    }
    std::mt19937 rng(seed);
    std::vector<Action> seq;
    return RunRandom(s, rng, actions, seq);
}

struct Case {
    const char* name;
    std::function<void(const QString& path)> make;
    bool startFails;
    const char* named;     ///< a text some message must contain (nullptr: none needed)
    bool damaged = true;   ///< false: the sample itself, no message may name a fault of the file
    bool readOnly = false; ///< the file and its folder cannot be written
};

TEST(DataFile, DamagedAndHostileFilesGiveOrderlyMessagesOrWork) {
    const QByteArray sample = ReadFile(QStringLiteral(TOLVIK_SAMPLE_DATABASE));
    ASSERT_FALSE(sample.isEmpty());
    const auto sql = [&](std::string s) { // the test's own change of a copy
        return [&sample, s](const QString& p) {
            Write(p, sample);
            data::test::WriteDatabase(p.toStdString(), s);
        };
    };
    const Case cases[] = {
        {"empty", [](const QString& p) { Write(p, {}); }, true, "no data file"},
        {"truncated to 100 bytes", [&](const QString& p) { Write(p, sample.left(100)); }, true, "db1.mdb"},
        {"truncated to one page", [&](const QString& p) { Write(p, sample.left(4096)); }, true, "db1.mdb"},
        {"truncated to half", [&](const QString& p) { Write(p, sample.left(sample.size() / 2)); }, false,
         nullptr},
        {"random bytes",
         [](const QString& p) {
             QByteArray junk(20000, '\0');
             std::mt19937 rng(7);
             for (char& c : junk)
                 c = char(rng());
             Write(p, junk);
         },
         true, "db1.mdb"},
        {"a missing table", sql("DROP TABLE MuiT"), false, "MuiT"},
        {"a missing core table", sql("DROP TABLE Kernform"), true, "Kernform"},
        {"a missing column", sql("ALTER TABLE Kernform DROP COLUMN le"), false, "le"},
        {"text in a numeric column", sql("UPDATE Kernform SET Ae = 'abc', Ve = 'x1'"), false, "Ae"},
        {"NULL in every field of a core but its name",
         sql("UPDATE Kernform SET LP = NULL, Loch = NULL, Anzeige = NULL, RthAnzeige = NULL, Ae = NULL, "
             "le = NULL, Ve = NULL, Amin = NULL, AN = NULL, LN = NULL, Rth = NULL, Ar = NULL, K1 = NULL, "
             "K2 = NULL, CDF = NULL, hWickel = NULL"),
         false, nullptr},
        {"NULL in every field of every material but its name",
         sql("UPDATE Material SET mui = NULL, Bs25 = NULL, Bs100 = NULL, Hc25 = NULL, Hc100 = NULL, "
             "Tc = NULL, hb = NULL, fmin = NULL, ftyp = NULL, fmax = NULL, dT = NULL, f = NULL, B = NULL, "
             "T = NULL, Pv = NULL, Dichte = NULL, tandmuei = NULL, af = NULL, dcresist = NULL, "
             "Leistung = NULL, mua = NULL, Aktuell = NULL"),
         false, nullptr},
        {"curve columns with no end mark",
         sql("UPDATE Hysterese SET HR25T25 = coalesce(HR25T25, 1), BR25T25 = coalesce(BR25T25, 1), "
             "HH125T25 = coalesce(HH125T25, 0), BH125T25 = coalesce(BH125T25, 0)"),
         false, nullptr},
        {"duplicated and unordered abscissas",
         sql("UPDATE MuiT SET T = 25 WHERE rowid IN (3, 4, 5); UPDATE MuiT SET T = -T WHERE rowid % 7 = 0; "
             "UPDATE MuaB SET B = 100 WHERE rowid IN (2, 3); UPDATE MuaB SET B = 400 - B WHERE rowid % 5 = "
             "0"),
         false, nullptr},
        {"10,000 cores and 500 materials",
         sql("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 10000) "
             "INSERT INTO Kernform SELECT Kerntyp || ' #' || i, LP, Loch, Anzeige, RthAnzeige, Ae, le, "
             "Ve, Amin, AN, LN, Rth, Ar, K1, K2, CDF, hWickel FROM n JOIN Kernform ON Kernform.rowid = "
             "1 + i % 56; "
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 491) "
             "INSERT INTO Material SELECT 'X' || i, mui, Bs25, Bs100, Hc25, Hc100, Tc, hb, fmin, ftyp, "
             "fmax, dT, f, B, T, Pv, Dichte, tandmuei, af, dcresist, Leistung, mua, Aktuell FROM n JOIN "
             "Material ON Material.rowid = 1 + i % 9"),
         false, nullptr},
        {"the sample", [&](const QString& p) { Write(p, sample); }, false, nullptr, false},
        {"the sample in a read-only folder", [&](const QString& p) { Write(p, sample); }, false, nullptr,
         false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath(u"db1.mdb"_s);
        c.make(path);
        const QByteArray before = ReadFile(path);
        const QStringList listing = Listing(dir.path());
        if (c.readOnly) {
            QFile::setPermissions(path,
                                  QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        }
        {
            Session s(dir.path(), c.damaged);
            EXPECT_FALSE(s.started() && c.startFails);
            EXPECT_TRUE(s.started() || c.damaged);
            if (s.started()) {
                const QString f = Drive(s, 11, c.damaged ? 150 : 400);
                EXPECT_TRUE(f.isEmpty()) << f.toStdString();
                EXPECT_EQ(Listing(dir.path()), listing); // open while the windows hold the database
            }
            QStringList all;
            for (const auto& m : s.messages()) {
                EXPECT_TRUE(AllowedMessage(m.text) || (c.damaged && DataFaultMessage(m.text)))
                    << m.text.toStdString();
                all << m.text;
            }
            EXPECT_TRUE(!c.named || all.join(u'|').contains(QString::fromUtf8(c.named), Qt::CaseInsensitive))
                << "no message names " << c.named << ": " << all.join(u" | "_s).toStdString();
        }
        EXPECT_TRUE(ReadFile(path) == before) << "the data file changed";
        EXPECT_EQ(Listing(dir.path()), listing);
        QFile::setPermissions(dir.path(),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
