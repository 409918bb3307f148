#include "editing/TankFile.h"

#include "base/FileRead.h"
#include "base/MKError.h"
#include "editing/Conversions.h"

#include <QSaveFile>
#include <cstring>

namespace TankFile {

namespace {

// The file's fields in order, each copied whole as its bytes lie in the record. An empty
// name stands for the first byte of the tank calibration block, which has no name.
constexpr const char16_t* FileFields[] = {
    u"Oil6L",           u"Lit6L",          u"Oil43L",     u"Lit43L",          u"OilCalibrResArr",
    u"OilCalibrLitArr", u"OilCalibrQuant", u"",           u"TarirFlagFinish", u"TarirLeng",
    u"TarirStartHigh",  u"TarirLitres",    u"TarirUnits",
};

struct TSpan {
    TBlock Block;
    std::size_t Offset;
    int Bytes;
};

std::vector<TSpan> Spans() {
    std::vector<TSpan> spans;
    for (const char16_t* name : FileFields) {
        if (!*name) {
            spans.push_back({TBlock::TankCalibration, 0, 1});
            continue;
        }
        const TFieldRef ref = RecordField(QStringView(name));
        spans.push_back({ref.Block, ref.Field->Offset, ref.Field->Count * ref.Field->ElementSize});
    }
    return spans;
}

TMKError LongFile(qint64 bytes) {
    return TMKError(QStringLiteral("Файл длиннее %1 байт (%2 байт) не является файлом настроек "
                                   "бака. Настройки не изменены.")
                        .arg(Size)
                        .arg(bytes));
}

} // namespace

QByteArray Bytes(const TMK& mk) {
    QByteArray data;
    for (const TSpan& s : Spans())
        data.append(reinterpret_cast<const char*>(mk.BlockBytes(s.Block) + s.Offset), s.Bytes);
    if (data.size() != Size)
        throw TMKError(
            QStringLiteral("Размер настроек бака %1 байт вместо %2").arg(data.size()).arg(Size));
    return data;
}

int Apply(TMK& mk, const QByteArray& data) {
    if (data.size() > Size)
        throw LongFile(data.size());
    int at = 0;
    for (const TSpan& s : Spans()) {
        if (at + s.Bytes > data.size())
            break;
        std::memcpy(mk.BlockBytes(s.Block) + s.Offset, data.constData() + at, std::size_t(s.Bytes));
        at += s.Bytes;
    }
    return int(data.size());
}

void Save(const TMK& mk, const QString& path) {
    const QByteArray data = Bytes(mk);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        throw TMKError(
            QStringLiteral("Не удалось записать файл %1: %2").arg(path, file.errorString()));
}

int Load(TMK& mk, const QString& path) {
    return Apply(mk, FileRead::ReadWholeFile(path, Size, FileRead::TankFileKind()));
}

QString ShortFileNote(int bytes) {
    return QStringLiteral("Файл настроек бака короче %1 байт: в нём %2 байт. Считаны только "
                          "настройки, целиком уместившиеся в файле, остальные не изменены.")
        .arg(Size)
        .arg(bytes);
}

} // namespace TankFile
