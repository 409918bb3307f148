// The MK's side of the five commands, frame in, reply out.
#include "link/MKProtocol.h"
#include "sim/MKDevice.h"

#include <QtTest>

namespace {

QByteArray Request(quint8 address, quint8 code, const QList<quint16>& words,
                   const QByteArray& bytes = {}) {
    QByteArray frame(1, '\0');
    frame.append(char(address));
    frame.append(char(1));
    frame.append(char(0));
    frame.append(char(code));
    for (quint16 w : words) {
        frame.append(char(w & 0xFF));
        frame.append(char(w >> 8));
    }
    frame.append(bytes);
    frame[0] = char(frame.size() + 1);
    frame.append(char(MKProtocol::Checksum(reinterpret_cast<const quint8*>(frame.constData()),
                                           int(frame.size()))));
    return frame;
}

QByteArray CountingMemory(int size) {
    QByteArray memory(size, '\0');
    for (int i = 0; i < size; ++i)
        memory[i] = char(i ^ (i >> 8));
    return memory;
}

} // namespace

class TestMKDevice : public QObject {
    Q_OBJECT

private slots:
    void identifyCarriesSettingsVersion();
    void readBlockReturnsItsBytes_data();
    void readBlockReturnsItsBytes();
    void silentRequests_data();
    void silentRequests();
    void sectionIsAppliedAtItsEnd();
    void repeatedEndIsAnsweredOnce();
    void chunksBeyondTheSectionAreRefused();
};

void TestMKDevice::identifyCarriesSettingsVersion() {
    TMKDevice device(0xFD, 0x0801, CountingMemory(8192));
    const auto reply = device.Handle(Request(0xFD, MKProtocol::Identify, {}));
    QVERIFY(reply);
    QCOMPARE(reply->Status, quint8(0));
    QCOMPARE(reply->Data.size(), 3);
    QCOMPARE(quint8(reply->Data[1]), quint8(0x01));
    QCOMPARE(quint8(reply->Data[2]), quint8(0x08));
}

void TestMKDevice::readBlockReturnsItsBytes_data() {
    QTest::addColumn<int>("memorySize");
    QTest::addColumn<int>("block");
    QTest::newRow("first block") << 8192 << 0;
    QTest::newRow("first of the second half") << 8192 << 128;
    QTest::newRow("last of 8 KB") << 8192 << 255;
    QTest::newRow("last of 32 KB") << 32768 << 1023;
}

void TestMKDevice::readBlockReturnsItsBytes() {
    QFETCH(int, memorySize);
    QFETCH(int, block);
    const QByteArray memory = CountingMemory(memorySize);
    TMKDevice device(0xFE, 1, memory);
    const auto reply = device.Handle(Request(0xFE, MKProtocol::ReadBlock, {quint16(block)}));
    QVERIFY(reply);
    QCOMPARE(reply->Data, memory.mid(block * 32, 32));
}

void TestMKDevice::silentRequests_data() {
    QTest::addColumn<QByteArray>("request");
    QByteArray badChecksum = Request(0xFC, MKProtocol::Identify, {});
    badChecksum.back() = char(badChecksum.back() + 1);
    QByteArray wrongLength = Request(0xFC, MKProtocol::Identify, {});
    wrongLength[0] = 7;
    QTest::newRow("another address") << Request(0xFE, MKProtocol::Identify, {});
    QTest::newRow("bad checksum") << badChecksum;
    QTest::newRow("length byte disagrees") << wrongLength;
    QTest::newRow("too short") << QByteArray::fromHex("05FC0100");
    QTest::newRow("unknown command") << Request(0xFC, 0x33, {});
    QTest::newRow("block beyond 8 KB") << Request(0xFC, MKProtocol::ReadBlock, {256});
    QTest::newRow("ReadBlock without block") << Request(0xFC, MKProtocol::ReadBlock, {});
    QTest::newRow("chunk without section")
        << Request(0xFC, MKProtocol::WriteChunk, {0, 2}, QByteArray("ab"));
    QTest::newRow("end without section") << Request(0xFC, MKProtocol::EndSectionWrite, {0x100, 4});
    QTest::newRow("section beyond memory")
        << Request(0xFC, MKProtocol::BeginSectionWrite, {8190, 4});
}

void TestMKDevice::silentRequests() {
    QFETCH(QByteArray, request);
    const QByteArray memory = CountingMemory(8192);
    TMKDevice device(0xFC, 1, memory);
    QString why;
    QVERIFY(!device.Handle(request, &why));
    QVERIFY(!why.isEmpty());
    QCOMPARE(device.Memory(), memory);
}

void TestMKDevice::sectionIsAppliedAtItsEnd() {
    const QByteArray memory = CountingMemory(8192);
    TMKDevice device(0xFC, 1, memory);
    QByteArray data(196, '\0');
    for (int i = 0; i < data.size(); ++i)
        data[i] = char(200 - i);
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::BeginSectionWrite, {0x0100, 196})));
    // Chunks in any order land at section address + 32 * index.
    for (int j = 6; j >= 0; --j) {
        const QByteArray chunk = data.mid(32 * j, 32);
        QVERIFY(device.Handle(
            Request(0xFC, MKProtocol::WriteChunk, {quint16(j), quint16(chunk.size())}, chunk)));
    }
    QCOMPARE(device.Memory(), memory);
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0100, 196})));
    QByteArray expected = memory;
    expected.replace(0x0100, 196, data);
    QCOMPARE(device.Memory(), expected);
}

void TestMKDevice::repeatedEndIsAnsweredOnce() {
    TMKDevice device(0xFC, 1, CountingMemory(8192));
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::BeginSectionWrite, {0x0200, 2})));
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::WriteChunk, {0, 2}, QByteArray("xy"))));
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0200, 2})));
    // The reply was lost and the link sends the end again: still success.
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0200, 2})));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0300, 2})));
    QCOMPARE(device.Memory().mid(0x0200, 2), QByteArray("xy"));
}

void TestMKDevice::chunksBeyondTheSectionAreRefused() {
    const QByteArray memory = CountingMemory(8192);
    TMKDevice device(0xFC, 1, memory);
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::BeginSectionWrite, {0x0100, 5})));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::WriteChunk, {0, 6}, QByteArray("abcdef"))));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::WriteChunk, {1, 1}, QByteArray("a"))));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::WriteChunk, {0, 3}, QByteArray("ab"))));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::WriteChunk, {0, 0})));
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::WriteChunk, {0, 5}, QByteArray("abcde"))));
    QVERIFY(!device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0100, 6})));
    QVERIFY(device.Handle(Request(0xFC, MKProtocol::EndSectionWrite, {0x0100, 5})));
    QCOMPARE(device.Memory().mid(0x0100, 6), QByteArray("abcde") + memory.mid(0x0105, 1));
}

QTEST_GUILESS_MAIN(TestMKDevice)
#include "tst_mkdevice.moc"
