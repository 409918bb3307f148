#pragma once

#include <QByteArray>
#include <QList>
#include <QtGlobal>

// One section of the MK's memory as the image directory lists it.
struct TSection {
    quint16 Address = 0; // MK address of the section's first byte
    quint16 Count = 0;   // bytes written: the directory length less 4
    qsizetype ImagePosition() const;
};

// The sections the image directory lists, in directory order. Throws TMKError
// "Каталог памяти МК повреждён. Запись отменена." when the directory cannot be trusted:
// more than 13 entries, a length below 4, an address below 32, or a section reaching past
// the first imageLimit bytes of the image (the memory the MK has).
QList<TSection> PlanSections(const QByteArray& image, qsizetype imageLimit);
