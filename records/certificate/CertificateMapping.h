#pragma once

#include "records/PanelField.h"
#include "records/PanelValues.h"
#include "records/certificate/CertificateData.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace kv::records {

// One field of the panel a certificate would change: what it shows now,
// what it would show, and what is typed or chosen to get there. A change
// that cannot be made (a name missing from the field's list, an unreadable
// item) has a note and is not applicable; a value cut to the field's limit
// is applicable with a note.
struct CertificateChange {
    PanelField field = PanelField::Count; // Count: a note about no field
    PanelField eraField = PanelField::Count;
    QString caption;
    QString current;
    QString proposed;
    QString text;   // for an edit
    int index = -1; // for a list, or the era list of a date
    QString note;
    bool applicable = true;
};

// The panel's lists a certificate's names are matched to, by entry.
struct CertificateLists {
    QStringList kinds;  // 自動車の種別
    QStringList uses;   // 用途
    QStringList shapes; // 車体の形状
    QStringList makes;  // 車名
    QStringList fuels;  // 燃料の種類
};

// Turns a certificate into the changes of the panel's fields: normalised,
// cut at a character boundary to each field's CP932 limit, dates in the
// fields' era notation, names matched to the lists' entries. Only fields
// whose value would differ are listed, in the panel's order.
class CertificateMapping {
public:
    struct Halves {
        bool customer = false;
        bool vehicle = false;
    };

    static std::vector<CertificateChange> changes(const CertificateData& data,
                                                  const PanelValues& current,
                                                  const CertificateLists& lists, Halves halves);

    // The index of the list entry a name means, or -1: equal after
    // normalising, else the one entry that begins with the other.
    static int matchEntry(const QStringList& entries, const QString& name);

    // A plate's office, class number, kana and serial (digits only), with or
    // without spaces between them; false for a text of another shape.
    struct PlateParts {
        QString office;
        QString classNumber;
        QString kana;
        QString serial;
    };
    static bool plateParts(const QString& plate, PlateParts* parts);

    // The marker of the base of use and of a user who is the owner.
    static QString sameAsMarker();
};

} // namespace kv::records
