#pragma once

// What carrying settings to another MK left out, and how many controls it carried.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <vector>

struct TCarryEntry {
    QString Name;    // the control, or the record field for page data
    QString Page;    // caption of its main page
    QString Caption; // its caption as the editor shows it
    QString From;    // the value the source shows
    QString Reason;  // why the target did not take it, the user's text
};

struct TCarryReport {
    int Carried = 0; // controls the target shows as the source does
    std::vector<TCarryEntry> NotCarried;

    bool Complete() const { return NotCarried.empty(); }
    // "Границы › Т масла АКПП, С: 140 — вне диапазона этого МК (80 … 130)".
    QStringList Lines() const;
    // {"Carried": N, "NotCarried": [{"Name", "Page", "Caption", "From", "Reason"}]}.
    QJsonObject Json() const;
};

// Why a setting was not carried.
namespace CarryReasons {
QString NotOnThisMK();
QString OutOfRange(double min, double max, int decimals);
QString ItemNotOffered();
QString ProtocolNotOffered();
QString IdNotInCatalogue();
// Carried as `held`, the nearest value the target's control can hold.
QString Rounded(double held, int decimals);
} // namespace CarryReasons
