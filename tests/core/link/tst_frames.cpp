// Building request frames and checking reply frames in the link's buffers.
#include "FakePorts.h"
#include "base/MKError.h"
#include "link/LinkTexts.h"
#include "link/MKProtocol.h"
#include "link/MKLink.h"

#include <QtTest>

namespace {

// A link without any port: frames only.
struct TFrameLink {
    TFrameLink() : System(std::make_shared<TFakeSystem>()), Link(FakeEnvironment(System)) {}
    QByteArray Request() const {
        return QByteArray(reinterpret_cast<const char*>(Link.TxBuf.data()), Link.TxBuf[0]);
    }
    void SetReply(const QByteArray& bytes) {
        std::copy(bytes.begin(), bytes.end(), Link.RxBuf.begin());
    }
    std::shared_ptr<TFakeSystem> System;
    TML_RS Link;
};

} // namespace

class TestFrames : public QObject {
    Q_OBJECT

private slots:
    void requestFrames_data();
    void requestFrames();
    void finishFrameLeavesTxLenAtChecksum();
    void frameOfMoreThan255BytesIsRefused();
    void replyChecksum_data();
    void replyChecksum();
    void getWordIsLittleEndian();
    void readingPastTheReplyIsRefused();
};

void TestFrames::requestFrames_data() {
    QTest::addColumn<int>("address");
    QTest::addColumn<int>("code");
    QTest::addColumn<QList<int>>("words");
    QTest::addColumn<QByteArray>("frame");
    QTest::newRow("Identify at 0xFC")
        << 0xFC << 1 << QList<int>{} << QByteArray::fromHex("06FC010001FC");
    QTest::newRow("ReadBlock 1 at 0xFC")
        << 0xFC << 5 << QList<int>{1} << QByteArray::fromHex("08FC0100050100F5");
    QTest::newRow("ReadBlock 513 at 0xFE")
        << 0xFE << 5 << QList<int>{513} << QByteArray::fromHex("08FE0100050102F1");
    QTest::newRow("BeginSectionWrite 0x0100, 196")
        << 0xFD << 12 << QList<int>{0x0100, 196} << QByteArray::fromHex("0AFD01000C0001C40027");
}

void TestFrames::requestFrames() {
    QFETCH(int, address);
    QFETCH(int, code);
    QFETCH(QList<int>, words);
    QFETCH(QByteArray, frame);
    TFrameLink f;
    f.Link.BeginCommand(quint8(address), quint8(code));
    for (int w : words)
        f.Link.PutWord(quint16(w));
    f.Link.FinishFrame();
    QCOMPARE(f.Request(), frame);
    unsigned sum = 0;
    for (char c : f.Request())
        sum += quint8(c);
    QCOMPARE(sum % 256, 0u);
}

void TestFrames::finishFrameLeavesTxLenAtChecksum() {
    TFrameLink f;
    f.Link.BeginFrame();
    QCOMPARE(f.Link.TxLen, 1);
    f.Link.PutByte(0xFC);
    f.Link.PutWord(1);
    f.Link.PutByte(1);
    f.Link.FinishFrame();
    QCOMPARE(f.Link.TxLen, 5);
    QCOMPARE(int(f.Link.TxBuf[0]), 6);
}

void TestFrames::frameOfMoreThan255BytesIsRefused() {
    TFrameLink f;
    f.Link.BeginFrame();
    for (int i = 0; i < 253; ++i)
        f.Link.PutByte(0x11);
    f.Link.FinishFrame(); // 255 bytes: the longest frame
    QCOMPARE(int(f.Link.TxBuf[0]), 255);
    f.Link.PutByte(0x11);
    QVERIFY_THROWS_EXCEPTION(TMKError, f.Link.FinishFrame());
    // The buffer itself is never written past its end.
    f.Link.PutByte(0x11);
    QCOMPARE(f.Link.TxLen, 256);
    QVERIFY_THROWS_EXCEPTION(TMKError, f.Link.PutByte(0x11));
    QCOMPARE(f.Link.TxLen, 256);
}

void TestFrames::replyChecksum_data() {
    QTest::addColumn<QByteArray>("reply");
    QTest::addColumn<bool>("ok");
    QTest::newRow("sums to zero") << QByteArray::fromHex("09FC01010000010AEE") << true;
    QTest::newRow("off by one") << QByteArray::fromHex("09FC01010000010AEF") << false;
    QTest::newRow("six bytes") << QByteArray::fromHex("06FC010100FB") << false;
    QTest::newRow("six bytes ok") << QByteArray::fromHex("06FC010100FC") << true;
    QTest::newRow("only the length counts") << QByteArray::fromHex("06FC010100FC77") << true;
}

void TestFrames::replyChecksum() {
    QFETCH(QByteArray, reply);
    QFETCH(bool, ok);
    TFrameLink f;
    f.SetReply(reply);
    QCOMPARE(f.Link.ReplyChecksumOk(), ok);
}

void TestFrames::getWordIsLittleEndian() {
    TFrameLink f;
    f.SetReply(QByteArray::fromHex("09FC010100AA010A00"));
    f.Link.RxPos = MKProtocol::DataOffset;
    QCOMPARE(f.Link.GetByte(), quint8(0xAA));
    QCOMPARE(f.Link.GetWord(), quint16(0x0A01));
    QCOMPARE(f.Link.RxPos, 8);
}

void TestFrames::readingPastTheReplyIsRefused() {
    TFrameLink f;
    f.SetReply(QByteArray::fromHex("07FC0101004201") + QByteArray(200, '\x55'));
    f.Link.RxPos = MKProtocol::DataOffset;
    QCOMPARE(f.Link.GetByte(), quint8(0x42));
    QCOMPARE(f.Link.GetByte(), quint8(0x01)); // the last byte of the reply
    try {
        f.Link.GetByte(); // stale bytes of an older reply
        QFAIL("read the checksum as data");
    } catch (const TMKError& e) {
        QCOMPARE(e.Text(), LinkTexts::ShortReply());
    }
}

QTEST_GUILESS_MAIN(TestFrames)
#include "tst_frames.moc"
