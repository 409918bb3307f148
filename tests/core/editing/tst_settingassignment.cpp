// NAME=VALUE as mktool set takes it, without a process: the split, the lines of a set --from
// text, the value's form per kind of control, and what a refused assignment leaves behind.
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
    void textLinesBecomeAssignmentsWithTheirOrigin_data();
    void textLinesBecomeAssignmentsWithTheirOrigin();
    void textLineThatIsNoAssignmentIsRefusedByLine_data();
    void textLineThatIsNoAssignmentIsRefusedByLine();
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
    QTest::newRow("name trimmed, value kept") << "  eName\t= a b " << true << "eName"
                                              << " a b ";
    QTest::newRow("space in name") << "e Name=1" << false << ""
                                   << "";
    QTest::newRow("blank name") << "   =1" << false << ""
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

void TestSettingAssignment::textLinesBecomeAssignmentsWithTheirOrigin_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected"); // "origin|name|value"
    QTest::newRow("LF") << QByteArray("a=1\nb=2\n")
                        << QStringList{"t.txt, строка 1|a|1", "t.txt, строка 2|b|2"};
    QTest::newRow("CR LF, last line without end")
        << QByteArray("a=1\r\nb=x\r\ny=2")
        << QStringList{"t.txt, строка 1|a|1", "t.txt, строка 2|b|x", "t.txt, строка 3|y|2"};
    QTest::newRow("comments and blank lines keep their numbers")
        << QByteArray("# head\r\n\r\n   \t\n  # indented=1\nc=3\n")
        << QStringList{"t.txt, строка 5|c|3"};
    QTest::newRow("only the last CR goes")
        << QByteArray("a=1\r\r\n") << QStringList{"t.txt, строка 1|a|1\r"};
    QTest::newRow("UTF-8 value") << QByteArray("eUniMeasStr=Масло\n")
                                 << QStringList{"t.txt, строка 1|eUniMeasStr|Масло"};
    QTest::newRow("code page 1251 bytes read as UTF-8")
        << QByteArray("e=\xcc\xe0\n") << QStringList{"t.txt, строка 1|e|\uFFFD\uFFFD"};
    QTest::newRow("empty text") << QByteArray() << QStringList{};
}

void TestSettingAssignment::textLinesBecomeAssignmentsWithTheirOrigin() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    QStringList got;
    for (const TAssignment& a : TextAssignments(QStringLiteral("t.txt"), text))
        got << a.Origin + '|' + a.Name + '|' + a.Value;
    QCOMPARE(got, expected);
}

void TestSettingAssignment::textLineThatIsNoAssignmentIsRefusedByLine_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("message");
    QTest::newRow("no equals") << QByteArray("a=1\nnonsense\n")
                               << "t.txt, строка 2: ожидается ИМЯ=ЗНАЧЕНИЕ";
    QTest::newRow("empty name after comments")
        << QByteArray("# x\r\n\r\n=5\r\n") << "t.txt, строка 3: ожидается ИМЯ=ЗНАЧЕНИЕ";
    QTest::newRow("space in name")
        << QByteArray("se Velocity=1") << "t.txt, строка 1: ожидается ИМЯ=ЗНАЧЕНИЕ";
}

void TestSettingAssignment::textLineThatIsNoAssignmentIsRefusedByLine() {
    QFETCH(QByteArray, text);
    QFETCH(QString, message);
    try {
        TextAssignments(QStringLiteral("t.txt"), text);
        QFAIL("a line that is no assignment was taken");
    } catch (const TMKError& e) {
        QCOMPARE(e.Text(), message);
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
