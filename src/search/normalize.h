#pragma once

#include <QString>
#include <QStringList>

namespace mhbk::search {

// The families of sections a designation can name. A row carries the families it belongs to; a
// query names families with a mark ("I", "[", "∠", "Φ") or a word ("工字钢", "槽", "钢管").
enum Kind : unsigned {
    NoKind = 0,
    Round = 1u << 0,
    Square = 1u << 1,
    Rectangle = 1u << 2,
    Hexagon = 1u << 3,
    Flat = 1u << 4,
    Angle = 1u << 5,
    IBeam = 1u << 6,
    Channel = 1u << 7,
    Plate = 1u << 8,
    Pipe = 1u << 9,
};

// Text as the index compares it: full-width forms folded to ASCII, lower case, every
// multiplication sign (× x X * ✕) as "x", every diameter sign (Φ φ Ø ø ⌀) as "φ", and decimals
// without trailing zeros ("2.50" → "2.5", "10.0" → "10"). Spaces are kept.
QString normalized(const QString &text);

// A designation as a key: normalised, without spaces.
QString designationKey(const QString &text);

// What a query asks for: the families it names (any of them will do), a designation (the part
// with digits, normalised as a key, with "dn" kept for nominal sizes), and the remaining words,
// each of which must appear in a row's text.
struct Query {
    unsigned kinds = NoKind;
    QString designation;
    QStringList terms;
    // The family words as typed; a row without families that mentions one in its text passes
    // (the formula table's "工字钢" row).
    QStringList kindWords;

    bool isEmpty() const { return kinds == NoKind && designation.isEmpty() && terms.isEmpty(); }
};

Query parseQuery(const QString &text);

} // namespace mhbk::search
