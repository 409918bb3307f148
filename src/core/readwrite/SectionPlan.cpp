#include "readwrite/SectionPlan.h"

#include "base/MKError.h"
#include "model/DeviceModel.h"
#include "model/Record.h"
#include "readwrite/ReadWriteTexts.h"

#include <QtEndian>

namespace {

quint16 WordAt(const QByteArray& image, qsizetype position) {
    return qFromLittleEndian<quint16>(image.constData() + position);
}

[[noreturn]] void Refuse() {
    throw TMKError(TErrorKind::DirectoryBroken, WorkflowTexts::DirectoryBroken());
}

} // namespace

qsizetype TSection::ImagePosition() const {
    return qsizetype(Address) - MKAddressBase;
}

QList<TSection> PlanSections(const QByteArray& image, qsizetype imageLimit) {
    const qsizetype limit = std::min(imageLimit, image.size());
    if (limit < qsizetype(sizeof(TImageDirectory)))
        Refuse();
    const quint32 count = qFromLittleEndian<quint32>(image.constData());
    if (count > quint32(DirectoryEntries))
        Refuse();
    QList<TSection> sections;
    for (quint32 i = 1; i <= count; ++i) {
        const quint16 address = WordAt(image, 4 * i);
        const quint16 length = WordAt(image, 4 * i + 2);
        if (address < MKAddressBase || length < DirectoryLengthOverhead)
            Refuse();
        TSection section{address, quint16(length - DirectoryLengthOverhead)};
        if (section.ImagePosition() + section.Count > limit)
            Refuse();
        sections << section;
    }
    return sections;
}
