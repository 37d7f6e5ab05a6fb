// Where the data set and the help are found: a chosen folder first, then beside the program, the
// installed share folder and the desktop's data folders, each needing January.DAT (Index.html for help);
// every folder looked at is named when nothing is found.
#include "core/datalookup.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace vorelian;

namespace {

// A scratch tree: "prefix/bin" is the program's folder, "prefix/share/vorelian" the installed data,
// "home" and "system" two desktop data folders, "mine" a folder the person names.
class Tree {
public:
    QString Path(const QString& relative) const { return QDir::cleanPath(dir_.filePath(relative)); }
    void Put(const QString& relative) const {
        QDir().mkpath(QFileInfo(Path(relative)).path());
        QFile f(Path(relative));
        QVERIFY(f.open(QIODevice::WriteOnly));
    }
    DataSearch Search(const QString& chosen) const {
        QDir().mkpath(Path(QStringLiteral("prefix/bin")));
        return DataSearch{chosen.isEmpty() ? QString() : Path(chosen),
                          Path(QStringLiteral("prefix/bin")),
                          {Path(QStringLiteral("home")), Path(QStringLiteral("system"))}};
    }

private:
    QTemporaryDir dir_;
};

} // namespace

class TestDataLookup : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void findDataSet_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("calendar");
        QTest::addColumn<QString>("help");
        QTest::addColumn<QStringList>("searched");
        const QString bin = "prefix/bin/Calendar", share = "prefix/share/vorelian/Calendar",
                      home = "home/vorelian/Calendar", system = "system/vorelian/Calendar";
        const QStringList all{bin, share, home, system};
        using L = QStringList;
        QTest::addRow("beside the program (build folder)")
            << L{bin + "/January.DAT", share + "/January.DAT", "prefix/bin/Help/Index.html"} << "" << bin
            << "prefix/bin/Help" << L{bin};
        QTest::addRow("installed copy") << L{share + "/January.DAT", "prefix/share/vorelian/Help/Index.html"}
                                        << "" << share << "prefix/share/vorelian/Help" << L{bin, share};
        QTest::addRow("a folder without January.DAT does not count")
            << L{bin + "/May.DAT", system + "/January.DAT"} << "" << system << "" << all;
        QTest::addRow("personal data folder before the system's")
            << L{home + "/January.DAT", system + "/January.DAT", "system/vorelian/Help/Index.html"} << ""
            << home << "system/vorelian/Help" << L{bin, share, home};
        QTest::addRow("nothing anywhere") << L{} << ""
                                          << ""
                                          << "" << all;
        QTest::addRow("a chosen folder is taken as it is")
            << L{"mine/Calendar/January.DAT", "mine/Help/Index.html", bin + "/January.DAT"} << "mine/Calendar"
            << "mine/Calendar"
            << "mine/Help" << L{"mine/Calendar"};
        QTest::addRow("a chosen folder without January.DAT is none")
            << L{"mine/Calendar/May.DAT", "mine/Help/Index.html", bin + "/January.DAT"} << "mine/Calendar"
            << ""
            << "mine/Help" << L{"mine/Calendar"};
        QTest::addRow("a chosen folder whose January.DAT is a folder is none")
            << L{"mine/Calendar/January.DAT/x", bin + "/January.DAT"} << "mine/Calendar"
            << ""
            << "" << L{"mine/Calendar"};
        QTest::addRow("a chosen folder that is missing is not replaced")
            << L{bin + "/January.DAT", "prefix/bin/Help/Index.html"} << "mine/Calendar"
            << ""
            << "prefix/bin/Help" << L{"mine/Calendar"};
    }

    void findDataSet() {
        QFETCH(QStringList, files);
        QFETCH(QString, chosen);
        QFETCH(QString, calendar);
        QFETCH(QString, help);
        QFETCH(QStringList, searched);
        Tree tree;
        for (const QString& f : files)
            tree.Put(f);
        const DataPlaces p = FindDataSet(tree.Search(chosen));
        QCOMPARE(p.Found(), !calendar.isEmpty());
        QCOMPARE(p.Calendar, calendar.isEmpty() ? QString() : tree.Path(calendar));
        QCOMPARE(p.Help, help.isEmpty() ? QString() : tree.Path(help));
        QStringList expected;
        for (const QString& s : searched)
            expected << tree.Path(s);
        QCOMPARE(p.Searched, expected);
        if (!p.Found())
            for (const QString& s : expected)
                QVERIFY(NoDataSetMessage(p).contains(QDir::toNativeSeparators(s)));
    }

    void optionBeforeVariable() {
        qputenv("VORELIAN_DATA", "/from/variable");
        QCOMPARE(DataSearchFor("/p", "/from/option").Chosen, QStringLiteral("/from/option"));
        QCOMPARE(DataSearchFor("/p", QString()).Chosen, QStringLiteral("/from/variable"));
        qunsetenv("VORELIAN_DATA");
        QVERIFY(DataSearchFor("/p", QString()).Chosen.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestDataLookup)
#include "test_datalookup.moc"
