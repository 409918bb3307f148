// Which sections a write sends, and which directories it refuses to trust.
#include "base/MKError.h"
#include "readwrite/SectionPlan.h"
#include "readwrite/ReadWriteTexts.h"

#include <QtEndian>
#include <QtTest>

namespace {

using TEntries = QList<QPair<int, int>>; // (address, length)

QByteArray ImageWith(quint32 count, const TEntries& entries, qsizetype size = 8128) {
    QByteArray image(size, '\x5A');
    qToLittleEndian<quint32>(count, image.data());
    for (qsizetype i = 0; i < entries.size(); ++i) {
        qToLittleEndian<quint16>(quint16(entries[i].first), image.data() + 4 * (i + 1));
        qToLittleEndian<quint16>(quint16(entries[i].second), image.data() + 4 * (i + 1) + 2);
    }
    return image;
}

} // namespace

class TestSectionPlan : public QObject {
    Q_OBJECT
private slots:
    void trustedDirectoryListsItsSections_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<QList<int>>("addresses");
        QTest::addColumn<QList<int>>("counts");
        QTest::addColumn<QList<int>>("positions");

        QTest::newRow("no sections")
            << ImageWith(0, {}) << QList<int>{} << QList<int>{} << QList<int>{};
        QTest::newRow("length 200 sends 196 from 0xE0")
            << ImageWith(1, {{0x100, 200}}) << QList<int>{0x100} << QList<int>{196}
            << QList<int>{0xE0};
        QTest::newRow("length 4 sends nothing but is a section")
            << ImageWith(1, {{96, 4}}) << QList<int>{96} << QList<int>{0} << QList<int>{64};
        QTest::newRow("last byte of the image")
            << ImageWith(1, {{8150, 14}}) << QList<int>{8150} << QList<int>{10} << QList<int>{8118};
        QTest::newRow("entries beyond the count are not looked at")
            << ImageWith(2, {{96, 8}, {200, 9}, {1, 1}}) << QList<int>{96, 200} << QList<int>{4, 5}
            << QList<int>{64, 168};
        TEntries thirteen;
        for (int i = 0; i < 13; ++i)
            thirteen << qMakePair(96 + 100 * i, 68);
        QList<int> addresses, counts, positions;
        for (int i = 0; i < 13; ++i) {
            addresses << 96 + 100 * i;
            counts << 64;
            positions << 64 + 100 * i;
        }
        QTest::newRow("thirteen entries")
            << ImageWith(13, thirteen) << addresses << counts << positions;
    }
    void trustedDirectoryListsItsSections() {
        QFETCH(QByteArray, image);
        QFETCH(QList<int>, addresses);
        QFETCH(QList<int>, counts);
        QFETCH(QList<int>, positions);
        const QList<TSection> sections = PlanSections(image, image.size());
        QCOMPARE(sections.size(), addresses.size());
        for (qsizetype i = 0; i < sections.size(); ++i) {
            QCOMPARE(int(sections[i].Address), addresses[i]);
            QCOMPARE(int(sections[i].Count), counts[i]);
            QCOMPARE(int(sections[i].ImagePosition()), positions[i]);
        }
    }

    void brokenDirectoryIsRefused_data() {
        QTest::addColumn<QByteArray>("image");
        QTest::addColumn<int>("limit");
        TEntries fourteen;
        for (int i = 0; i < 14; ++i)
            fourteen << qMakePair(96, 8);
        QTest::newRow("count 14") << ImageWith(14, fourteen) << 8128;
        QTest::newRow("count 0xFFFFFFFF") << ImageWith(0xFFFFFFFFu, {}) << 8128;
        QTest::newRow("length 3") << ImageWith(2, {{96, 8}, {200, 3}}) << 8128;
        QTest::newRow("length 0") << ImageWith(1, {{96, 0}}) << 8128;
        QTest::newRow("address 31") << ImageWith(1, {{31, 8}}) << 8128;
        QTest::newRow("address 0") << ImageWith(1, {{0, 8}}) << 8128;
        QTest::newRow("one byte past the image") << ImageWith(1, {{8150, 15}}) << 8128;
        QTest::newRow("address far beyond the image") << ImageWith(1, {{0xFFFF, 0xFFFF}}) << 8128;
        // A write never sends bytes the MK does not have, even if the image grew.
        QTest::newRow("past the MK's memory") << ImageWith(1, {{8150, 20}}, 9000) << 8128;
        QTest::newRow("no room for a directory") << QByteArray(63, '\0') << 63;
    }
    void brokenDirectoryIsRefused() {
        QFETCH(QByteArray, image);
        QFETCH(int, limit);
        try {
            PlanSections(image, limit);
            QFAIL("the directory was trusted");
        } catch (const TMKError& e) {
            QCOMPARE(e.Text(), WorkflowTexts::DirectoryBroken());
        }
    }
};

QTEST_GUILESS_MAIN(TestSectionPlan)
#include "tst_sectionplan.moc"
