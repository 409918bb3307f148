// NAME=VALUE as mktool set takes it, without a process: the split, the value's form per
// kind of control, and what a refused assignment leaves behind.
#include "PagesKit.h"

#include "base/MKError.h"
#include "editing/SettingAssignment.h"

#include <QtTest>
#include <cstring>

using namespace SettingAssignment;

class TestSettingAssignment : public QObject {
    Q_OBJECT
private slots:
    void splitTakesTheFirstEquals_data();
    void splitTakesTheFirstEquals();
    void valueFormFollowsTheControlKind_data();
    void valueFormFollowsTheControlKind();
    void refusedAssignmentLeavesRecordAndFlagsAsTheyWere_data();
    void refusedAssignmentLeavesRecordAndFlagsAsTheyWere();
};

void TestSettingAssignment::splitTakesTheFirstEquals_data() {
    QTest::addColumn<QString>("item");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("value");
    QTest::newRow("plain") << "seVelocityCorr=1.5" << true << "seVelocityCorr"
                           << "1.5";
    QTest::newRow("empty value") << "eName=" << true << "eName"
                                 << "";
    QTest::newRow("second equals in value") << "eName=a=b" << true << "eName"
                                            << "a=b";
    QTest::newRow("no equals") << "seVelocityCorr" << false << ""
                               << "";
    QTest::newRow("empty name") << "=5" << false << ""
                                << "";
    QTest::newRow("empty") << "" << false << ""
                           << "";
}

void TestSettingAssignment::splitTakesTheFirstEquals() {
    QFETCH(QString, item);
    QFETCH(bool, ok);
    const auto split = Split(item);
    QCOMPARE(split.has_value(), ok);
    if (ok) {
        QTEST(split->Name, "name");
        QTEST(split->Value, "value");
    }
}

void TestSettingAssignment::valueFormFollowsTheControlKind_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QVariant>("value"); // invalid: refused
    const int spin = int(TControlKind::Spin), list = int(TControlKind::List),
              check = int(TControlKind::Check), edit = int(TControlKind::Edit);
    QTest::newRow("spin decimals and sign") << spin << "-12.25" << QVariant(-12.25);
    QTest::newRow("spin exponent") << spin << "1e3" << QVariant(1000.0);
    QTest::newRow("spin comma") << spin << "1,5" << QVariant();
    QTest::newRow("spin infinite") << spin << "inf" << QVariant();
    QTest::newRow("spin not a number") << spin << "nan" << QVariant();
    QTest::newRow("spin beyond double") << spin << "1e400" << QVariant();
    QTest::newRow("list index") << list << "3" << QVariant(3);
    QTest::newRow("list negative") << list << "-1" << QVariant(-1);
    QTest::newRow("list decimal") << list << "1.0" << QVariant();
    QTest::newRow("list beyond int") << list << "4294967296" << QVariant();
    QTest::newRow("check on") << check << "1" << QVariant(true);
    QTest::newRow("check off") << check << "0" << QVariant(false);
    QTest::newRow("check word") << check << "true" << QVariant();
    QTest::newRow("edit cyrillic") << edit << "Привет" << QVariant(QStringLiteral("Привет"));
    QTest::newRow("edit time") << edit << "25:61" << QVariant(QStringLiteral("25:61"));
}

void TestSettingAssignment::valueFormFollowsTheControlKind() {
    QFETCH(int, kind);
    QFETCH(QString, text);
    QFETCH(QVariant, value);
    TControlRow row;
    row.Kind = TControlKind(kind);
    const std::optional<QVariant> parsed = ParseValue(row, text);
    QCOMPARE(parsed.has_value(), value.isValid());
    if (parsed)
        QCOMPARE(*parsed, value);
}

void TestSettingAssignment::refusedAssignmentLeavesRecordAndFlagsAsTheyWere_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::newRow("item past the list") << "rgActiveColorScheme"
                                        << "9";
    QTest::newRow("no item") << "rgActiveColorScheme"
                             << "-1";
    QTest::newRow("time of no form") << "meIntenseDayTime"
                                     << "ab:cd";
    QTest::newRow("date of letters") << "deTO"
                                     << "aa.01.24";
    QTest::newRow("name too long") << "eForsTOCntK" << QString(200, QChar(u'Ж'));
}

void TestSettingAssignment::refusedAssignmentLeavesRecordAndFlagsAsTheyWere() {
    QFETCH(QString, name);
    QFETCH(QString, text);
    TPagesKit kit;
    const TControlRow& row = kit.Editor->RowOrThrow(name);
    const std::optional<QVariant> value = ParseValue(row, text);
    QVERIFY(value);
    const QByteArray before(reinterpret_cast<const char*>(&kit.Mk.Record), sizeof kit.Mk.Record);
    QVERIFY_THROWS_EXCEPTION(TMKError, Assign(*kit.Editor, row, *value));
    QVERIFY(std::memcmp(before.constData(), &kit.Mk.Record, sizeof kit.Mk.Record) == 0);
    QVERIFY(!kit.Editor->SchemeRadioFocused);
}

QTEST_GUILESS_MAIN(TestSettingAssignment)
#include "tst_settingassignment.moc"
