// Finding the MK's port among the recorded USB instances.
#include "FakePorts.h"
#include "link/FindMK.h"
#include "link/LinkTexts.h"
#include "link/MKLink.h"

#include <QtTest>

namespace {

TUsbInstance Record(const QString& displayName) {
    return {QStringLiteral("inst"), displayName};
}

struct TFixture {
    TFixture() : System(std::make_shared<TFakeSystem>()) {}
    TML_RS& MakeLink() {
        Link = std::make_unique<TML_RS>(FakeEnvironment(System));
        return *Link;
    }
    std::shared_ptr<TFakeSystem> System;
    std::unique_ptr<TML_RS> Link;
};

} // namespace

class TestFindMK : public QObject {
    Q_OBJECT

private slots:
    void portNumberInDisplayName_data();
    void portNumberInDisplayName();
    void findsThePluggedInstance_data();
    void findsThePluggedInstance();
    void unusableRecordsAreSkipped_data();
    void unusableRecordsAreSkipped();
    void automaticSearchOffTouchesNothing();
};

void TestFindMK::portNumberInDisplayName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("port");
    QTest::newRow("two digits") << "Ravenholtzer USB Device (COM12)" << 12;
    QTest::newRow("parenthesis after one digit") << "Ravenholtzer USB Device (COM5)" << 5;
    QTest::newRow("ends after one digit") << "Ravenholtzer COM7" << 7;
    QTest::newRow("only two digits are read") << "Ravenholtzer (COM123)" << 12;
    QTest::newRow("leading zero") << "Ravenholtzer (COM05)" << 5;
    QTest::newRow("first COM counts") << "Ravenholtzer COM3 COM4" << 3;
    QTest::newRow("nothing after COM") << "Ravenholtzer USB COM" << 0;
    QTest::newRow("non-digit after COM") << "Ravenholtzer COMx5" << 0;
    QTest::newRow("first COM without digits") << "Ravenholtzer COMposite (COM5)" << 0;
    QTest::newRow("COM0 is no port") << "Ravenholtzer (COM0)" << 0;
    QTest::newRow("lower case") << "Ravenholtzer (com5)" << 0;
    QTest::newRow("no COM at all") << "Ravenholtzer USB Device" << 0;
}

void TestFindMK::portNumberInDisplayName() {
    QFETCH(QString, name);
    QFETCH(int, port);
    QCOMPARE(PortNumberInDisplayName(name), port);
}

void TestFindMK::findsThePluggedInstance_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QList<int>>("plugged");
    QTest::addColumn<int>("port");
    QTest::newRow("COM12") << QStringList{"Ravenholtzer USB Device (COM12)"} << QList<int>{1, 12}
                           << 12;
    QTest::newRow("COM5") << QStringList{"Ravenholtzer USB Device (COM5)"} << QList<int>{5} << 5;
    QTest::newRow("unplugged COM4 first")
        << QStringList{"Ravenholtzer USB Device (COM4)", "Ravenholtzer USB Device (COM6)"}
        << QList<int>{2, 6} << 6;
    QTest::newRow("unplugged COM4 last")
        << QStringList{"Ravenholtzer USB Device (COM6)", "Ravenholtzer USB Device (COM4)"}
        << QList<int>{2, 6} << 6;
    QTest::newRow("foreign device skipped")
        << QStringList{"Other USB Serial (COM2)", "Ravenholtzer USB Device (COM6)"}
        << QList<int>{2, 6} << 6;
}

void TestFindMK::findsThePluggedInstance() {
    QFETCH(QStringList, names);
    QFETCH(QList<int>, plugged);
    QFETCH(int, port);
    TFixture f;
    for (int n : plugged)
        PlugIn(*f.System, {n});
    for (const QString& name : names)
        f.System->Instances << Record(name);
    TML_RS& link = f.MakeLink();
    QVERIFY(FindMK(link, true));
    QCOMPARE(link.PortNumber, port);
    QVERIFY(link.IsOpen);
    QCOMPARE(link.BaudRate, 115200u);
    QCOMPARE(f.System->Opened.last(), QStringLiteral("/fake/com%1").arg(port));
    QVERIFY(f.System->Errors.isEmpty());
}

void TestFindMK::unusableRecordsAreSkipped_data() {
    QTest::addColumn<QStringList>("names");
    QTest::newRow("no maker word") << QStringList{"USB Serial Device (COM3)"};
    QTest::newRow("maker word in other case") << QStringList{"RAVENHOLTZER USB Device (COM3)"};
    QTest::newRow("no port number") << QStringList{"Ravenholtzer USB Device (COMx)"};
    QTest::newRow("port beyond 32") << QStringList{"Ravenholtzer USB Device (COM40)"};
    QTest::newRow("unplugged") << QStringList{"Ravenholtzer USB Device (COM7)"};
    QTest::newRow("no records") << QStringList{};
}

void TestFindMK::unusableRecordsAreSkipped() {
    QFETCH(QStringList, names);
    TFixture f;
    PlugIn(*f.System, {3});
    for (const QString& name : names)
        f.System->Instances << Record(name);
    TML_RS& link = f.MakeLink();
    QVERIFY(!FindMK(link, true));
    QCOMPARE(f.System->Errors, QStringList{LinkTexts::MKNotFound()});
}

void TestFindMK::automaticSearchOffTouchesNothing() {
    TFixture f;
    PlugIn(*f.System, {3, 6});
    f.System->Instances << Record("Ravenholtzer USB Device (COM6)");
    TML_RS& link = f.MakeLink();
    link.PortNumber = 3;
    const int opensBefore = f.System->OpenAttempts;
    QVERIFY(FindMK(link, false));
    QCOMPARE(link.PortNumber, 3);
    QVERIFY(!link.IsOpen);
    QCOMPARE(f.System->OpenAttempts, opensBefore);
    QCOMPARE(f.System->InstanceReads, 0);
    QVERIFY(f.System->Errors.isEmpty());
}

QTEST_GUILESS_MAIN(TestFindMK)
#include "tst_findmk.moc"
